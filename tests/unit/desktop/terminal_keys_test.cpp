#include "platform/desktop/terminal_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

// Every key the bytes make, by name ("Ctrl+Up"), "close" for Control-C, "?" for keys without a
// script name, from a terminal of the given type; a lone Escape at the end is taken as final.
std::vector<std::string> Keys(const std::string& bytes,
                              const std::string& terminal = "xterm-256color") {
  TerminalKeyDecoder decoder(terminal);
  decoder.Feed(bytes);
  std::vector<std::string> names;
  for (;;) {
    std::optional<TerminalKey> key = decoder.Next(false);
    if (!key) key = decoder.Next(true);
    if (!key) break;
    if (key->endProgram) {
      names.push_back("close");
      continue;
    }
    const std::string name = KeyName(key->key);
    names.push_back(name.empty()
                        ? "?" + std::to_string(key->key.code) + "/" + std::to_string(key->key.shift)
                        : name);
  }
  return names;
}

using Names = std::vector<std::string>;

TEST(TerminalKeys, PlainCharacters) {
  EXPECT_EQ(Keys("aZ7 ,."), (Names{"A", "Z", "7", "Space", "Comma", "Period"}));
  EXPECT_EQ(Keys("SsTy"), (Names{"S", "S", "T", "Y"}));  // Caps Lock or Shift: the plain letter
  EXPECT_EQ(Keys("\r\n\t\x7f\x08"), (Names{"Enter", "Enter", "Tab", "Back", "Back"}));
  EXPECT_EQ(Keys("!<:`"), (Names{"Shift+1", "Shift+Comma", "Shift+Semicolon", "?192/0"}));
}

TEST(TerminalKeys, ControlLetters) {
  EXPECT_EQ(Keys("\x01\x04\x1a"), (Names{"Ctrl+A", "Ctrl+D", "Ctrl+Z"}));
  EXPECT_EQ(Keys("\x03"), (Names{"close"}));
}

TEST(TerminalKeys, ArrowsAndNavigation) {
  EXPECT_EQ(Keys("\x1b[A\x1b[B\x1b[C\x1b[D"), (Names{"Up", "Down", "Right", "Left"}));
  EXPECT_EQ(Keys("\x1bOA\x1bOD"), (Names{"Up", "Left"}));
  EXPECT_EQ(Keys("\x1b[H\x1b[F\x1bOH\x1bOF"), (Names{"Home", "End", "Home", "End"}));
  EXPECT_EQ(Keys("\x1b[1~\x1b[4~\x1b[7~\x1b[8~"), (Names{"Home", "End", "Home", "End"}));
  EXPECT_EQ(Keys("\x1b[3~\x1b[5~\x1b[6~"), (Names{"Del", "PgUp", "PgDn"}));
  EXPECT_EQ(Keys("\x1b[2~"), (Names{"?45/0"}));
}

TEST(TerminalKeys, ModifierReports) {
  EXPECT_EQ(Keys("\x1b[1;5A\x1b[1;5B"), (Names{"Ctrl+Up", "Ctrl+Down"}));
  EXPECT_EQ(Keys("\x1b[5;2~\x1b[6;2~"), (Names{"Shift+PgUp", "Shift+PgDn"}));
  EXPECT_EQ(Keys("\x1b[1;2Q\x1b[1;3S"), (Names{"Shift+F2", "Alt+F4"}));
  EXPECT_EQ(Keys("\x1b[1;8C"), (Names{"Shift+Ctrl+Alt+Right"}));
  EXPECT_EQ(Keys("\x1b[Z"), (Names{"Shift+Tab"}));
  EXPECT_EQ(Keys("\x1bO5A\x1bO2Q"), (Names{"Ctrl+Up", "Shift+F2"}));  // the modifier in SS3 form
}

TEST(TerminalKeys, FunctionKeysInEveryForm) {
  EXPECT_EQ(Keys("\x1bOP\x1bOQ\x1bOR\x1bOS"), (Names{"F1", "F2", "F3", "F4"}));
  EXPECT_EQ(Keys("\x1b[11~\x1b[15~\x1b[17~\x1b[21~\x1b[23~\x1b[24~"),
            (Names{"F1", "F5", "F6", "F10", "F11", "F12"}));
  EXPECT_EQ(Keys("\x1b[[A\x1b[[E", "linux"), (Names{"F1", "F5"}));  // the Linux console's
}

TEST(TerminalKeys, AltIsAnEscapePrefix) {
  EXPECT_EQ(Keys("\x1b\r\x1b,\x1b\x01"), (Names{"Alt+Enter", "Alt+Comma", "Ctrl+Alt+A"}));
}

TEST(TerminalKeys, AltLettersStandInForShiftLetters) {
  EXPECT_EQ(Keys("\x1bm\x1bM\x1bs"), (Names{"Shift+M", "Shift+M", "Shift+S"}));
}

TEST(TerminalKeys, AltDigitsStandInForControlDigits) {
  EXPECT_EQ(Keys("\x1b"
                 "0\x1b"
                 "1\x1b"
                 "2\x1b"
                 "3\x1b"
                 "4"),
            (Names{"Ctrl+0", "Ctrl+1", "Ctrl+2", "Ctrl+3", "Alt+4"}));
}

TEST(TerminalKeys, EscapeAloneWaitsForWhatFollows) {
  TerminalKeyDecoder decoder("xterm-256color");
  decoder.Feed("\x1b");
  EXPECT_FALSE(decoder.Next(false).has_value());
  decoder.Feed("[");
  EXPECT_FALSE(decoder.Next(false).has_value());
  decoder.Feed("A");
  const std::optional<TerminalKey> key = decoder.Next(false);
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->key, (KeyStroke{38, 0}));
  EXPECT_FALSE(decoder.Pending());
}

TEST(TerminalKeys, EscapeAloneIsEscapeWhenNothingFollows) {
  EXPECT_EQ(Keys("\x1b"), (Names{"Esc"}));
  EXPECT_EQ(Keys("\x1b\x1b\x1b"), (Names{"Esc", "Esc", "Esc"}));
  EXPECT_EQ(Keys("\x1b\x1b[A"), (Names{"Alt+Up"}));  // as rxvt sends Alt-Up
}

TEST(TerminalKeys, UnknownSequencesAndBytesAreSkipped) {
  EXPECT_EQ(Keys("\x1b[99~a"), (Names{"A"}));
  EXPECT_EQ(Keys("\x1b[1;5Xb"), (Names{"B"}));
  EXPECT_EQ(Keys("\xc3\xa9z"), (Names{"Z"}));
}

}  // namespace
}  // namespace corvane
