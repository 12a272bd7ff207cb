#include "platform/desktop/desktop_speech.h"

#include "platform/desktop/espeak_voice.h"
#include "platform/desktop/speechd_reader.h"

namespace corvane {

// The libraries' own reasons are for developers; the player is told which engine failed.
std::unique_ptr<ScreenReader> DesktopSpeech::CreateScreenReader(std::string& error) {
  std::unique_ptr<ScreenReader> reader = ConnectSpeechDispatcher(error);
  error = reader ? "" : std::string(kScreenReaderUnreachable);
  return reader;
}

std::unique_ptr<Voice> DesktopSpeech::CreateVoice(std::string& error) {
  std::unique_ptr<Voice> voice = StartEspeakVoice(device_, error);
  error = voice ? "" : std::string(kVoiceUnavailable);
  return voice;
}

}  // namespace corvane
