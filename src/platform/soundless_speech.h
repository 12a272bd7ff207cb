// The speech engines of a run without sound (--no-sound): the game's own voice plays through the
// sound device, so it is refused with that reason and the game falls back to the text window;
// the screen reader speaks through its own service and is unchanged.
#pragma once

#include <memory>
#include <string>

#include "platform/speech_engines.h"

namespace corvane {

class SoundlessSpeech : public SpeechEngineFactory {
 public:
  explicit SoundlessSpeech(SpeechEngineFactory& engines) : engines_(engines) {}

  std::unique_ptr<ScreenReader> CreateScreenReader(std::string& error) override {
    return engines_.CreateScreenReader(error);
  }
  std::unique_ptr<Voice> CreateVoice(std::string& error) override;

 private:
  SpeechEngineFactory& engines_;
};

}  // namespace corvane
