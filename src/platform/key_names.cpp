#include "platform/key_names.h"

#include <array>
#include <utility>

#include "platform/key_codes.h"

namespace corvane {

namespace {

struct NamedKey {
  std::string_view name;
  int code;
};

constexpr std::array<NamedKey, 20> kNamedKeys{{
    {"Enter", 13},
    {"Esc", 27},
    {"Space", 32},
    {"Tab", 9},
    {"Up", 38},
    {"Down", 40},
    {"Left", 37},
    {"Right", 39},
    {"Home", 36},
    {"End", 35},
    {"PgUp", 33},
    {"PgDn", 34},
    {"Del", 46},
    {"Back", 8},
    {"Comma", 188},
    {"Period", 190},
    {"Semicolon", kKeySemicolon},
    {"Minus", kKeyMinus},
    {"LeftBracket", kKeyLeftBracket},
    {"RightBracket", kKeyRightBracket},
}};

constexpr std::array<std::pair<std::string_view, int>, 3> kPrefixes{{
    {"Shift+", kShift},
    {"Ctrl+", kControl},
    {"Alt+", kAlt},
}};

std::optional<int> BareKeyCode(std::string_view name) {
  if (name.size() == 1) {
    const char c = name[0];
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    return std::nullopt;
  }
  for (const NamedKey& key : kNamedKeys) {
    if (key.name == name) return key.code;
  }
  // F1..F12 are the codes 112..123.
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F' && name[1] >= '1' && name[1] <= '9') {
    int number = name[1] - '0';
    if (name.size() == 3) {
      if (number != 1 || name[2] < '0' || name[2] > '2') return std::nullopt;
      number = 10 + (name[2] - '0');
    }
    return 111 + number;
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyStroke> KeyFromName(std::string_view name) {
  KeyStroke key;
  // The prefixes may come in any order, each at most once.
  for (bool found = true; found;) {
    found = false;
    for (const auto& [prefix, bit] : kPrefixes) {
      if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix) {
        if ((key.shift & bit) != 0) return std::nullopt;
        key.shift |= bit;
        name.remove_prefix(prefix.size());
        found = true;
      }
    }
  }
  const std::optional<int> code = BareKeyCode(name);
  if (!code) return std::nullopt;
  key.code = *code;
  return key;
}

std::string KeyName(KeyStroke key) {
  std::string bare;
  if ((key.code >= 'A' && key.code <= 'Z') || (key.code >= '0' && key.code <= '9')) {
    bare = std::string(1, static_cast<char>(key.code));
  } else if (key.code >= 112 && key.code <= 123) {
    bare = "F" + std::to_string(key.code - 111);
  } else {
    for (const NamedKey& named : kNamedKeys) {
      if (named.code == key.code) bare = std::string(named.name);
    }
  }
  if (bare.empty()) return bare;
  std::string name;
  for (const auto& [prefix, bit] : kPrefixes) {
    if ((key.shift & bit) != 0) name += prefix;
  }
  return name + bare;
}

}  // namespace corvane
