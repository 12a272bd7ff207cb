// The keys of a terminal: bytes and escape sequences turned into virtual-key codes and shift bits.
//
// Understood: printable characters (the shifted punctuation of a US keyboard carries Shift; a
// capital letter is the plain letter, as a terminal cannot tell Caps Lock from Shift), Enter, Tab,
// Backspace, Escape, Control with a letter, the arrows, Home, End, Insert, Delete, Page Up and
// Page Down (with xterm's modifier reports, so Control-Up and Shift-Page Up work where the
// terminal sends them), F1..F12 in the xterm, VT100 and Linux-console forms, Shift-Tab, and Alt
// as an Escape prefix.
//
// What a terminal cannot send, and its stand-ins:
// - Control with a digit: Alt-0 to Alt-3 stand in for Control-0 to Control-3 (the speech modes).
// - Shift with a letter: Alt with the letter stands in for it (Shift-M, every player's chips).
// - Alt-F4 is usually taken by the window manager or the console's switcher: Control-C stands in
//   for it and ends the program (the terminal's interrupt is off while the game runs).
// - Control or Shift with the arrows and paging keys arrive only from terminals that report
//   modifiers (xterm and its kin); on the Linux console they arrive as the plain keys.
// - Shift, Control and Alt alone are never seen.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "platform/key_names.h"

namespace corvane {

struct TerminalKey {
  KeyStroke key;
  bool endProgram = false;  // Control-C: end the program as closing the window would
};

class TerminalKeyDecoder {
 public:
  // Adds bytes read from the terminal.
  void Feed(std::string_view bytes) { pending_.append(bytes); }
  // The next complete key. With `final` false, a lone Escape (or the start of a sequence) at the
  // end of the input waits for more bytes; with `final` true (no more came in a short while) it
  // is taken as it stands.
  std::optional<TerminalKey> Next(bool final);
  bool Pending() const { return !pending_.empty(); }

 private:
  std::string pending_;
};

}  // namespace corvane
