// The desktop's speech engines: the screen reader on speech-dispatcher and the game's own voice
// on espeak-ng, played on the audio device.
#pragma once

#include <memory>

#include "platform/audio_device.h"
#include "platform/speech_engines.h"

namespace corvane {

class DesktopSpeech : public SpeechEngineFactory {
 public:
  explicit DesktopSpeech(AudioDevice& device) : device_(device) {}
  std::unique_ptr<ScreenReader> CreateScreenReader(std::string& error) override;
  std::unique_ptr<Voice> CreateVoice(std::string& error) override;

 private:
  AudioDevice& device_;
};

}  // namespace corvane
