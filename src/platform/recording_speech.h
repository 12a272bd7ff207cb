// Speech engines for the headless host: the screen reader and the voice always start, and they
// only record what they are asked, so a scripted run is the same whatever the speech mode.
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
  int readersCreated = 0;
  int voicesCreated = 0;
};

class RecordingSpeech : public SpeechEngineFactory {
 public:
  RecordingSpeech();

  std::unique_ptr<ScreenReader> CreateScreenReader(std::string& error) override;
  std::unique_ptr<Voice> CreateVoice(std::string& error) override;

  // Shared with the engines, which may outlive the factory.
  const SpeechRecord& record() const { return *record_; }

  // The voices the recording voice offers.
  static std::vector<std::string> VoiceNames();

 private:
  std::shared_ptr<SpeechRecord> record_;
};

}  // namespace corvane
