#include "table/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <string>
#include <system_error>

namespace corvane {

namespace {

constexpr const char* kCodePage = "WINDOWS-1252";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kCodePoints = "UTF-32LE";  // four bytes a character, lowest first

// The bytes the code page leaves undefined, which iconv refuses: each stands for the control
// character of the same number, so any file reads back and writes out byte for byte.
constexpr std::array<unsigned char, 5> kUndefinedBytes{0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool IsUndefinedByte(char32_t c) {
  return std::find(kUndefinedBytes.begin(), kUndefinedBytes.end(), c) != kUndefinedBytes.end();
}

// One iconv conversion, open for the life of the object. The C library always has these
// conversions (glibc keeps the code page among its own modules); without them names and files
// would be garbled, so a library that lacks them stops the program with its reason.
class Conversion {
 public:
  Conversion(const char* to, const char* from) : cd_(::iconv_open(to, from)) {
    if (cd_ == kNotOpen) {
      throw std::system_error(errno, std::generic_category(),
                              std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Conversion() { ::iconv_close(cd_); }
  Conversion(const Conversion&) = delete;
  Conversion& operator=(const Conversion&) = delete;

  // Converts `in` from its start until the end or the first character the conversion refuses
  // (one it cannot hold, a malformed or cut-short sequence), appending at most `room` bytes to
  // `out`; returns how many bytes of `in` it took.
  std::size_t Convert(std::string_view in, std::string& out, std::size_t room) {
    if (in.empty()) return 0;
    const std::size_t start = out.size();
    out.resize(start + room);
    char* from = const_cast<char*>(in.data());  // iconv's interface; it only reads the input
    std::size_t fromLeft = in.size();
    char* to = out.data() + start;
    std::size_t toLeft = room;
    ::iconv(cd_, &from, &fromLeft, &to, &toLeft);
    out.resize(start + room - toLeft);
    return in.size() - fromLeft;
  }

 private:
  static inline const iconv_t kNotOpen = reinterpret_cast<iconv_t>(-1);

  iconv_t cd_;
};

// The character at the start of a UTF-8 text and its length in bytes; length 0 when the text
// does not start with a well-formed character.
struct Utf8Character {
  char32_t code = 0;
  std::size_t length = 0;
};

Utf8Character FirstCharacter(std::string_view text) {
  Conversion toCodePoints(kCodePoints, kUtf8);
  std::string point;
  const std::size_t length = toCodePoints.Convert(text, point, 4);
  if (point.size() != 4) return {};
  char32_t code = 0;
  for (int i = 3; i >= 0; --i) code = (code << 8) | static_cast<unsigned char>(point[i]);
  return {code, length};
}

bool IsLeadByte(unsigned char b) {
  return (b & 0xE0) == 0xC0 || (b & 0xF0) == 0xE0 || (b & 0xF8) == 0xF0;
}

bool IsContinuationByte(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

// How many bytes a malformed sequence at the start of `text` takes: a lead byte with all the
// continuation bytes after it (one mark for the broken sequence), or a lone byte.
std::size_t MalformedLength(std::string_view text) {
  std::size_t length = 1;
  if (!IsLeadByte(static_cast<unsigned char>(text[0]))) return length;
  while (length < text.size() && IsContinuationByte(static_cast<unsigned char>(text[length]))) {
    ++length;
  }
  return length;
}

// glibc drops the language tag characters U+E0000..U+E007F when it converts to a one-byte code
// page; like every other character the code page cannot hold, each becomes a question mark. In
// UTF-8 they are F3 A0 80 80 .. F3 A0 81 BF.
constexpr std::size_t kTagLength = 4;

// Where the first well-formed tag character in `text` starts, or npos.
std::size_t FindTagCharacter(std::string_view text) {
  for (std::size_t at = text.find("\xF3\xA0"); at != std::string_view::npos;
       at = text.find("\xF3\xA0", at + 1)) {
    if (at + kTagLength > text.size()) break;
    const auto third = static_cast<unsigned char>(text[at + 2]);
    if ((third == 0x80 || third == 0x81) &&
        IsContinuationByte(static_cast<unsigned char>(text[at + 3]))) {
      return at;
    }
  }
  return std::string_view::npos;
}

// Appends the code page's bytes for `text`: a character the code page cannot hold and a
// malformed sequence each become a question mark, and the control characters of the undefined
// bytes become those bytes.
void ConvertToCodePage(Conversion& toCodePage, std::string_view text, std::string& out) {
  while (!text.empty()) {
    // No character takes fewer than one byte of UTF-8.
    text.remove_prefix(toCodePage.Convert(text, out, text.size()));
    if (text.empty()) break;
    const Utf8Character refused = FirstCharacter(text);
    if (refused.length == 0) {
      out.push_back('?');
      text.remove_prefix(MalformedLength(text));
    } else {
      out.push_back(IsUndefinedByte(refused.code) ? static_cast<char>(refused.code) : '?');
      text.remove_prefix(refused.length);
    }
  }
}

// ASCII is the same in both, and most text the game converts (names, menu keys) is ASCII.
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  constexpr std::size_t kLongestCharacter = 3;  // the euro sign and the quotes take three bytes
  Conversion toUtf8(kUtf8, kCodePage);
  std::string out;
  while (!bytes.empty()) {
    bytes.remove_prefix(toUtf8.Convert(bytes, out, bytes.size() * kLongestCharacter));
    if (bytes.empty()) break;
    // A byte iconv refuses is one the code page leaves undefined: its control character.
    const auto b = static_cast<unsigned char>(bytes[0]);
    out.push_back(static_cast<char>(0xC0 | (b >> 6)));
    out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    bytes.remove_prefix(1);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  Conversion toCodePage(kCodePage, kUtf8);
  std::string out;
  while (!text.empty()) {
    const std::size_t tag = FindTagCharacter(text);
    ConvertToCodePage(toCodePage, text.substr(0, tag), out);
    if (tag == std::string_view::npos) break;
    out.push_back('?');
    text.remove_prefix(tag + kTagLength);
  }
  return out;
}

}  // namespace corvane
