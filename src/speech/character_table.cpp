#include "speech/character_table.h"

#include "platform/key_codes.h"

namespace corvane {
namespace {

constexpr std::string_view kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kLower = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kDigits = "0123456789";

// Rows 63 to 96; the empty row 81 is the one with key value 0.
constexpr std::array<CharacterRow, 34> kPunctuation{{
    {188, ",", "comma"},
    {190, ".", "period"},
    {191, "/", ""},
    {1188, "<", "less"},
    {1190, ">", "greater"},
    {1191, "?", "question"},
    {1049, "!", "exclaim"},
    {1050, "@", ""},
    {1051, "#", ""},
    {1052, "$", ""},
    {1053, "%", ""},
    {1054, "^", ""},
    {1055, "&", ""},
    {1056, "*", ""},
    {1057, "(", "left parren"},
    {1048, ")", "right parren"},
    {1189, "_", ""},
    {1187, "+", ""},
    {0, "", ""},
    {192, "`", ""},
    {1192, "~", ""},
    {189, "-", "dash"},
    {187, "=", ""},
    {186, ";", "semi colan"},
    {222, "'", "apostrophe"},
    {1186, ":", "colan"},
    {1222, "\"", "quote"},
    {219, "[", "left bracket"},
    {221, "]", "right bracket"},
    {1219, "{", "left brace"},
    {1221, "}", "right brace"},
    {32, " ", "space"},
    {220, "\\", "back slash"},
    {1220, "|", "vertical bar"},
}};

std::array<CharacterRow, kCharacterRows + 1> Build() {
  std::array<CharacterRow, kCharacterRows + 1> rows{};
  int row = 1;
  for (std::size_t i = 0; i < kUpper.size(); ++i) {
    const auto code = static_cast<std::int16_t>('A' + i);
    rows[row++] = {code, kUpper.substr(i, 1), ""};
    rows[row++] = {static_cast<std::int16_t>(CommandKeyOf(kShift, code)), kLower.substr(i, 1), ""};
  }
  for (std::size_t i = 0; i < kDigits.size(); ++i) {
    rows[row++] = {static_cast<std::int16_t>('0' + i), kDigits.substr(i, 1), ""};
  }
  for (const CharacterRow& punctuation : kPunctuation) rows[row++] = punctuation;
  return rows;
}

}  // namespace

const std::array<CharacterRow, kCharacterRows + 1>& CharacterTable() {
  static const std::array<CharacterRow, kCharacterRows + 1> table = Build();
  return table;
}

}  // namespace corvane
