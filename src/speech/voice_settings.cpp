#include "speech/voice_settings.h"

#include <algorithm>
#include <array>
#include <exception>
#include <initializer_list>
#include <string_view>

#include "platform/key_codes.h"

namespace corvane {
namespace {

constexpr int kSlowest = -10;
constexpr int kFastest = 10;
constexpr int kQuietest = 0;
constexpr int kLoudest = 100;
constexpr int kVolumeStep = 5;
constexpr int kNoVoiceYet = -1;
constexpr int kVoiceCeiling = 32767;

constexpr std::array<std::string_view, 4> kMenuItems{
    "", "Select Sapi Voice", "Adjust Sapi speech rate", "Adjust Sapi Speech Volume"};
constexpr int kMenuCount = 3;

bool IsOneOf(int key, std::initializer_list<int> keys) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// The settings take the keyboard while they run and give it back as they found it, so that the
// pause or prompt they were called from goes on as before.
class KeyboardOwnership {
 public:
  explicit KeyboardOwnership(Keyboard& keyboard)
      : keyboard_(keyboard), wasWaiting_(keyboard.InputWaiting) {}
  ~KeyboardOwnership() { keyboard_.InputWaiting = wasWaiting_; }
  KeyboardOwnership(const KeyboardOwnership&) = delete;
  KeyboardOwnership& operator=(const KeyboardOwnership&) = delete;

