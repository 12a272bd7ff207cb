#include "platform/desktop/espeak_voice.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace corvane {

int EspeakWordsPerMinute(int rate) {
  rate = std::clamp(rate, -10, 10);
  const double wpm = rate < 0 ? 175.0 + 9.5 * rate : 175.0 + 27.5 * rate;
  return static_cast<int>(std::nearbyint(wpm));  // the default rounding: halves to even
}

int EspeakAmplitude(int volume) {
  return std::clamp(volume, 0, 100);
}

namespace {

struct VoiceEntry {
  std::string name;
  std::string identifier;
};

// The first language of a voice ("en-gb"); espeak-ng lists each as a priority byte and a name.
std::string FirstLanguage(const espeak_VOICE& voice) {
  if (voice.languages == nullptr || voice.languages[0] == 0) return {};
  return std::string(voice.languages + 1);
}

// English voices first, the British and American ones leading, each group in espeak-ng's order.
int Group(const std::string& language) {
  if (language == "en" || language == "en-gb" || language == "en-us") return 0;
  if (language.rfind("en-", 0) == 0) return 1;
  return 2;
}

std::vector<VoiceEntry> ListVoices() {
  std::vector<std::pair<int, VoiceEntry>> voices;
  const espeak_VOICE** list = espeak_ListVoices(nullptr);
  for (int i = 0; list != nullptr && list[i] != nullptr; ++i) {
    const espeak_VOICE& voice = *list[i];
    voices.push_back({Group(FirstLanguage(voice)),
                      {voice.name != nullptr ? voice.name : "",
                       voice.identifier != nullptr ? voice.identifier : ""}});
  }
  std::stable_sort(voices.begin(), voices.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<VoiceEntry> sorted;
  for (auto& [group, entry] : voices) sorted.push_back(std::move(entry));
  return sorted;
}

// What espeak-ng is set to for one phrase: the voice, rate and volume in force when it was spoken.
struct VoiceSettings {
  std::string voice;  // espeak-ng's identifier
  int wordsPerMinute = EspeakWordsPerMinute(0);
  int amplitude = EspeakAmplitude(100);
  bool operator==(const VoiceSettings&) const = default;
};

struct Phrase {
  std::string text;
  VoiceSettings settings;
};

// espeak-ng synthesises a phrase whole, on a thread of the voice's own, and hands each piece to
// the audio device the moment it is made: the first sound follows speak at once, and the game's
// thread answers keys while the rest is made. Purge drops the waiting phrases and stops the one
// being made at its next piece; a piece is handed over under the same lock that Purge takes, so
// nothing of a purged phrase reaches the device after it. espeak-ng is only ever called from
// that thread once the voice is made.
class EspeakVoice : public Voice {
 public:
  EspeakVoice(AudioDevice& device, int sampleRate)
      : device_(device), sampleRate_(sampleRate), voices_(ListVoices()) {
    espeak_SetSynthCallback(&EspeakVoice::Collect);
    if (!voices_.empty()) settings_.voice = voices_.front().identifier;
    synthesiser_ = std::thread([this] { Synthesise(); });
  }
  // espeak-ng stays started (see EspeakSampleRate); the phrase being made stops at its next piece.
  ~EspeakVoice() override {
    {
      std::lock_guard<std::mutex> guard(lock_);
      ending_ = true;
      waiting_.clear();
      ++generation_;
    }
    wake_.notify_one();
    synthesiser_.join();
  }
  EspeakVoice(const EspeakVoice&) = delete;
  EspeakVoice& operator=(const EspeakVoice&) = delete;

  std::vector<std::string> Voices() override {
    std::vector<std::string> names;
    for (const VoiceEntry& voice : voices_) names.push_back(voice.name);
    return names;
  }
  // A new voice keeps the user's rate and volume.
  void SetVoice(int index) override {
    if (index < 0 || index >= static_cast<int>(voices_.size())) return;
    settings_.voice = voices_[static_cast<std::size_t>(index)].identifier;
  }
  void SetRate(int rate) override {
    rate_ = rate;
    settings_.wordsPerMinute = EspeakWordsPerMinute(rate);
  }
  void SetVolume(int volume) override {
    volume_ = volume;
    settings_.amplitude = EspeakAmplitude(volume);
  }
  int Rate() const override { return rate_; }
  int Volume() const override { return volume_; }
  void Speak(std::string_view text) override {
    if (text.empty()) return;
    // The voice may speak before the sound window opens the device.
    if (!device_.Open()) return;
    {
      std::lock_guard<std::mutex> guard(lock_);
      waiting_.push_back({std::string(text), settings_});
    }
    wake_.notify_one();
  }
  void Purge() override {
    std::lock_guard<std::mutex> guard(lock_);
    waiting_.clear();
    ++generation_;
    device_.StopSpeech();
  }

 private:
  // The voice's thread: one phrase after another, each whole, until the voice ends.
  void Synthesise() {
    std::optional<VoiceSettings> applied;  // what espeak-ng is set to
    for (;;) {
      Phrase phrase;
      {
        std::unique_lock<std::mutex> guard(lock_);
        wake_.wait(guard, [this] { return ending_ || !waiting_.empty(); });
        if (ending_) return;
        phrase = std::move(waiting_.front());
        waiting_.pop_front();
        making_ = generation_;
      }
      if (applied != phrase.settings) {
        Apply(phrase.settings, applied);
        applied = phrase.settings;
      }
      espeak_Synth(phrase.text.c_str(), phrase.text.size() + 1, 0, POS_CHARACTER, 0,
                   espeakCHARS_UTF8, nullptr, this);
    }
  }

  // A new voice starts from its own rate and volume, so both are set again after it.
  static void Apply(const VoiceSettings& wanted, const std::optional<VoiceSettings>& applied) {
    const bool newVoice = !applied || wanted.voice != applied->voice;
    if (newVoice && !wanted.voice.empty()) espeak_SetVoiceByName(wanted.voice.c_str());
    if (newVoice || wanted.wordsPerMinute != applied->wordsPerMinute) {
      espeak_SetParameter(espeakRATE, wanted.wordsPerMinute, 0);
    }
    if (newVoice || wanted.amplitude != applied->amplitude) {
      espeak_SetParameter(espeakVOLUME, wanted.amplitude, 0);
    }
  }

  // espeak-ng's callback, on the voice's thread: a piece of samples, or none at the phrase's end.
  // Returning 1 stops the synthesis.
  static int Collect(short* wav, int count, espeak_EVENT* events) {
    if (events == nullptr || events->user_data == nullptr) return 0;
    return static_cast<EspeakVoice*>(events->user_data)->HandOver(wav, count) ? 0 : 1;
  }

  // False once the phrase being made has been purged.
  bool HandOver(const short* wav, int count) {
    std::lock_guard<std::mutex> guard(lock_);
    if (making_ != generation_) return false;
    if (wav == nullptr) {
      device_.EndSpeechPhrase();
    } else if (count > 0) {
      device_.QueueSpeech(std::vector<std::int16_t>(wav, wav + count), sampleRate_);
    }
    return true;
  }

  AudioDevice& device_;
  const int sampleRate_;
  const std::vector<VoiceEntry> voices_;
  // The game's thread only.
  VoiceSettings settings_;
  int rate_ = 0;
  int volume_ = 100;
  // Shared with the voice's thread, under lock_.
  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<Phrase> waiting_;
  unsigned generation_ = 0;  // counts the purges
  bool ending_ = false;
  // The voice's thread only: the generation of the phrase being made.
  unsigned making_ = 0;
  std::thread synthesiser_;
};

// espeak-ng keeps one state per process and cannot be started again after espeak_Terminate (a
// second start hangs), so it is started once, on first use, and runs until the process ends. The
// result is its sample rate, or an error code of 0 or below.
int EspeakSampleRate() {
  static const int sampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
  return sampleRate;
}

}  // namespace

std::unique_ptr<Voice> StartEspeakVoice(AudioDevice& device, std::string& error) {
  error.clear();
  const int sampleRate = EspeakSampleRate();
  if (sampleRate <= 0) {
    error = "espeak-ng could not start (its data files are missing?)";
    return nullptr;
  }
  return std::make_unique<EspeakVoice>(device, sampleRate);
}

}  // namespace corvane
