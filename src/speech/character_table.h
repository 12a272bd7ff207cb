// The character table of the speech window: the character each key gives, and the name it is
// spoken by when the character alone would not be heard clearly.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace corvane {

inline constexpr int kCharacterRows = 96;

struct CharacterRow {
  std::int16_t keyValue = 0;    // the key code, as CommandKeyOf(kShift, code) for the shifted key
  std::string_view character;   // one character; empty in the unused row
  std::string_view spokenName;  // empty when the character is spoken as itself
};

// Rows 1..96 (row 0 is unused, row 81 is empty).
const std::array<CharacterRow, kCharacterRows + 1>& CharacterTable();

// The row's spoken name, or its character when it has none.
inline std::string_view SpokenForm(const CharacterRow& row) {
  return row.spokenName.empty() ? row.character : row.spokenName;
}

}  // namespace corvane
