// The desktop host on GTK 3: two windows titled "Corvane", the sound window Form1 with its text
// window pText (hidden at start; Orca reads it and sends it to a Braille display) and the speech
// window FRM_TTS.
//
// The game asks for events; the host blocks in the GLib main context until one arrives or the
// deadline passes, so an idle prompt costs no processor time. Toolkit callbacks only queue events:
// no game code runs inside GTK.
#pragma once

#include <memory>

#include "platform/host.h"

namespace corvane {

// Starts GTK on the display; nullptr when there is none to open.
std::unique_ptr<Host> StartGtkHost(int& argc, char**& argv);

}  // namespace corvane
