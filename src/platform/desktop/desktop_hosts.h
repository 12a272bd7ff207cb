// The desktop program's hosts and speech engines, for main().
#pragma once

#include <memory>

#include "platform/audio_device.h"
#include "platform/host.h"
#include "platform/speech_engines.h"

namespace corvane {

// Whether a graphical display is there to open (DISPLAY or WAYLAND_DISPLAY is set).
bool DisplayAvailable();

// The GTK host; when the display cannot be opened after all, the terminal host (with a note on
// standard error).
std::unique_ptr<Host> MakeGtkHost(int& argc, char**& argv);

// The terminal host.
std::unique_ptr<Host> MakeConsoleHost();

// The screen reader on speech-dispatcher and the game's own voice on espeak-ng, played on
// `device`.
std::unique_ptr<SpeechEngineFactory> MakeDesktopSpeech(AudioDevice& device);

}  // namespace corvane
