// "CV PokerSettings.sav" byte for byte: hand-made files read as the setup they hold and written
// back unchanged; damaged files and answers out of range refused, the setup kept.
#include "store/table_setup_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "table/table_state.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

std::string Name30(std::string_view text) {
  std::string field(text);
  field.resize(30, ' ');
  return field;
}

// The file of a five-player table with the default answers.
const std::string kDefault = Name30("The Boss") + Bytes({3, 0, 0xE8, 0x03, 0, 0, 25, 0, 0, 0}) +
                             Bytes({0x10, 0x27, 0, 0, 5, 0}) + Name30("Susan") + Name30("Harry") +
                             Name30("Donald") + Name30("jill") + Bytes({1, 0, 10, 0, 0, 0});

// The default file with the bytes at offset replaced. Offsets: max raises 30, max raise 32, ante
// 36, starting chips 40, players 44, end rule 166, its amount 168.
std::string Patched(std::size_t offset, const std::string& bytes) {
  std::string file = kDefault;
  file.replace(offset, bytes.size(), bytes);
  return file;
}

// The setup on one line: names (seats 1..7, "." for empty), raises, highest raise, ante, chips,
// players, end rule and its amount.
std::string Fields(const TableSetupRecord& s) {
  std::ostringstream out;
  for (int seat = 1; seat <= kMaxSeats; ++seat) {
    const std::string& name = s.PlayerName[static_cast<std::size_t>(seat)];
    out << (seat > 1 ? "/" : "") << (name.empty() ? "." : name);
  }
  out << " " << s.MaxRaises << " " << s.MaxRaise << " " << s.Ante << " " << s.StartingChips << " "
      << s.PlayerCount << " " << s.GameEndRule << " " << s.GameEndAmount;
  return out.str();
}

TEST(TableSetupFile, HandMadeFilesReadWriteBackOrAreRefused) {
  TableSetupRecord kept;
  kept.PlayerCount = 6;
  kept.PlayerName[1] = "kept";
  const std::string refused = Fields(kept);
  std::string seven = Name30("Ann") + Bytes({20, 0, 0x40, 0x42, 0x0F, 0, 0xF4, 0x01, 0, 0}) +
                      Bytes({0x80, 0x96, 0x98, 0, 7, 0});
  for (const char* bot : {"B2", "B3", "B4", "B5", "B6", "An extraordinarily long bot na"})
    seven += Name30(bot);
  seven += Bytes({3, 0, 0xE8, 0x03, 0, 0});
  const struct {
    const char* what;
    std::string bytes;
    std::string fields;  // refused: the setup kept
    bool writtenBack;
  } rows[] = {
      {"five players, the default answers", kDefault,
       "The Boss/Susan/Harry/Donald/jill/./. 3 1000 25 10000 5 1 10", true},
      {"seven players, the largest answers", seven,
       "Ann/B2/B3/B4/B5/B6/An extraordinarily long bot na 20 1000000 500 10000000 7 3 1000", true},
      {"Windows-1252 names", Patched(0, Name30("Zo\xEB")),
       "Zo\xC3\xAB/Susan/Harry/Donald/jill/./. 3 1000 25 10000 5 1 10", true},
      {"blanks trimmed; empty names and names from a zero byte read as empty",
       Name30("  Ann  ") + Bytes({3, 0, 0xE8, 0x03, 0, 0, 25, 0, 0, 0, 0x10, 0x27, 0, 0, 4, 0}) +
           Name30("   Bo") + Name30("") + Bytes({0, 'X', 'Y'}) + std::string(27, ' ') +
           Bytes({2, 0, 120, 0, 0, 0}),
       "Ann/Bo/././././. 3 1000 25 10000 4 2 120", false},
      {"end rule 2 at 5 minutes", Patched(166, Bytes({2, 0, 5, 0, 0, 0})),
       "The Boss/Susan/Harry/Donald/jill/./. 3 1000 25 10000 5 2 5", true},
      {"end rule 3 after 1 round", Patched(166, Bytes({3, 0, 1, 0, 0, 0})),
       "The Boss/Susan/Harry/Donald/jill/./. 3 1000 25 10000 5 3 1", true},
      {"end rule 0", Patched(166, Bytes({0, 0, 0, 0, 0, 0})),
       "The Boss/Susan/Harry/Donald/jill/./. 3 1000 25 10000 5 0 0", true},
      {"empty", "", refused, false},
      {"short by one", kDefault.substr(0, kDefault.size() - 1), refused, false},
      {"long by one", kDefault + " ", refused, false},
      {"no raises", Patched(30, Bytes({0, 0})), refused, false},
      {"21 raises", Patched(30, Bytes({21, 0})), refused, false},
      {"highest raise 0", Patched(32, Bytes({0, 0, 0, 0})), refused, false},
      {"highest raise 1,000,001", Patched(32, Bytes({0x41, 0x42, 0x0F, 0})), refused, false},
      {"ante 0", Patched(36, Bytes({0, 0, 0, 0})), refused, false},
      {"ante -1", Patched(36, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), refused, false},
      {"49 starting chips", Patched(40, Bytes({49, 0, 0, 0})), refused, false},
      {"10,000,001 starting chips", Patched(40, Bytes({0x81, 0x96, 0x98, 0})), refused, false},
      {"one player", Patched(44, Bytes({1, 0})), refused, false},
      {"eight players", Patched(44, Bytes({8, 0})), refused, false},
      {"four players in a five-player file", Patched(44, Bytes({4, 0})), refused, false},
      {"end rule 4", Patched(166, Bytes({4, 0})), refused, false},
      {"end rule -1", Patched(166, Bytes({0xFF, 0xFF})), refused, false},
      {"4 minutes", Patched(166, Bytes({2, 0, 4, 0, 0, 0})), refused, false},
      {"1001 minutes", Patched(166, Bytes({2, 0, 0xE9, 0x03, 0, 0})), refused, false},
      {"no dealing rounds", Patched(166, Bytes({3, 0, 0, 0, 0, 0})), refused, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TableSetupRecord setup = kept;
    EXPECT_EQ(ParseTableSetupFile(row.bytes, setup), row.fields != refused);
    EXPECT_EQ(Fields(setup), row.fields);
    if (row.writtenBack) {
      EXPECT_EQ(TableSetupFileBytes(setup), row.bytes);
    }
  }

  // Written: leading blanks dropped, long names cut, characters outside the code page as "?", a
  // count beyond the seats as seven.
  TableSetupRecord setup;
  ASSERT_TRUE(ParseTableSetupFile(kDefault, setup));
  setup.PlayerName[1] = "   \xE2\x99\xA0 Max\xFF";  // a spade sign and a byte that is no UTF-8
  setup.PlayerCount = 9;
  const std::string bytes = TableSetupFileBytes(setup);
  EXPECT_EQ(bytes.substr(0, 30), Name30("? Max?"));
  EXPECT_EQ(bytes.substr(44, 2), Bytes({7, 0}));
  EXPECT_EQ(bytes.size(), TableSetupFileSize(7));
}

}  // namespace
}  // namespace corvane
