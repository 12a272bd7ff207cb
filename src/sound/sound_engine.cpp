#include "sound/sound_engine.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "table/rounding.h"

namespace corvane {
namespace {

constexpr int kSilent = -10000;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool BlankOrEmpty(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::int16_t ToInt16(int value) {
  return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

}  // namespace

SoundEngine::SoundEngine(PersonOutput& host, AudioDevice& device, Random& cosmetic,
                         std::string programFolder)
    : host_(host), device_(device), cosmetic_(cosmetic), programFiles_(std::move(programFolder)) {}

void SoundEngine::DSInit() {
  SlotCount = kSlotCount;
  SoftwareBuffers = false;
  FrequencyControl = true;
  if (!device_.Open()) {
    host_.ShowMessage("Error! ",
                      "Unable to open the sound device - the sound card may be missing or in use. "
                      "Start Corvane with --no-sound to play without sound.",
                      MessageIcon::Critical);
    throw EndProgram{1};
  }
}

bool SoundEngine::SubstituteWildcard(const std::string& file, std::string& name) {
  name = file;
  const auto star = file.find('*');
  if (star == std::string::npos) return true;
  std::size_t end = star + 1;
  while (end < file.size() && IsDigit(file[end])) ++end;
  const std::size_t digits = end - star - 1;
  if (digits < 1 || digits > 3) {
    host_.ShowMessage(
        "Error in PlaySound",
        "Wildcard wave file must have 1 to 3 digit number after asterisk. File: " + file,
        MessageIcon::Exclamation);
    return false;
  }
  if (end == file.size()) return true;  // digits up to the end: the name stays as it is
  const int n = std::stoi(file.substr(star + 1, digits));
  const int pick = n >= 1 ? cosmetic_.Between(1, n) : 1;
  name = file.substr(0, star) + std::to_string(pick) + file.substr(end);
  return true;
}

void SoundEngine::PlaySound(const std::string& file, std::int16_t& Volume, std::int32_t& Frequency,
                            std::int16_t& Pan, std::int32_t& StartPosition, std::int16_t DSFlags,
                            std::int16_t& index) {
  index = 0;
  if (BlankOrEmpty(file)) return;
  std::string played;
  if (!SubstituteWildcard(file, played)) return;
  const std::string name = Upper(played);
  const int count = std::clamp<int>(SlotCount, 0, kMaxSlots);
  if (count < 1) return;  // the device was never opened
  int start = cosmetic_.Between(1, count);

  // Look the name up; a finished sound of class -1 on the way is the first to be recycled.
  int found = 0;
  for (int s = 1; s <= count; ++s) {
    if (slots_[s].SoundName == name) {
      found = s;
      CurrentSlot = ToInt16(s);
      break;
    }
    if (slots_[s].SlotClass == -1 && !IsPlaying(ToInt16(s))) start = s - 1;
  }

  if (found != 0) {
    const bool playing = IsPlaying(ToInt16(found));
    if ((DSFlags & kDSOnlyIfNotPlaying) && playing) return;
    const bool reusable = (!playing && !(DSFlags & kDSNoReuse)) || (DSFlags & kDSRestart);
    if (reusable) {
      if (StartSlot(found, Volume, Frequency, Pan, StartPosition, DSFlags, played)) {
        index = ToInt16(found);
      }
      return;
    }
  }

  // Find a slot to load into: free slots and finished sounds of class -1 and 0 first, then class
  // 1, then class 2; class 3 and playing sounds are never taken.
  if (start < 1) start = count;  // the slot before slot 1 on the ring
  int slot = start;
  int pass = 0;
  while (true) {
    slot = slot % count + 1;
    if (slot == start && ++pass > 2) return;
    const Slot& s = slots_[slot];
    if (s.sound == kNoSound) break;
    if (!device_.IsPlaying(slot) && s.SlotClass < 3 && s.SlotClass <= pass) break;
  }
  CurrentSlot = ToInt16(slot);
  std::int16_t emptied = ToInt16(slot);
  DeleteSound(emptied);

  // Fill it: a duplicate sharing the found sound's data, or the file itself.
  Slot& target = slots_[slot];
  if (found != 0 && slots_[found].sound != kNoSound) {
    target.sound = slots_[found].sound;
    device_.SetFrequency(slot, device_.Frequency(found));
  } else {
    std::int16_t ok = 0;
    OpenSound(ToInt16(slot), name, ok);
    if (ok != 1) return;
  }

  target.SoundName = name;
  if (DSFlags & kDSClass3) {
    target.SlotClass = 3;
  } else if (DSFlags & kDSClass2) {
    target.SlotClass = 2;
  } else if (DSFlags & kDSClass1) {
    target.SlotClass = 1;
  } else if (DSFlags & kDSClassMinus1) {
    target.SlotClass = -1;
  } else {
    target.SlotClass = 0;
  }

  if (StartSlot(slot, Volume, Frequency, Pan, StartPosition, DSFlags, played)) {
    index = ToInt16(slot);
  }
}

bool SoundEngine::StartSlot(int slot, std::int16_t& Volume, std::int32_t Frequency,
                            std::int16_t Pan, std::int32_t& StartPosition, std::int16_t DSFlags,
                            const std::string& played) {
  Slot& s = slots_[slot];
  Volume = ToInt16(std::clamp<int>(Volume, kSilent, 0));
  device_.SetVolume(slot, Volume);
  // The device refuses what DirectSound refuses: a pan or frequency out of its range, a position
  // before the start of the sound.
  if (Pan < -10000 || Pan > 10000) return false;
  device_.SetPan(slot, Pan);
  if (Frequency >= 1 && FrequencyControl) {
    if (Frequency < 100 || Frequency > 200000) return false;
    device_.SetFrequency(slot, Frequency);
  }
  StartPosition -= ((StartPosition % 4) + 4) % 4;
  if (StartPosition < 0) return false;
  if (DSFlags & kDSLoadOnly) return true;
  device_.Play(slot, s.sound, (DSFlags & kDSLoop) != 0, static_cast<std::uint32_t>(StartPosition));
  host_.OnSoundPlayed(played);
  return true;
}

std::int16_t SoundEngine::PlaySound(const std::string& file, int volume, int frequency, int pan,
                                    int startPosition, int flags) {
  std::int16_t v = ToInt16(volume);
  std::int32_t f = frequency;
  std::int16_t p = ToInt16(pan);
  std::int32_t start = startPosition;
  std::int16_t index = 0;
  PlaySound(file, v, f, p, start, ToInt16(flags), index);
  return index;
}

void SoundEngine::OpenSound(std::int16_t index, const std::string& file, std::int16_t& ok) {
  ok = 0;
  if (!ValidSlot(index)) return;
  const std::string name = file.substr(0, file.find('/'));
  const SoundId sound = LoadOnce(programFiles_.PathOf(name));
  if (sound == kNoSound) {
    host_.ShowMessage("Error! ", "Error opening file " + file, MessageIcon::Exclamation);
    return;
  }
  Slot& s = slots_[index];
  if (s.sound != kNoSound) device_.Stop(index);
  s.sound = sound;
  device_.SetFrequency(index, 0);  // the file's own rate
  ok = 1;
}

bool SoundEngine::IsPlaying(std::int16_t index) {
  return ValidSlot(index) && slots_[index].sound != kNoSound && device_.IsPlaying(index);
}

void SoundEngine::StopPlay(std::int16_t index) {
  if (ValidSlot(index) && slots_[index].sound != kNoSound) device_.Stop(index);
}

void SoundEngine::DeleteSound(std::int16_t& index) {
  if (index == 0) return;
  if (ValidSlot(index)) {
    Slot& s = slots_[index];
    s.SoundName.clear();
    s.SlotClass = 0;
    if (s.sound != kNoSound) device_.Stop(index);
    s.sound = kNoSound;
  }
  index = 0;
}

SoundId SoundEngine::LoadOnce(const std::string& path) {
  if (auto it = loaded_.find(path); it != loaded_.end()) return it->second;
  const SoundId sound = device_.Load(path);
  if (sound != kNoSound) loaded_.emplace(path, sound);
  return sound;
}

void SoundEngine::SetVolume(std::int16_t index, int volume) {
  if (ValidSlot(index) && slots_[index].sound != kNoSound) {
    device_.SetVolume(index, std::clamp(volume, kSilent, 0));
  }
}

void SoundEngine::ShutdownForm1() {
  for (int s = 1; s <= std::clamp<int>(SlotCount, 0, kMaxSlots); ++s) {
    std::int16_t index = ToInt16(s);
    DeleteSound(index);
  }
  for (const auto& [path, sound] : loaded_) device_.Release(sound);
  loaded_.clear();
  device_.Close();
}

int SoundEngine::Timer1(int partyVolume) {
  std::int16_t volume = ToInt16(partyVolume);
  std::int32_t frequency = -1;
  std::int16_t pan = ToInt16(static_cast<int>(RoundHalfEven((cosmetic_.Rnd() - 0.5) * -3500)));
  std::int32_t start = 0;
  std::int16_t index = 0;
  PlaySound("shuffle*3.wav", volume, frequency, pan, start, 0, index);
  // An interval of 0 would stop the timer for the rest of the table, so such a draw is drawn
  // again; every other draw is as before, and a seed keeps its sounds.
  int interval = 0;
  while (interval < kShortestShuffleInterval) {
    interval = cosmetic_.Between(0, kLongestShuffleInterval);
  }
  return interval;
}

void BackgroundSound::Start(const std::string& file, int volume, int flags) {
  handle_ = sound_.PlaySound(file, volume, -1, 0, 0, flags);
}

void BackgroundSound::Replace(const std::string& file, int volume, int flags) {
  Stop();
  Start(file, volume, flags);
}

void BackgroundSound::Stop() {
  sound_.StopPlay(handle_);
}

void BackgroundSound::SetVolume(int volume) {
  sound_.SetVolume(handle_, volume);
}

void BackgroundSound::ChangePartyVolume(UserSettings& settings, int step) {
  settings.PartyVolume =
      static_cast<std::int16_t>(std::clamp(settings.PartyVolume + step, -5000, -1000));
  SetVolume(settings.PartyVolume);
}

}  // namespace corvane
