#include "platform/key_names.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

TEST(KeyNames, LettersAndDigitsAreTheirCharacterCodes) {
  for (char c = 'A'; c <= 'Z'; ++c) {
    EXPECT_EQ(KeyFromName(std::string(1, c)), (KeyStroke{c, 0})) << c;
  }
  for (char c = '0'; c <= '9'; ++c) {
    EXPECT_EQ(KeyFromName(std::string(1, c)), (KeyStroke{c, 0})) << c;
  }
}

TEST(KeyNames, EveryNamedKeyHasItsVirtualKeyCode) {
  const std::vector<std::pair<std::string, int>> names{
      {"Enter", 13}, {"Esc", 27},   {"Space", 32},  {"Tab", 9},     {"Up", 38},   {"Down", 40},
      {"Left", 37},  {"Right", 39}, {"Home", 36},   {"End", 35},    {"PgUp", 33}, {"PgDn", 34},
      {"Del", 46},   {"Back", 8},   {"Comma", 188}, {"Period", 190}};
  for (const auto& [name, code] : names) {
    EXPECT_EQ(KeyFromName(name), (KeyStroke{code, 0})) << name;
    EXPECT_EQ(KeyName({code, 0}), name);
  }
  for (int f = 1; f <= 12; ++f) {
    const std::string name = "F" + std::to_string(f);
    EXPECT_EQ(KeyFromName(name), (KeyStroke{111 + f, 0})) << name;
    EXPECT_EQ(KeyName({111 + f, 0}), name);
  }
}

TEST(KeyNames, PrefixesAddTheirShiftBits) {
  EXPECT_EQ(KeyFromName("Shift+M"), (KeyStroke{'M', 1}));
  EXPECT_EQ(KeyFromName("Ctrl+Up"), (KeyStroke{38, 2}));
  EXPECT_EQ(KeyFromName("Ctrl+0"), (KeyStroke{'0', 2}));
  EXPECT_EQ(KeyFromName("Alt+F4"), (KeyStroke{115, 4}));
  EXPECT_EQ(KeyFromName("Shift+PgUp"), (KeyStroke{33, 1}));
  EXPECT_EQ(KeyFromName("Shift+Comma"), (KeyStroke{188, 1}));
  EXPECT_EQ(KeyFromName("Ctrl+Shift+Up"), (KeyStroke{38, 3}));
  EXPECT_EQ(KeyFromName("Alt+Ctrl+Shift+Del"), (KeyStroke{46, 7}));
  EXPECT_EQ(KeyName({38, 3}), "Shift+Ctrl+Up");
  EXPECT_EQ(KeyName({115, 4}), "Alt+F4");
}

TEST(KeyNames, UnknownNamesAreRefused) {
  for (const char* name :
       {"",       "a",      "x",         "enter",         "ENTER",     "Escape",  "F0",    "F13",
        "F1x",    "F01",    "Shift+",    "Shift+Shift+A", "Control+A", "shift+A", "Ctrl+", "AB",
        "PageUp", "Delete", "Backspace", "Return",        ",",         " A",      "A "}) {
    EXPECT_FALSE(KeyFromName(name).has_value()) << '"' << name << '"';
  }
}

TEST(KeyNames, KeysWithoutANameHaveAnEmptyName) {
  EXPECT_EQ(KeyName({186, 0}), "");
  EXPECT_EQ(KeyName({16, 0}), "");
}

}  // namespace
}  // namespace corvane
