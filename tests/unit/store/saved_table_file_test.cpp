#include "store/saved_table_file.h"

#include <gtest/gtest.h>

#include <limits>

#include "unit/store/test_folder.h"

namespace corvane {
namespace {

std::string Field30(std::string_view text) {
  std::string field(text);
  field.resize(30, ' ');
  return field;
}

// Single-precision values by their bytes: 0 = 00000000, 0.125 = 3E000000, 0.25 = 3E800000,
// 0.5 = 3F000000, 0.75 = 3F400000, 1 = 3F800000.
const std::string kZero = Bytes({0, 0, 0, 0});
const std::string kEighth = Bytes({0, 0, 0, 0x3E});
const std::string kQuarter = Bytes({0, 0, 0x80, 0x3E});
const std::string kHalf = Bytes({0, 0, 0, 0x3F});
const std::string kThreeQuarters = Bytes({0, 0, 0x40, 0x3F});
const std::string kOne = Bytes({0, 0, 0x80, 0x3F});

SavedTable TwoPlayers() {
  SavedTable t;
  t.PlayerCount = 2;
  t.players.PlayerName[1] = "The Boss";
  t.players.Chips[1] = 10000;
  t.players.Bluffing[1] = 0.5f;
  t.players.Intelligence[1] = 0.25f;
  t.players.Aggressiveness[1] = 0.75f;
  t.players.RiskTaker[1] = 0.125f;
  t.players.PlayerName[2] = "Susan";
  t.players.Chips[2] = 9875;
  t.players.Bluffing[2] = 0.0f;
  t.players.Intelligence[2] = 1.0f;
  t.players.Aggressiveness[2] = 0.5f;
  t.players.RiskTaker[2] = 0.25f;
  t.settings.MaxRaises = 3;
  t.settings.MaxRaise = 1000;
  t.settings.Ante = 25;
  t.settings.StartingChips = 10000;
  t.Dealer = 1;
  t.settings.GameEndRule = 2;
  t.settings.GameEndAmount = 120;
  t.ElapsedSeconds = 754;
  t.RoundEndSeat = 2;
  t.DealerRounds = 3;
  return t;
}

const std::string kTwoPlayerFile =
    Bytes({2, 0}) +
    // Seat 1: name, 10000 chips, Bluffing, Intelligence, Aggressiveness, Risk Taker.
    Field30("The Boss") + Bytes({0x10, 0x27, 0, 0}) + kHalf + kQuarter + kThreeQuarters + kEighth +
    // Seat 2: 9875 chips.
    Field30("Susan") + Bytes({0x93, 0x26, 0, 0}) + kZero + kOne + kHalf + kQuarter +
    // Max raises 3, max raise 1000, ante 25, starting chips 10000.
    Bytes({3, 0, 0xE8, 0x03, 0, 0, 25, 0, 0, 0, 0x10, 0x27, 0, 0}) +
    // Dealer 1, end rule 2, 120 minutes, reserved 0.
    Bytes({1, 0, 2, 0, 120, 0, 0, 0, 0, 0, 0, 0}) +
    // 754 seconds, round end seat 2, 3 dealer rounds, nobody left.
    Bytes({0xF2, 0x02, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0, 0});

TEST(SavedTableFile, TwoPlayersAndNobodyGoneAre142Bytes) {
  const std::string bytes = SerializeSavedTable(TwoPlayers());
  EXPECT_EQ(bytes.size(), 142u);
  EXPECT_EQ(SavedTableFileSize(2, 0), 142u);
  EXPECT_EQ(bytes, kTwoPlayerFile);
}

TEST(SavedTableFile, ReadsTheTwoPlayerFile) {
  SavedTable t;
  ASSERT_TRUE(ParseSavedTable(kTwoPlayerFile, t));
  EXPECT_EQ(t.PlayerCount, 2);
  EXPECT_EQ(t.players.PlayerName[1], "The Boss");
  EXPECT_EQ(t.players.PlayerName[2], "Susan");
  EXPECT_EQ(t.players.Chips[1], 10000);
  EXPECT_EQ(t.players.Chips[2], 9875);
  EXPECT_EQ(t.players.Bluffing[1], 0.5f);
  EXPECT_EQ(t.players.Intelligence[1], 0.25f);
  EXPECT_EQ(t.players.Aggressiveness[1], 0.75f);
  EXPECT_EQ(t.players.RiskTaker[1], 0.125f);
  EXPECT_EQ(t.players.Intelligence[2], 1.0f);
  EXPECT_EQ(t.settings.MaxRaises, 3);
  EXPECT_EQ(t.settings.MaxRaise, 1000);
  EXPECT_EQ(t.settings.Ante, 25);
  EXPECT_EQ(t.settings.StartingChips, 10000);
  EXPECT_EQ(t.Dealer, 1);
  EXPECT_EQ(t.settings.GameEndRule, 2);
  EXPECT_EQ(t.settings.GameEndAmount, 120);
  EXPECT_EQ(t.Reserved, 0);
  EXPECT_EQ(t.ElapsedSeconds, 754);
  EXPECT_EQ(t.RoundEndSeat, 2);
  EXPECT_EQ(t.DealerRounds, 3);
  EXPECT_EQ(t.LeftTableCount, 0);
}

TEST(SavedTableFile, SevenPlayersWithNamesCutTo30) {
  SavedTable t = TwoPlayers();
  t.PlayerCount = 7;
  for (int seat = 3; seat <= 7; ++seat) {
    t.players.PlayerName[seat] = "Seat " + std::to_string(seat);
    t.players.Chips[seat] = seat;
  }
  t.players.PlayerName[7] = "A name that runs well past thirty characters";
  t.players.PlayerName[1] = "  Leading blanks are kept";
  t.Dealer = 7;
  t.RoundEndSeat = 7;
  const std::string bytes = SerializeSavedTable(t);
  ASSERT_EQ(bytes.size(), 2u + 7 * 50 + 38 + 2);
  EXPECT_EQ(bytes.substr(0, 2), Bytes({7, 0}));
  EXPECT_EQ(bytes.substr(2, 30), Field30("  Leading blanks are kept"));
  // Seat 5 starts at 2 + 4 * 50.
  EXPECT_EQ(bytes.substr(202, 34), Field30("Seat 5") + Bytes({5, 0, 0, 0}));
  EXPECT_EQ(bytes.substr(302, 30), "A name that runs well past thi");
  EXPECT_EQ(bytes.substr(352), Bytes({3, 0, 0xE8, 0x03, 0, 0, 25, 0, 0, 0, 0x10, 0x27, 0, 0}) +
                                   Bytes({7, 0, 2, 0, 120, 0, 0, 0, 0, 0, 0, 0}) +
                                   Bytes({0xF2, 0x02, 0, 0, 7, 0, 0, 0, 3, 0, 0, 0, 0, 0}));

  SavedTable read;
  ASSERT_TRUE(ParseSavedTable(bytes, read));
  EXPECT_EQ(read.PlayerCount, 7);
  EXPECT_EQ(read.players.PlayerName[7], "A name that runs well past thi");
  EXPECT_EQ(read.players.PlayerName[1], "Leading blanks are kept");
  EXPECT_EQ(read.players.Chips[6], 6);
}

TEST(SavedTableFile, LeftTableTextsTrimmedAndCutTo30) {
  SavedTable t = TwoPlayers();
  t.LeftTableCount = 3;
  t.LeftTable[1] = "Harry Bluffing 12 %, Aggressiveness 14%, Risk Taker 0%, Intelligence 100%";
  t.LeftTable[2] = "   Donald ";
  t.LeftTable[3] = "jill Bluffing 5 %, Aggressiveness 60%, Risk Taker 7%, Intelligence 33%";
  const std::string bytes = SerializeSavedTable(t);
  ASSERT_EQ(bytes.size(), 142u + 90);
  EXPECT_EQ(bytes.substr(140, 2), Bytes({3, 0}));
  EXPECT_EQ(bytes.substr(142), "Harry Bluffing 12 %, Aggressiv" + Field30("Donald") +
                                   "jill Bluffing 5 %, Aggressiven");
  SavedTable read;
  ASSERT_TRUE(ParseSavedTable(bytes, read));
  EXPECT_EQ(read.LeftTableCount, 3);
  EXPECT_EQ(read.LeftTable[1], "Harry Bluffing 12 %, Aggressiv");
  EXPECT_EQ(read.LeftTable[2], "Donald");
  EXPECT_EQ(read.LeftTable[3], "jill Bluffing 5 %, Aggressiven");
}

TEST(SavedTableFile, NamesAreWindows1252OnDisk) {
  SavedTable t = TwoPlayers();
  t.players.PlayerName[2] = "Ren\xC3\xA9\xE2\x82\xAC";  // René€
  const std::string bytes = SerializeSavedTable(t);
  EXPECT_EQ(bytes.substr(52, 30), Field30("Ren\xE9\x80"));
  SavedTable read;
  ASSERT_TRUE(ParseSavedTable(bytes, read));
  EXPECT_EQ(read.players.PlayerName[2], "Ren\xC3\xA9\xE2\x82\xAC");
}

TEST(SavedTableFile, TheReservedValueIsWrittenBackAsRead) {
  std::string file = kTwoPlayerFile;
  file.replace(124, 4, Bytes({0x78, 0x56, 0x34, 0x12}));
  SavedTable t;
  ASSERT_TRUE(ParseSavedTable(file, t));
  EXPECT_EQ(t.Reserved, 0x12345678);
  EXPECT_EQ(SerializeSavedTable(t), file);
}

TEST(SavedTableFile, EveryTwoPlayerFileRoundTrips) {
  SavedTable t;
  ASSERT_TRUE(ParseSavedTable(kTwoPlayerFile, t));
  EXPECT_EQ(SerializeSavedTable(t), kTwoPlayerFile);
}

void ExpectRefused(const std::string& bytes, const char* why) {
  SavedTable t;
  t.PlayerCount = 3;
  t.players.PlayerName[1] = "kept";
  EXPECT_FALSE(ParseSavedTable(bytes, t)) << why;
  EXPECT_EQ(t.PlayerCount, 3) << why;
  EXPECT_EQ(t.players.PlayerName[1], "kept") << why;
}

std::string Patched(std::size_t offset, const std::string& bytes) {
  std::string file = kTwoPlayerFile;
  file.replace(offset, bytes.size(), bytes);
  return file;
}

TEST(SavedTableFile, ShortDamagedAndOutOfRangeFilesAreNotRestored) {
  ExpectRefused("", "empty");
  ExpectRefused(Bytes({2}), "one byte");
  ExpectRefused(kTwoPlayerFile.substr(0, 141), "short by one");
  ExpectRefused(kTwoPlayerFile + " ", "long by one");
  ExpectRefused(std::string(142, '\xFF'), "garbage");
  // Offsets in the two-player file: seats 2 and 52 (chips +30, attributes +34..+49); max raises
  // 102, max raise 104, ante 108, starting chips 112, dealer 116, end rule 118, amount 120,
  // reserved 124, elapsed 128, round end seat 132, dealer rounds 136, left count 140.
  ExpectRefused(Patched(0, Bytes({1, 0})), "one player");
  ExpectRefused(Patched(0, Bytes({8, 0})), "eight players");
  ExpectRefused(Patched(0, Bytes({0xFF, 0xFF})), "minus one player");
  ExpectRefused(Patched(0, Bytes({3, 0})), "three players in a two-player file");
  ExpectRefused(Patched(82, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), "negative chips");
  ExpectRefused(Patched(36, Bytes({0, 0, 0xC0, 0x7F})), "an attribute that is not a number");
  ExpectRefused(Patched(40, Bytes({0, 0, 0, 0x40})), "an attribute of 2");
  ExpectRefused(Patched(98, Bytes({0, 0, 0x80, 0xBF})), "an attribute of -1");
  ExpectRefused(Patched(102, Bytes({0, 0})), "no raises");
  ExpectRefused(Patched(102, Bytes({21, 0})), "21 raises");
  ExpectRefused(Patched(104, Bytes({0, 0, 0, 0})), "highest raise 0");
  ExpectRefused(Patched(108, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), "ante -1");
  ExpectRefused(Patched(112, Bytes({0, 0, 0, 0})), "no starting chips");
  ExpectRefused(Patched(116, Bytes({0xFF, 0xFF})), "dealer -1");
  ExpectRefused(Patched(116, Bytes({8, 0})), "dealer 8");
  ExpectRefused(Patched(118, Bytes({5, 0})), "end rule 5");
  ExpectRefused(Patched(120, Bytes({0, 0, 0, 0})), "0 minutes");
  ExpectRefused(Patched(128, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), "negative playing time");
  ExpectRefused(Patched(132, Bytes({0, 0, 0, 0})), "round end seat 0");
  ExpectRefused(Patched(136, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), "negative dealer rounds");
  ExpectRefused(Patched(140, Bytes({1, 0})), "one left but no text");
  ExpectRefused(Patched(140, Bytes({0xFF, 0xFF})), "minus one left");
  ExpectRefused(Patched(140, Bytes({7, 0})) + std::string(210, ' '), "seven left");
  ExpectRefused(Patched(140, Bytes({6, 0})) + std::string(180, ' '), "six left beside two players");

  // Five left beside two players is a seven-seat table at its end.
  SavedTable t;
  EXPECT_TRUE(ParseSavedTable(Patched(140, Bytes({5, 0})) + std::string(150, ' '), t));
  EXPECT_EQ(t.LeftTableCount, 5);
  // End rule 0 is taken (the restore makes it 1), and so is a dealer past the seats that remain.
  EXPECT_TRUE(ParseSavedTable(Patched(116, Bytes({7, 0, 0, 0, 10, 0, 0, 0})), t));
}

TEST(SavedTableFile, CountsBeyondTheFileAreWrittenAsTheMostItHolds) {
  SavedTable t = TwoPlayers();
  t.LeftTableCount = 9;
  const std::string bytes = SerializeSavedTable(t);
  EXPECT_EQ(bytes.size(), SavedTableFileSize(2, 6));
  EXPECT_EQ(bytes.substr(140, 2), Bytes({6, 0}));
}

TEST(SavedTableFile, SavedAndLoadedThroughTheDisk) {
  TestFolder folder;
  std::string error;
  ASSERT_TRUE(SaveSavedTable(folder.File("CV SavedTable.sav"), TwoPlayers(), error)) << error;
  EXPECT_EQ(folder.Read("CV SavedTable.sav"), kTwoPlayerFile);
  SavedTable read;
  ASSERT_EQ(LoadSavedTable(folder.File("CV SavedTable.sav"), read), FileRead::kRead);
  EXPECT_EQ(read.players.PlayerName[2], "Susan");
  EXPECT_EQ(LoadSavedTable(folder.File("missing.sav"), read), FileRead::kMissing);

  // A damaged file is not restored and is left as it is.
  folder.Write("CV SavedTable.sav", kTwoPlayerFile.substr(0, 100));
  EXPECT_EQ(LoadSavedTable(folder.File("CV SavedTable.sav"), read), FileRead::kRefused);
  EXPECT_EQ(folder.Read("CV SavedTable.sav"), kTwoPlayerFile.substr(0, 100));
}

TEST(SavedTableFile, AFailedSaveKeepsThePreviousTable) {
  TestFolder folder;
  folder.Write("CV SavedTable.sav", kTwoPlayerFile);
  std::filesystem::permissions(
      folder.File(""), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  SavedTable t = TwoPlayers();
  t.players.Chips[1] = 1;
  std::string error;
  const bool saved = SaveSavedTable(folder.File("CV SavedTable.sav"), t, error);
  std::filesystem::permissions(folder.File(""), std::filesystem::perms::owner_all);
  if (saved) GTEST_SKIP() << "permission bits do not stop this user (root)";
  EXPECT_EQ(error, "Permission denied");
  EXPECT_EQ(folder.Read("CV SavedTable.sav"), kTwoPlayerFile);
}

}  // namespace
}  // namespace corvane
