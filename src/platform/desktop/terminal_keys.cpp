#include "platform/desktop/terminal_keys.h"

#include <termkey.h>

#include <cstring>

namespace corvane {

namespace {

constexpr char kEscapeByte = 0x1b;
constexpr int kFunctionKeys = 12;

// A printable character as the key a US keyboard makes it with. A terminal sends the same
// capital for Shift and for Caps Lock, so a letter is the plain letter in either case.
std::optional<KeyStroke> PrintableKey(long c) {
  if (c >= 'a' && c <= 'z') return KeyStroke{static_cast<int>(c - 'a') + 'A', 0};
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return KeyStroke{static_cast<int>(c), 0};
  if (c == ' ') return KeyStroke{kKeySpace, 0};
  static constexpr const char* kShiftedDigits = ")!@#$%^&*(";
  if (c > 0 && c < 0x7f) {
    if (const char* at = std::strchr(kShiftedDigits, static_cast<int>(c))) {
      return KeyStroke{static_cast<int>(at - kShiftedDigits) + '0', kShift};
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

// The game's key for one of the library's named keys; 0 for a key the game has none for. The
// VT220's Find and Select are where PC keyboards have Home and End (a terminal sends them so).
int NamedKey(TermKeySym sym) {
  switch (sym) {
    case TERMKEY_SYM_BACKSPACE:
    case TERMKEY_SYM_DEL:
      return kKeyBack;
    case TERMKEY_SYM_TAB:
      return kKeyTab;
    case TERMKEY_SYM_ENTER:
      return kKeyEnter;
    case TERMKEY_SYM_ESCAPE:
      return kKeyEscape;
    case TERMKEY_SYM_SPACE:
      return kKeySpace;
    case TERMKEY_SYM_PAGEUP:
      return 33;
    case TERMKEY_SYM_PAGEDOWN:
      return 34;
    case TERMKEY_SYM_END:
    case TERMKEY_SYM_SELECT:
      return 35;
    case TERMKEY_SYM_HOME:
    case TERMKEY_SYM_FIND:
      return 36;
    case TERMKEY_SYM_LEFT:
      return 37;
    case TERMKEY_SYM_UP:
      return 38;
    case TERMKEY_SYM_RIGHT:
      return 39;
    case TERMKEY_SYM_DOWN:
      return 40;
    case TERMKEY_SYM_INSERT:
      return 45;
    case TERMKEY_SYM_DELETE:
      return 46;
    default:
      return 0;
  }
}

int ShiftOfModifiers(int modifiers) {
  return ((modifiers & TERMKEY_KEYMOD_SHIFT) != 0 ? kShift : 0) |
         ((modifiers & TERMKEY_KEYMOD_CTRL) != 0 ? kControl : 0) |
         ((modifiers & TERMKEY_KEYMOD_ALT) != 0 ? kAlt : 0);
}

// A character typed with Control comes as a control byte, which the library reads as the letter
// with Control: Control-C ends the program; Control-J and Control-H are the line feed and
// backspace bytes, Enter and Backspace to the game; Control-Space is the byte 0, which is no key.
std::optional<TerminalKey> ControlCharacter(long c, int shift) {
  if (c == 'c') return TerminalKey{{'C', shift}, true};
  const int others = shift & ~kControl;
  if (c == 'j') return TerminalKey{{kKeyEnter, others}};
  if (c == 'h') return TerminalKey{{kKeyBack, others}};
  if (c >= 'a' && c <= 'z') return TerminalKey{{static_cast<int>(c - 'a') + 'A', shift}};
  return std::nullopt;
}

// Alt with a key that has no other modifier stands in for what a terminal cannot send: Alt-0..3
// for Control-0..3, Alt with a letter, in either case, for Shift with the letter.
KeyStroke WithStandIns(KeyStroke key) {
  if (key.shift != kAlt) return key;
  if (key.code >= '0' && key.code <= '3') return {key.code, kControl};
  if (key.code >= 'A' && key.code <= 'Z') return {key.code, kShift};
  return key;
}

// The game's key for one the library read; nothing for keys the game has none for.
std::optional<TerminalKey> GameKey(const TermKeyKey& read) {
  const int shift = ShiftOfModifiers(read.modifiers);
  switch (read.type) {
    case TERMKEY_TYPE_UNICODE: {
      if ((shift & kControl) != 0) return ControlCharacter(read.code.codepoint, shift);
      const std::optional<KeyStroke> key = PrintableKey(read.code.codepoint);
      if (!key) return std::nullopt;
      return TerminalKey{WithStandIns({key->code, key->shift | shift})};
    }
    case TERMKEY_TYPE_KEYSYM:
      if (const int code = NamedKey(read.code.sym); code != 0) {
        return TerminalKey{{code, shift}};
      }
      return std::nullopt;
    case TERMKEY_TYPE_FUNCTION:
      if (read.code.number >= 1 && read.code.number <= kFunctionKeys) {
        return TerminalKey{{kKeyF1 + read.code.number - 1, shift}};
      }
      return std::nullopt;
    default:
      return std::nullopt;  // the mouse, reports, sequences the library does not know
  }
}

// terminfo names Shift-F1 and the like F13..F63 for xterm; left out, they reach the game as F1..F12
// with the modifiers the terminal reported.
const char* WithoutModifiedFunctionKeys(const char* name, const char* value, void*) {
  constexpr std::string_view kPrefix = "key_f";
  const std::string_view capability(name);
  if (capability.starts_with(kPrefix) && capability.size() > kPrefix.size()) {
    int number = 0;
    for (const char digit : capability.substr(kPrefix.size())) {
      if (digit < '0' || digit > '9') return value;
      number = number * 10 + (digit - '0');
    }
    if (number > kFunctionKeys) return nullptr;
  }
  return value;
}

// Some terminals put the modifier into the SS3 form of a key (ESC O 5 A for Control-Up), which
// the library does not read; it reads the CSI form (ESC [ 1 ; 5 A), so such keys are rewritten
// into it. Returns how many of the bytes are ready for the library: unless `final`, a start of
// that form at the end (ESC, ESC O, ESC O 5) waits for the rest.
std::size_t WithModifiersInCsiForm(std::string& bytes, bool final) {
  constexpr std::string_view kSs3 = "\x1bO";
  const auto digit = [&](std::size_t i) { return bytes[i] >= '0' && bytes[i] <= '9'; };
  for (std::size_t start = bytes.find(kEscapeByte); start != std::string::npos;
       start = bytes.find(kEscapeByte, start + 1)) {
    std::size_t end = start + 1;
    if (end < bytes.size() && bytes[end] == 'O') {
      ++end;
      while (end < bytes.size() && digit(end)) ++end;
    }
    if (end == bytes.size()) return final ? bytes.size() : start;  // the rest may follow
    const bool modified = bytes.compare(start, kSs3.size(), kSs3) == 0 && end > start + 2;
    if (modified && bytes[end] >= '@' && bytes[end] <= '~') {
      const std::string modifier = bytes.substr(start + 2, end - start - 2);
      bytes.replace(start, end - start, "\x1b[1;" + modifier);
    }
  }
  return bytes.size();
}

}  // namespace

void TerminalKeyDecoder::Release::operator()(TermKey* keys) const {
  termkey_destroy(keys);
}

TerminalKeyDecoder::TerminalKeyDecoder(const std::string& terminal)
    : keys_(termkey_new_abstract(terminal.c_str(), TERMKEY_FLAG_UTF8 | TERMKEY_FLAG_NOSTART)) {
  if (!keys_) return;
  termkey_hook_terminfo_getstr(keys_.get(), &WithoutModifiedFunctionKeys, nullptr);
  termkey_start(keys_.get());
}

TerminalKeyDecoder::~TerminalKeyDecoder() = default;

void TerminalKeyDecoder::Feed(std::string_view bytes) {
  unread_.append(bytes);
  Push(false);
}

void TerminalKeyDecoder::Push(bool final) {
  if (!keys_ || unread_.empty()) return;
  const std::size_t ready = WithModifiersInCsiForm(unread_, final);
  if (ready == 0) return;
  const std::size_t taken = termkey_push_bytes(keys_.get(), unread_.data(), ready);
  if (taken == static_cast<std::size_t>(-1)) return;  // the library's buffer is full
  held_.append(unread_, 0, taken);
  unread_.erase(0, taken);
}

bool TerminalKeyDecoder::Pending() const {
  return !decoded_.empty() || !held_.empty() || !unread_.empty();
}

std::optional<TerminalKey> TerminalKeyDecoder::Next(bool final) {
  for (;;) {
    if (!decoded_.empty()) {
      const TerminalKey key = decoded_.front();
      decoded_.pop_front();
      return key;
    }
    if (!keys_) return std::nullopt;
    if (final) Push(true);
    TermKeyKey read{};
    TermKeyResult result = termkey_getkey(keys_.get(), &read);
    if (result == TERMKEY_RES_AGAIN && final) result = termkey_getkey_force(keys_.get(), &read);
    // The bytes of the key read: what the library holds no more.
    const std::size_t kept =
        termkey_get_buffer_size(keys_.get()) - termkey_get_buffer_remaining(keys_.get());
    const std::string bytes = held_.substr(0, held_.size() > kept ? held_.size() - kept : 0);
    held_.erase(0, bytes.size());
    Push(final);
    if (result != TERMKEY_RES_KEY) return std::nullopt;
    std::optional<TerminalKey> key = GameKey(read);
    if (!key) continue;  // a key the game has none for
    // Escape pressed again before the last one was taken reads as Alt-Escape: to the game, each
    // Escape byte is an Escape.
    if (key->key == KeyStroke{kKeyEscape, kAlt} &&
        bytes.find_first_not_of(kEscapeByte) == std::string::npos) {
      for (std::size_t i = 0; i < bytes.size(); ++i) decoded_.push_back({{kKeyEscape, 0}});
      continue;
    }
    return key;
  }
}

}  // namespace corvane
