#include "platform/desktop/terminal_keys.h"

#include <cstring>

namespace corvane {

namespace {

constexpr int kShift = 1;
constexpr int kControl = 2;
constexpr int kAlt = 4;

// A printable character as the key a US keyboard makes it with. A terminal sends the same
// capital for Shift and for Caps Lock, so a letter is the plain letter in either case.
std::optional<KeyStroke> PrintableKey(unsigned char c) {
  if (c >= 'a' && c <= 'z') return KeyStroke{c - 'a' + 65, 0};
  if (c >= 'A' && c <= 'Z') return KeyStroke{c, 0};
  if (c >= '0' && c <= '9') return KeyStroke{c, 0};
  if (c == ' ') return KeyStroke{32, 0};
  static constexpr const char* kShiftedDigits = ")!@#$%^&*(";
  if (c != 0) {
    if (const char* at = std::strchr(kShiftedDigits, c)) {
      return KeyStroke{static_cast<int>(at - kShiftedDigits) + 48, kShift};
    }
  }
  switch (c) {
    case ';':
      return KeyStroke{186, 0};
    case ':':
      return KeyStroke{186, kShift};
    case '=':
      return KeyStroke{187, 0};
    case '+':
      return KeyStroke{187, kShift};
    case ',':
      return KeyStroke{188, 0};
    case '<':
      return KeyStroke{188, kShift};
    case '-':
      return KeyStroke{189, 0};
    case '_':
      return KeyStroke{189, kShift};
    case '.':
      return KeyStroke{190, 0};
    case '>':
      return KeyStroke{190, kShift};
    case '/':
      return KeyStroke{191, 0};
    case '?':
      return KeyStroke{191, kShift};
    case '`':
      return KeyStroke{192, 0};
    case '~':
      return KeyStroke{192, kShift};
    case '[':
      return KeyStroke{219, 0};
    case '{':
      return KeyStroke{219, kShift};
    case '\\':
      return KeyStroke{220, 0};
    case '|':
      return KeyStroke{220, kShift};
    case ']':
      return KeyStroke{221, 0};
    case '}':
      return KeyStroke{221, kShift};
    case '\'':
      return KeyStroke{222, 0};
    case '"':
      return KeyStroke{222, kShift};
    default:
      return std::nullopt;
  }
}

// A single byte that is a key by itself.
std::optional<TerminalKey> ByteKey(unsigned char c) {
  switch (c) {
    case '\r':
    case '\n':
      return TerminalKey{{13, 0}};
    case '\t':
      return TerminalKey{{9, 0}};
    case 0x7f:
    case 0x08:
      return TerminalKey{{8, 0}};
    case 0x1b:
      return TerminalKey{{27, 0}};
    case 0x03:
      return TerminalKey{{67, kControl}, true};
    default:
      break;
  }
  if (c >= 1 && c <= 26) return TerminalKey{{c - 1 + 65, kControl}};
  if (const std::optional<KeyStroke> key = PrintableKey(c)) return TerminalKey{*key};
  return std::nullopt;
}

// xterm's modifier parameter: 1 + (1 Shift, 2 Alt, 4 Control).
int ModifierBits(int parameter) {
  if (parameter < 2) return 0;
  const int bits = parameter - 1;
  return ((bits & 1) != 0 ? kShift : 0) | ((bits & 2) != 0 ? kAlt : 0) |
         ((bits & 4) != 0 ? kControl : 0);
}

// The key of a letter ending an "ESC [" or "ESC O" sequence.
int FinalLetterKey(char c) {
  switch (c) {
    case 'A':
      return 38;
    case 'B':
      return 40;
    case 'C':
      return 39;
    case 'D':
      return 37;
    case 'H':
      return 36;
    case 'F':
      return 35;
    case 'P':
      return 112;
    case 'Q':
      return 113;
    case 'R':
      return 114;
    case 'S':
      return 115;
    default:
      return 0;
  }
}

// The key of "ESC [ N ~".
int TildeKey(int number) {
  switch (number) {
    case 1:
    case 7:
      return 36;
    case 2:
      return 45;
    case 3:
      return 46;
    case 4:
    case 8:
      return 35;
    case 5:
      return 33;
    case 6:
      return 34;
    case 11:
      return 112;
    case 12:
      return 113;
    case 13:
      return 114;
    case 14:
      return 115;
    case 15:
      return 116;
    case 17:
      return 117;
    case 18:
      return 118;
    case 19:
      return 119;
    case 20:
      return 120;
    case 21:
      return 121;
    case 23:
      return 122;
    case 24:
      return 123;
    default:
      return 0;
  }
}

enum class Parse { Complete, Incomplete, Invalid };

// Parses the escape sequence at the start of `text` (which begins with ESC and a second byte of
// '[' or 'O'); on Complete, `length` is its length and `key` its key (code 0 for one we ignore).
Parse ParseSequence(const std::string& text, std::size_t& length, KeyStroke& key) {
  const char introducer = text[1];
  std::size_t i = 2;
  if (introducer == '[' && i < text.size() && text[i] == '[') {
    // The Linux console's F1..F5: ESC [ [ A..E.
    if (i + 1 >= text.size()) return Parse::Incomplete;
    const char c = text[i + 1];
    length = i + 2;
    key = {c >= 'A' && c <= 'E' ? 112 + (c - 'A') : 0, 0};
    return Parse::Complete;
  }
  int parameters[4] = {0, 0, 0, 0};
  int count = 0;
  bool digits = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      if (count == 0) count = 1;
      parameters[count - 1] = parameters[count - 1] * 10 + (c - '0');
      if (parameters[count - 1] > 1000) return Parse::Invalid;
      digits = true;
      continue;
    }
    if (c == ';') {
      if (count == 0) count = 1;
      if (count == 4) return Parse::Invalid;
      ++count;
      continue;
    }
    length = i + 1;
    const int modifiers = count >= 2 ? ModifierBits(parameters[1]) : 0;
    if (c == '~' && introducer == '[') {
      key = {TildeKey(parameters[0]), modifiers};
      return Parse::Complete;
    }
    if (c == 'Z' && introducer == '[') {
      key = {9, kShift};
      return Parse::Complete;
    }
    if (const int code = FinalLetterKey(c); code != 0) {
      // "ESC O 2 P" (some terminals) puts the modifier first.
      const int letterModifiers = count >= 2                    ? modifiers
                                  : digits && introducer == 'O' ? ModifierBits(parameters[0])
                                                                : 0;
      key = {code, letterModifiers};
      return Parse::Complete;
    }
    if (c >= 0x40 && c <= 0x7e) {
      key = {0, 0};  // a sequence the game has no key for
      return Parse::Complete;
    }
    return Parse::Invalid;
  }
  return Parse::Incomplete;
}

}  // namespace

