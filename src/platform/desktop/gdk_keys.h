// GDK key events as the game sees them: Windows virtual-key codes and shift bits.
#pragma once

#include <optional>

#include "platform/key_names.h"

namespace corvane {

// The virtual-key code of a GDK key value: letters 65..90 whatever the case, digits 48..57 (the
// keypad's too), F1..F24 112..135, the arrows, editing and navigation keys, the punctuation keys
// with their US-layout codes, and Shift, Control and Alt alone as 16, 17, 18. 0 when the game has
// no code for the key.
int VirtualKeyFromKeyval(unsigned keyval);

// The key press of a GDK event. `keyval` is the event's key value, `baseKeyval` the value the
// same physical key gives without modifiers (so Shift-1 is the key 1 with Shift, not "!"), or 0
// when unknown; `state` is the event's modifier mask. Nothing when the key has no code.
std::optional<KeyStroke> KeyFromGdkEvent(unsigned keyval, unsigned baseKeyval, unsigned state);

}  // namespace corvane
