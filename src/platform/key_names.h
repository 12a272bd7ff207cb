// Key names as scripts write them: "A".."Z", "0".."9", "Enter", "Esc", "Space", "Tab", "Up",
// "Down", "Left", "Right", "Home", "End", "PgUp", "PgDn", "Del", "Back", "Comma", "Period",
// "F1".."F12", each with any of the prefixes "Shift+", "Ctrl+" and "Alt+" (for example
// "Shift+M", "Ctrl+Up", "Alt+F4"). Names are case-sensitive.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/key_codes.h"

namespace corvane {

// A key press as the game sees it: the Windows virtual-key code and the ShiftBits.
struct KeyStroke {
  int code = 0;
  int shift = 0;
  friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The key a name stands for; nothing when the name is unknown.
std::optional<KeyStroke> KeyFromName(std::string_view name);

// The name of a key, with its prefixes in the order Shift+, Ctrl+, Alt+; empty when the key has
// no name.
std::string KeyName(KeyStroke key);

}  // namespace corvane
