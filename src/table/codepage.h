// Text on disk is Windows-1252, one byte a character; text in memory is UTF-8. The C library's
// iconv converts between them.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Every byte maps to one character. The five bytes 1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the control characters of the same number, so any file reads back and
// writes out byte for byte.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters 1252 cannot hold, and malformed UTF-8 sequences, become '?'.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace corvane
