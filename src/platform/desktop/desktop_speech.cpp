#include "platform/desktop/desktop_speech.h"

#include "platform/desktop/espeak_voice.h"
#include "platform/desktop/speechd_reader.h"

namespace corvane {

std::unique_ptr<ScreenReader> DesktopSpeech::CreateScreenReader(std::string& error) {
  return ConnectSpeechDispatcher(error);
}

std::unique_ptr<Voice> DesktopSpeech::CreateVoice(std::string& error) {
  return StartEspeakVoice(device_, error);
}

}  // namespace corvane
