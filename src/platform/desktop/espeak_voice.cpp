#include "platform/desktop/espeak_voice.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
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

class EspeakVoice : public Voice {
 public:
  EspeakVoice(AudioDevice& device, int sampleRate)
      : device_(device), sampleRate_(sampleRate), voices_(ListVoices()) {
    espeak_SetSynthCallback(&EspeakVoice::Collect);
    if (!voices_.empty()) SetVoice(0);
  }
  // espeak-ng stays started (see EspeakSampleRate).
  ~EspeakVoice() override = default;
  EspeakVoice(const EspeakVoice&) = delete;
  EspeakVoice& operator=(const EspeakVoice&) = delete;

  std::vector<std::string> Voices() override {
    std::vector<std::string> names;
    for (const VoiceEntry& voice : voices_) names.push_back(voice.name);
    return names;
  }
  void SetVoice(int index) override {
    if (index < 0 || index >= static_cast<int>(voices_.size())) return;
    espeak_SetVoiceByName(voices_[static_cast<std::size_t>(index)].identifier.c_str());
    // A new voice starts from its own defaults: keep the user's rate and volume.
    espeak_SetParameter(espeakRATE, EspeakWordsPerMinute(rate_), 0);
    espeak_SetParameter(espeakVOLUME, EspeakAmplitude(volume_), 0);
  }
  void SetRate(int rate) override {
    rate_ = rate;
    espeak_SetParameter(espeakRATE, EspeakWordsPerMinute(rate), 0);
  }
  void SetVolume(int volume) override {
    volume_ = volume;
    espeak_SetParameter(espeakVOLUME, EspeakAmplitude(volume), 0);
  }
  int Rate() const override { return rate_; }
  int Volume() const override { return volume_; }
  void Speak(std::string_view text) override {
    if (text.empty()) return;
    std::vector<std::int16_t> samples;
    const std::string copy(text);
    espeak_Synth(copy.c_str(), copy.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                 &samples);
    if (!samples.empty()) device_.QueueSpeech(samples, sampleRate_);
  }
  void Purge() override { device_.StopSpeech(); }

 private:
  // espeak-ng hands over the samples in pieces while it synthesises; the phrase's own buffer
  // travels in the event's user data.
  static int Collect(short* wav, int count, espeak_EVENT* events) {
    if (wav == nullptr || count <= 0 || events == nullptr || events->user_data == nullptr) return 0;
    auto* samples = static_cast<std::vector<std::int16_t>*>(events->user_data);
    samples->insert(samples->end(), wav, wav + count);
    return 0;  // go on
  }

  AudioDevice& device_;
  int sampleRate_;
  std::vector<VoiceEntry> voices_;
  int rate_ = 0;
  int volume_ = 100;
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
