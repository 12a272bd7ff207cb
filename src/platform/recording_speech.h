// Speech engines for the headless host: they only record what they are asked, so a scripted run
// is the same whatever the speech mode. Both start, unless the run plays a machine that lacks one
// of them (to try the messages and fallbacks of a missing speech service).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/speech_engines.h"

namespace corvane {

// Everything the recording engines were asked, one entry per call, in order: "say TEXT",
// "stop", "stop speech", "voice N", "rate N", "volume N", "speak TEXT", "purge".
struct SpeechRecord {
  std::vector<std::string> calls;
};

// The engines the simulated machine lacks.
struct MissingEngines {
  bool screenReader = false;
  bool voice = false;
};

class RecordingSpeech : public SpeechEngineFactory {
 public:
  explicit RecordingSpeech(MissingEngines missing = {});

  std::unique_ptr<ScreenReader> CreateScreenReader(std::string& error) override;
  std::unique_ptr<Voice> CreateVoice(std::string& error) override;

  // Shared with the engines, which may outlive the factory.
  const SpeechRecord& record() const { return *record_; }

  // The voices the recording voice offers.
  static std::vector<std::string> VoiceNames();

 private:
  std::shared_ptr<SpeechRecord> record_;
  MissingEngines missing_;
};

}  // namespace corvane
