#include "platform/recording_speech.h"

#include <utility>

namespace corvane {

namespace {

class RecordingReader : public ScreenReader {
 public:
  explicit RecordingReader(std::shared_ptr<SpeechRecord> record) : record_(std::move(record)) {}
  void Say(std::string_view text, bool interrupt) override {
    record_->Add((interrupt ? "say! " : "say ") + std::string(text));
  }
  void Stop() override { record_->Add("stop"); }
  void StopSpeech() override { record_->Add("stop speech"); }

 private:
  std::shared_ptr<SpeechRecord> record_;
};

class RecordingVoice : public Voice {
 public:
  explicit RecordingVoice(std::shared_ptr<SpeechRecord> record) : record_(std::move(record)) {}
  std::vector<std::string> Voices() override { return RecordingSpeech::VoiceNames(); }
  void SetVoice(int index) override { Record("voice ", index); }
  void SetRate(int rate) override {
    rate_ = rate;
    Record("rate ", rate);
  }
  void SetVolume(int volume) override {
    volume_ = volume;
    Record("volume ", volume);
  }
  int Rate() const override { return rate_; }
  int Volume() const override { return volume_; }
  void Speak(std::string_view text) override { record_->Add("speak " + std::string(text)); }
  void Purge() override { record_->Add("purge"); }

 private:
  void Record(const char* what, int value) { record_->Add(what + std::to_string(value)); }
  std::shared_ptr<SpeechRecord> record_;
  // A new voice speaks at the normal rate and full volume, as espeak-ng does.
  int rate_ = 0;
  int volume_ = 100;
};

}  // namespace

void SpeechRecord::Add(std::string call) {
  calls.push_back(std::move(call));
  if (calls.size() > kKeptCalls) calls.pop_front();
}

RecordingSpeech::RecordingSpeech(MissingEngines missing)
    : record_(std::make_shared<SpeechRecord>()), missing_(missing) {}

std::vector<std::string> RecordingSpeech::VoiceNames() {
  return {"English (Great Britain)", "English (America)"};
}

std::unique_ptr<ScreenReader> RecordingSpeech::CreateScreenReader(std::string& error) {
  error.clear();
  if (missing_.screenReader) {
    error = kScreenReaderUnreachable;
    return nullptr;
  }
  return std::make_unique<RecordingReader>(record_);
}

std::unique_ptr<Voice> RecordingSpeech::CreateVoice(std::string& error) {
  error.clear();
  if (missing_.voice) {
    error = kVoiceUnavailable;
    return nullptr;
  }
  return std::make_unique<RecordingVoice>(record_);
}

}  // namespace corvane
