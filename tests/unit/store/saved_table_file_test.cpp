// "CV SavedTable.sav" byte for byte: hand-made files read as the table they hold and written back
// unchanged; damaged files and values out of range refused, the table kept.
#include "store/saved_table_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "unit/store/test_folder.h"

namespace corvane {
namespace {

std::string Text30(std::string_view text) {
  std::string field(text);
  field.resize(30, ' ');
  return field;
}

// Single-precision values by their bytes.
const std::string kZero = Bytes({0, 0, 0, 0});
const std::string kEighth = Bytes({0, 0, 0, 0x3E});
const std::string kQuarter = Bytes({0, 0, 0x80, 0x3E});
const std::string kHalf = Bytes({0, 0, 0, 0x3F});
const std::string kThreeQuarters = Bytes({0, 0, 0x40, 0x3F});
const std::string kOne = Bytes({0, 0, 0x80, 0x3F});

// Max raises 3, highest raise 1000, ante 25, starting chips 10000.
const std::string kSettings = Bytes({3, 0, 0xE8, 0x03, 0, 0, 25, 0, 0, 0, 0x10, 0x27, 0, 0});

// Two players, nobody gone: seat 1 with 10000 chips, Bluffing 1/2, Intelligence 1/4,
// Aggressiveness 3/4, Risk Taker 1/8; seat 2 with 9875; dealer 1, end rule 2 at 120 minutes,
// reserved 0, 754 seconds played, round end seat 2, 3 dealer rounds, nobody left.
const std::string kTwoPlayers = Bytes({2, 0}) + Text30("The Boss") + Bytes({0x10, 0x27, 0, 0}) +
                                kHalf + kQuarter + kThreeQuarters + kEighth + Text30("Susan") +
                                Bytes({0x93, 0x26, 0, 0}) + kZero + kOne + kHalf + kQuarter +
                                kSettings + Bytes({1, 0, 2, 0, 120, 0, 0, 0, 0, 0, 0, 0}) +
                                Bytes({0xF2, 0x02, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0, 0});

// The two-player file with the bytes at offset replaced. Offsets: seats at 2 and 52 (chips +30,
// attributes +34..+49); max raises 102, highest raise 104, ante 108, starting chips 112, dealer
// 116, end rule 118, its amount 120, reserved 124, seconds 128, round end seat 132, dealer rounds
// 136, left count 140.
std::string Patched(std::size_t offset, const std::string& bytes) {
  std::string file = kTwoPlayers;
  file.replace(offset, bytes.size(), bytes);
  return file;
}

// The table on one line: each seat's name, chips and attributes; the game variables; the
// counters; the texts of those who left.
std::string Fields(const SavedTable& t) {
  std::ostringstream out;
  out << t.PlayerCount << ":";
  for (int seat = 1; seat <= t.PlayerCount; ++seat) {
    out << " [" << t.players.PlayerName[seat] << " " << t.players.Chips[seat] << " "
        << t.players.Bluffing[seat] << " " << t.players.Intelligence[seat] << " "
        << t.players.Aggressiveness[seat] << " " << t.players.RiskTaker[seat] << "]";
  }
  const GameSettings& g = t.settings;
  out << " " << g.MaxRaises << " " << g.MaxRaise << " " << g.Ante << " " << g.StartingChips << " "
      << t.Dealer << " " << g.GameEndRule << " " << g.GameEndAmount << " " << t.Reserved << " "
      << t.ElapsedSeconds << " " << t.RoundEndSeat << " " << t.DealerRounds << " left "
      << t.LeftTableCount;
  for (int i = 1; i <= t.LeftTableCount; ++i) out << " [" << t.LeftTable[i] << "]";
  return out.str();
}

const std::string kTwoFields =
    "2: [The Boss 10000 0.5 0.25 0.75 0.125] [Susan 9875 0 1 0.5 0.25] 3 1000 25 10000 1 2 120 0 "
    "754 2 3 left ";

TEST(SavedTableFile, HandMadeFilesReadWriteBackOrAreRefused) {
  SavedTable kept;
  kept.PlayerCount = 3;
  kept.players.PlayerName[1] = "kept";
  const std::string refused = Fields(kept);
  std::string seven = Bytes({7, 0});
  for (int seat = 1; seat <= 7; ++seat)
    seven += Text30("Seat " + std::to_string(seat)) + Bytes({seat, 0, 0, 0}) + kOne + kOne + kZero +
             kZero;
  seven += kSettings + Bytes({7, 0, 3, 0, 1, 0, 0, 0, 0, 0, 0, 0}) +
           Bytes({0, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const struct {
    const char* what;
    std::string bytes;
    std::string fields;  // refused: the table kept
    bool writtenBack;
  } rows[] = {
      {"two players, nobody gone", kTwoPlayers, kTwoFields + "0", true},
      {"seven players", seven,
       "7: [Seat 1 1 1 1 0 0] [Seat 2 2 1 1 0 0] [Seat 3 3 1 1 0 0] [Seat 4 4 1 1 0 0] [Seat 5 5 1 "
       "1 0 0] [Seat 6 6 1 1 0 0] [Seat 7 7 1 1 0 0] 3 1000 25 10000 7 3 1 0 0 7 0 left 0",
       true},
      {"three who left, texts trimmed",
       Patched(140, Bytes({3, 0})) + Text30("Harry Bluffing 12 %, Aggressiv") + Text30("  Donald") +
           Text30("jill Bluffing 5 %, Aggressiven"),
       kTwoFields + "3 [Harry Bluffing 12 %, Aggressiv] [Donald] [jill Bluffing 5 %, Aggressiven]",
       false},
      {"five left beside two players: a table of seven at its end",
       Patched(140, Bytes({5, 0})) + Text30("a") + Text30("b") + Text30("c") + Text30("d") +
           Text30("e"),
       kTwoFields + "5 [a] [b] [c] [d] [e]", true},
      {"Windows-1252 names, leading blanks trimmed", Patched(52, Text30("  Ren\xE9\x80")),
       "2: [The Boss 10000 0.5 0.25 0.75 0.125] [Ren\xC3\xA9\xE2\x82\xAC 9875 0 1 0.5 0.25] 3 1000 "
       "25 10000 1 2 120 0 754 2 3 left 0",
       false},
      {"the reserved value is written back as read", Patched(124, Bytes({0x78, 0x56, 0x34, 0x12})),
       "2: [The Boss 10000 0.5 0.25 0.75 0.125] [Susan 9875 0 1 0.5 0.25] 3 1000 25 10000 1 2 120 "
       "305419896 754 2 3 left 0",
       true},
      {"end rule 0 and a dealer past the seats left", Patched(116, Bytes({7, 0, 0, 0, 10, 0})),
       "2: [The Boss 10000 0.5 0.25 0.75 0.125] [Susan 9875 0 1 0.5 0.25] 3 1000 25 10000 7 0 10 0 "
       "754 2 3 left 0",
       true},
      {"empty", "", refused, false},
      {"short by one", kTwoPlayers.substr(0, 141), refused, false},
      {"long by one", kTwoPlayers + " ", refused, false},
      {"one player", Patched(0, Bytes({1, 0})), refused, false},
      {"eight players", Patched(0, Bytes({8, 0})), refused, false},
      {"minus one player", Patched(0, Bytes({0xFF, 0xFF})), refused, false},
      {"three players in a two-player file", Patched(0, Bytes({3, 0})), refused, false},
      {"negative chips", Patched(82, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), refused, false},
      // A table of seven could hold 70000 chips at most.
      {"the most chips a table can hold", Patched(32, Bytes({0xDD, 0xEA, 0, 0})),
       "2: [The Boss 60125 0.5 0.25 0.75 0.125] [Susan 9875 0 1 0.5 0.25] 3 1000 25 10000 1 2 120 "
       "0 754 2 3 left 0",
       true},
      {"one chip more than a table can hold", Patched(32, Bytes({0xDE, 0xEA, 0, 0})), refused,
       false},
      {"chips near the top of 32 bits", Patched(32, Bytes({0xDF, 0xFF, 0xFF, 0x7F})), refused,
       false},
      {"an attribute that is not a number", Patched(36, Bytes({0, 0, 0xC0, 0x7F})), refused, false},
      {"an attribute of 2", Patched(40, Bytes({0, 0, 0, 0x40})), refused, false},
      {"an attribute of -1", Patched(98, Bytes({0, 0, 0x80, 0xBF})), refused, false},
      {"no raises", Patched(102, Bytes({0, 0})), refused, false},
      {"21 raises", Patched(102, Bytes({21, 0})), refused, false},
      {"highest raise 0", Patched(104, Bytes({0, 0, 0, 0})), refused, false},
      {"ante -1", Patched(108, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), refused, false},
      {"no starting chips", Patched(112, Bytes({0, 0, 0, 0})), refused, false},
      {"dealer -1", Patched(116, Bytes({0xFF, 0xFF})), refused, false},
      {"dealer 8", Patched(116, Bytes({8, 0})), refused, false},
      {"end rule 5", Patched(118, Bytes({5, 0})), refused, false},
      {"0 minutes", Patched(120, Bytes({0, 0, 0, 0})), refused, false},
      {"negative playing time", Patched(128, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), refused, false},
      {"round end seat 0", Patched(132, Bytes({0, 0, 0, 0})), refused, false},
      {"negative dealer rounds", Patched(136, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), refused, false},
      {"one left but no text", Patched(140, Bytes({1, 0})), refused, false},
      {"minus one left", Patched(140, Bytes({0xFF, 0xFF})), refused, false},
      {"seven left", Patched(140, Bytes({7, 0})) + std::string(210, ' '), refused, false},
      {"six left beside two players", Patched(140, Bytes({6, 0})) + std::string(180, ' '), refused,
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SavedTable table = kept;
    EXPECT_EQ(ParseSavedTable(row.bytes, table), row.fields != refused);
    EXPECT_EQ(Fields(table), row.fields);
    if (row.writtenBack) {
      EXPECT_EQ(SerializeSavedTable(table), row.bytes);
    }
  }

  // Written from the fields: names cut at 30 with their leading blanks, the texts of those who
  // left trimmed and cut, counts beyond what the file holds as the most it holds.
  SavedTable table;
  ASSERT_TRUE(ParseSavedTable(kTwoPlayers, table));
  table.players.PlayerName[1] = "  A name that runs well past thirty characters";
  table.LeftTableCount = 9;
  table.LeftTable[1] = "   Donald ";
  const std::string bytes = SerializeSavedTable(table);
  EXPECT_EQ(bytes.substr(2, 30), "  A name that runs well past t");
  EXPECT_EQ(bytes.substr(140, 32), Bytes({6, 0}) + Text30("Donald"));
  EXPECT_EQ(bytes.size(), SavedTableFileSize(2, 6));
}

}  // namespace
}  // namespace corvane
