#include "platform/soundless_speech.h"

namespace corvane {

std::unique_ptr<Voice> SoundlessSpeech::CreateVoice(std::string& error) {
  error = "The game's own voice plays through the sound device, which --no-sound turns off.";
  return nullptr;
}

}  // namespace corvane
