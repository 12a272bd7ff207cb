#include "table/codepage.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace corvane {
namespace {

// Bytes 0x80..0x9F; the five the code page leaves undefined stand for the control characters of
// the same number, so any file reads back and writes out byte for byte.
constexpr std::array<std::string_view, 32> kBytes80To9F{
    "€", "\u0081", "‚",      "ƒ", "„",      "…",      "†", "‡",      "ˆ", "‰", "Š",
    "‹", "Œ",      "\u008D", "Ž", "\u008F", "\u0090", "‘", "’",      "“", "”", "•",
    "–", "—",      "˜",      "™", "š",      "›",      "œ", "\u009D", "ž", "Ÿ"};

// The UTF-8 form of byte b: ASCII as it is, 0xA0..0xFF the character of the same number.
std::string CharacterOf(int b) {
  if (b < 0x80) return std::string(1, static_cast<char>(b));
  if (b < 0xA0) return std::string(kBytes80To9F[static_cast<std::size_t>(b - 0x80)]);
  return {static_cast<char>(0xC0 | (b >> 6)), static_cast<char>(0x80 | (b & 0x3F))};
}

TEST(Codepage, EveryByteIsOneCharacterBothWays) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Cp1252ToUtf8(byte), CharacterOf(b)) << b;
    EXPECT_EQ(Utf8ToCp1252(CharacterOf(b)), byte) << b;
  }
}

TEST(Codepage, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
  const struct {
    std::string_view text, bytes;
  } kRows[]{
      {"♠ A", "? A"},                      // the spade suit sign
      {"\xF0\x9F\x83\x81", "?"},           // a playing card, four bytes
      {"a\U000E0041b", "a?b"},             // a language tag character too
      {"a\u0080b\u00A0", "a?b\xA0"},       // a control character the code page has no byte for
      {"ŝ caf\xC3\xA9 ♥", "? caf\xE9 ?"},  // no stand-in letters: only a question mark
      {"a\xFFz", "a?z"},                   // not UTF-8
      {"a\xC3", "a?"},                     // cut short
      {"\xE2\x82", "?"},                   // cut short after a continuation byte
      {"\xE2\x82z", "?z"},                 // broken off by another character
      {"\xC0\xAF\xAF", "?"},               // overlong: one mark for the whole sequence
      {"\xED\xA0\x80x", "?x"},             // a surrogate
      {"\xF4\x90\x80\x80", "?"},           // beyond the last character
      {"\x80z", "?z"},                     // a lone continuation byte
      {"\x80\x80", "??"},                  // each lone continuation byte
      {"\xF8\x88\x80", "???"},             // a lead byte UTF-8 never uses, then lone ones
  };
  for (const auto& row : kRows) EXPECT_EQ(Utf8ToCp1252(row.text), row.bytes) << row.text;
}

}  // namespace
}  // namespace corvane