 private:
  Keyboard& keyboard_;
  bool wasWaiting_;
};

}  // namespace

VoiceSettings::VoiceSettings(Speech& speech, Prompts& prompts, UserSettings& settings,
                             SaveVoiceFunction save)
    : speech_(speech), prompts_(prompts), settings_(settings), save_(std::move(save)) {}

bool VoiceSettings::VoiceSpeaking() {
  return speech_.TTSType == kOwnVoiceMode && speech_.voice() != nullptr;
}

int VoiceSettings::NextKey() {
  Keyboard& keyboard = prompts_.keyboard();
  const PressedKey key = keyboard.AwaitKey();
  speech_.StopSpeech();
  return key.code;
}

void VoiceSettings::AdjustVoice(std::int16_t& currentVoice) {
  if (!VoiceSpeaking()) return;
  KeyboardOwnership ownership(prompts_.keyboard());
  speech_.speak("Use the arrows  to select voice. Press Enter when done.");
  int voice = kNoVoiceYet;
  int highest = kVoiceCeiling;
  currentVoice = static_cast<std::int16_t>(voice);
  for (;;) {
    const int key = NextKey();
    if (IsOneOf(key, {kKeyEnter, kKeyEscape})) return;
    int next = voice;
    if (IsOneOf(key, {kKeyUp, kKeyLeft, kKeyJ, kKeyI})) {
      if (voice < 1) continue;
      next = voice - 1;
    } else if (IsOneOf(key, {kKeyDown, kKeyRight, kKeyK, kKeyL})) {
      if (voice >= highest) continue;
      next = voice + 1;
    } else {
      continue;
    }

    bool made = false;
    try {
      Voice* engine = speech_.voice();
      if (next < static_cast<int>(engine->Voices().size())) {
        engine->SetVoice(next);
        made = true;
      }
    } catch (const std::exception&) {
      made = false;
    }
    if (!made) {
      if (next == 0) {
        currentVoice = 0;
        prompts_.keyboard().host().ShowMessage("Error! ", "No MS SAPI Voices were found.",
                                               MessageIcon::Critical);
        return;
      }
      // The end of the list has been found: the press is dropped and the voice stays on the
      // last one there is, so that only installed voices are ever kept.
      highest = voice;
      continue;
    }
    voice = next;
    currentVoice = static_cast<std::int16_t>(voice);
    speech_.StopSpeech();
    speech_.speak("Here is the current voice");
  }
}

void VoiceSettings::AdjustRate(std::int16_t& currentRate) {
  if (!VoiceSpeaking()) return;
  KeyboardOwnership ownership(prompts_.keyboard());
  // From the rate the voice speaks at now, which differs from the saved one when the saved
  // settings could not all be applied.
  int rate = std::clamp(speech_.voice()->Rate(), kSlowest, kFastest);
  speech_.speak("Use the arrows to adjust rate. Press Enter when done.");
  for (;;) {
    const int key = NextKey();
    if (IsOneOf(key, {kKeyEscape, kKeyEnter})) break;
    if (IsOneOf(key, {kKeyUp, kKeyRight, kKeyI, kKeyL})) {
      if (rate >= kFastest) continue;
      ++rate;
    } else if (IsOneOf(key, {kKeyDown, kKeyLeft, kKeyK, kKeyJ})) {
      if (rate <= kSlowest) continue;
      --rate;
    }
    try {
      speech_.voice()->SetRate(rate);
    } catch (const std::exception&) {
      // A rate the voice refuses leaves it speaking as before.
    }
    speech_.StopSpeech();
    speech_.speak("Here is the new rate.");
  }
  currentRate = static_cast<std::int16_t>(rate);
}

void VoiceSettings::AdjustVolume(std::int16_t& currentVolume) {
  if (!VoiceSpeaking()) return;
  KeyboardOwnership ownership(prompts_.keyboard());
  int volume = std::clamp(speech_.voice()->Volume(), kQuietest, kLoudest);
  speech_.speak("Use the arrows to adjust volume. Press Enter when done.");
  for (;;) {
    const int key = NextKey();
    if (IsOneOf(key, {kKeyEscape, kKeyEnter})) break;
    // J is taken by the louder keys; L only repeats the message.
    if (IsOneOf(key, {kKeyUp, kKeyRight, kKeyI, kKeyJ})) {
      if (volume >= kLoudest) continue;
      volume = std::min(volume + kVolumeStep, kLoudest);
    } else if (IsOneOf(key, {kKeyDown, kKeyLeft, kKeyK})) {
      if (volume <= kQuietest) continue;
      volume = std::max(volume - kVolumeStep, kQuietest);
    }
    try {
      speech_.voice()->SetVolume(volume);
    } catch (const std::exception&) {
      // A volume the voice refuses leaves it as before.
    }
    speech_.StopSpeech();
    speech_.speak("Here is the new volume.");
  }
  currentVolume = static_cast<std::int16_t>(volume);
}

void VoiceSettings::SapiSettingsMenu() {
  Keyboard& keyboard = prompts_.keyboard();
  KeyboardOwnership ownership(keyboard);
  int item = 0;
  speech_.StopSpeech();
  speech_.speak("Adjust Sapi settings. Use the arrows to browse, and enter to select.");
  keyboard.InputWaiting = true;
  for (;;) {
    const int key = NextKey();
    if (IsOneOf(key, {kKeyDown, kKeyRight, kKeyL, kKeyK})) {
      item = item >= kMenuCount ? 1 : item + 1;
      speech_.speak(kMenuItems[static_cast<std::size_t>(item)]);
    } else if (IsOneOf(key, {kKeyLeft, kKeyUp, kKeyI, kKeyJ})) {
      item = item <= 1 ? kMenuCount : item - 1;
      speech_.speak(kMenuItems[static_cast<std::size_t>(item)]);
    } else if (key == kKeyEnter && item > 0) {
      break;
    } else if (key == kKeyEscape) {
      speech_.StopSpeech();
      speech_.speak("Exit.");
      return;
    }
  }
  switch (item) {
    case 1:
      AdjustVoice(settings_.SapiVoice);
      break;
    case 2:
      AdjustRate(settings_.SapiRate);
      break;
    default:
      AdjustVolume(settings_.SapiVolume);
      break;
  }
  SaveQuestion();
}

void VoiceSettings::SaveQuestion() {
  speech_.speak("Sapi Set. Would you like to save these SAPI settings? Press Y or N.");
  for (;;) {
    const int key = NextKey();
    if (key == kKeyY || key == kKeyEnter) {
      std::string error;
      // The message follows the file: a save that failed is never announced as done.
      if (save_ && save_(settings_, error)) {
        speech_.speak("Sapi Settings Saved.");
      } else {
        speech_.speak("File save error: " + (error.empty() ? std::string("not saved") : error));
      }
      return;
    }
    if (key == kKeyN) {
      return;
    }
    if (key == kKeyEscape) return;
  }
}

}  // namespace corvane