std::optional<TerminalKey> TerminalKeyDecoder::Next(bool final) {
  while (!pending_.empty()) {
    const auto first = static_cast<unsigned char>(pending_[0]);
    if (first != 0x1b) {
      pending_.erase(0, 1);
      if (std::optional<TerminalKey> key = ByteKey(first)) return key;
      continue;  // bytes of no key (UTF-8 letters, NUL) are dropped
    }
    if (pending_.size() == 1) {
      if (!final) return std::nullopt;
      pending_.clear();
      return TerminalKey{{27, 0}};
    }
    const char second = pending_[1];
    if (second == '[' || second == 'O') {
      std::size_t length = 0;
      KeyStroke key;
      const Parse parse = ParseSequence(pending_, length, key);
      if (parse == Parse::Incomplete && !final) return std::nullopt;
      if (parse == Parse::Complete) {
        pending_.erase(0, length);
        if (key.code == 0) continue;
        return TerminalKey{key};
      }
      if (second == 'O' || parse == Parse::Incomplete) {
        // Alt-O or Alt-[ typed by hand, or a sequence cut short.
        pending_.erase(0, 2);
        return TerminalKey{{second == 'O' ? 79 : 219, kAlt | (second == 'O' ? kShift : 0)}};
      }
      pending_.erase(0, 2);  // a broken sequence: skip its introducer
      continue;
    }
    if (second == 0x1b) {
      // Escape twice: the first is a key by itself.
      pending_.erase(0, 1);
      return TerminalKey{{27, 0}};
    }
    // Alt with a key: the terminal sends Escape before it.
    pending_.erase(0, 2);
    std::optional<TerminalKey> key = ByteKey(static_cast<unsigned char>(second));
    if (!key) continue;
    key->key.shift |= kAlt;
    // Alt-0..Alt-3 stand in for Control-0..Control-3, which no terminal sends.
    if (key->key.shift == kAlt && key->key.code >= '0' && key->key.code <= '3') {
      key->key.shift = kControl;
    }
    // Alt with a letter, in either case, stands in for Shift with the letter.
    if (key->key.shift == kAlt && key->key.code >= 'A' && key->key.code <= 'Z') {
      key->key.shift = kShift;
    }
    return key;
  }
  return std::nullopt;
}

}  // namespace corvane
