// The screen reader on speech-dispatcher, the speech server through which Linux screen readers
// (Orca) speak with the user's own voice settings.
#pragma once

#include <memory>
#include <string>

#include "platform/speech_engines.h"

namespace corvane {

// Connects to the server named by SPEECHD_ADDRESS, or the user's default one (started on demand
// when it is not running); nullptr with the reason in `error` when no server can be reached.
std::unique_ptr<ScreenReader> ConnectSpeechDispatcher(std::string& error);

}  // namespace corvane
