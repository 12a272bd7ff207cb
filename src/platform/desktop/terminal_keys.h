// The keys of a terminal: bytes and escape sequences turned into virtual-key codes and shift bits.
//
// libtermkey reads the bytes: printable characters, Enter, Tab, Backspace, Escape (alone once
// nothing follows it in a short while), Control with a letter, the arrows, Home, End, Insert,
// Delete, Page Up, Page Down, F1..F12, Shift-Tab, the modifiers that xterm and its kin report
// with them (Control-Up, Shift-Page Up, Shift-F2) and Alt as an Escape prefix; the terminal's
// terminfo entry adds what other terminals send (the Linux console's F1..F5). Here its keys become
// the game's: the shifted punctuation of a US keyboard carries Shift, and a capital letter is the
// plain letter, as a terminal cannot tell Caps Lock from Shift.
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
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/key_names.h"

struct TermKey;

namespace corvane {

struct TerminalKey {
  KeyStroke key;
  bool endProgram = false;  // Control-C: end the program as closing the window would
};

class TerminalKeyDecoder {
 public:
  // `terminal` is the terminal's type, as $TERM names it; an unknown type reads what xterm and
  // its kin send.
  explicit TerminalKeyDecoder(const std::string& terminal);
  ~TerminalKeyDecoder();
  TerminalKeyDecoder(const TerminalKeyDecoder&) = delete;
  TerminalKeyDecoder& operator=(const TerminalKeyDecoder&) = delete;

  // Adds bytes read from the terminal.
  void Feed(std::string_view bytes);
  // The next complete key. With `final` false, a lone Escape (or the start of a sequence) at the
  // end of the input waits for more bytes; with `final` true (no more came in a short while) it
  // is taken as it stands.
  std::optional<TerminalKey> Next(bool final);
  // Bytes have come that are no key yet.
  bool Pending() const;

 private:
  struct Release {
    void operator()(TermKey* keys) const;
  };
  // Hands the unread bytes to the library (a key's start at the end waits, unless `final`).
  void Push(bool final);

  std::unique_ptr<TermKey, Release> keys_;
  std::string held_;                 // the bytes the library holds, no key yet
  std::string unread_;               // bytes the library had no room for yet
  std::deque<TerminalKey> decoded_;  // Escapes the library read as one Alt-Escape
};

}  // namespace corvane
