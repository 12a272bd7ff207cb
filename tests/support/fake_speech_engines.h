// Speech engines for unit tests: they record every call in one log owned by the factory, and
// their creation can be made to fail.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/speech_engines.h"

namespace corvane::testing {

class FakeSpeechEngineFactory;

class FakeScreenReader : public ScreenReader {
 public:
  explicit FakeScreenReader(std::vector<std::string>& log) : log_(log) {}
  void Say(std::string_view text, bool interrupt) override {
    log_.push_back("Say(" + std::string(text) + (interrupt ? ", interrupt)" : ")"));
  }
  void Stop() override { log_.push_back("Stop"); }
  void StopSpeech() override { log_.push_back("StopSpeech"); }

 private:
  std::vector<std::string>& log_;
};

class FakeVoice : public Voice {
 public:
  FakeVoice(std::vector<std::string>& log, std::vector<std::string> voices)
      : log_(log), voices_(std::move(voices)) {}
  std::vector<std::string> Voices() override { return voices_; }
  void SetVoice(int index) override { log_.push_back("SetVoice(" + std::to_string(index) + ")"); }
  void SetRate(int rate) override {
    rate_ = rate;
    log_.push_back("SetRate(" + std::to_string(rate) + ")");
  }
  void SetVolume(int volume) override {
    volume_ = volume;
    log_.push_back("SetVolume(" + std::to_string(volume) + ")");
  }
  int Rate() const override { return rate_; }
  int Volume() const override { return volume_; }
  void Speak(std::string_view text) override { log_.push_back("Speak(" + std::string(text) + ")"); }
  void Purge() override { log_.push_back("Purge"); }

 private:
  std::vector<std::string>& log_;
  std::vector<std::string> voices_;
  int rate_ = 0;
  int volume_ = 100;
};

class FakeSpeechEngineFactory : public SpeechEngineFactory {
 public:
  std::unique_ptr<ScreenReader> CreateScreenReader(std::string& error) override {
    ++readersCreated;
    if (failReader) {
      error = "No screen reader here.";
      return nullptr;
    }
    return std::make_unique<FakeScreenReader>(log);
  }
  std::unique_ptr<Voice> CreateVoice(std::string& error) override {
    ++voicesCreated;
    if (failVoice) {
      error = "No voice here.";
      return nullptr;
    }
    return std::make_unique<FakeVoice>(log, voices);
  }

  // Every call made on the engines this factory created, in order ("Say(Hello)", "Purge", ...).
  std::vector<std::string> log;
  std::vector<std::string> voices = {"English", "English (America)", "Afrikaans"};
  bool failReader = false;
  bool failVoice = false;
  int readersCreated = 0;
  int voicesCreated = 0;
};

}  // namespace corvane::testing
