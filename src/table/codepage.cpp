#include "table/codepage.h"

#include <array>
#include <cstdint>

namespace corvane {

namespace {

// Bytes 0x80..0x9F; the undefined ones keep their own number.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHighControls[b - 0x80];
  return b;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

char CodePointToByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(ch)));
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    int length = 0;
    char32_t c = 0;
    if (b0 < 0x80) {
      length = 1;
      c = b0;
    } else if ((b0 & 0xE0) == 0xC0) {
      length = 2;
      c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
      length = 3;
      c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
      length = 4;
      c = b0 & 0x07;
    } else {
      out.push_back('?');  // a stray continuation byte or an invalid lead byte
      ++i;
      continue;
    }
    bool valid = i + static_cast<std::size_t>(length) <= n;
    for (int k = 1; valid && k < length; ++k) {
      const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((b & 0xC0) != 0x80) {
        valid = false;
      } else {
        c = (c << 6) | (b & 0x3F);
      }
    }
    // Overlong forms and surrogates are malformed too.
    constexpr std::array<char32_t, 5> kMinimum{0, 0, 0x80, 0x800, 0x10000};
    if (valid && (c < kMinimum[static_cast<std::size_t>(length)] || c > 0x10FFFF ||
                  (c >= 0xD800 && c <= 0xDFFF))) {
      valid = false;
    }
    if (!valid) {
      out.push_back('?');
      ++i;
      // Skip the continuation bytes of the broken sequence, one '?' for all of it.
      while (i < n && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
      continue;
    }
    out.push_back(CodePointToByte(c));
    i += static_cast<std::size_t>(length);
  }
  return out;
}

}  // namespace corvane
