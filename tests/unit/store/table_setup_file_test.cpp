#include "store/table_setup_file.h"

#include <gtest/gtest.h>

#include "table/table_state.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

// A 30-byte text field by hand.
std::string Field30(std::string_view text) {
  std::string field(text);
  field.resize(30, ' ');
  return field;
}

TableSetupRecord DefaultSetup() {
  TableState table;
  SetDefaults(table);
  for (int seat = 1; seat <= kMaxSeats; ++seat) {
    table.players.PlayerName[seat] = table.DefaultName[seat];
  }
  table.settings.GameEndAmount = 10;
  return TableSetupRecordOf(table);
}

// The file of a five-player table with the default answers.
std::string DefaultFile() {
  return Field30("The Boss") + Bytes({3, 0}) + Bytes({0xE8, 0x03, 0, 0}) + Bytes({25, 0, 0, 0}) +
         Bytes({0x10, 0x27, 0, 0}) + Bytes({5, 0}) + Field30("Susan") + Field30("Harry") +
         Field30("Donald") + Field30("jill") + Bytes({1, 0}) + Bytes({10, 0, 0, 0});
}

TEST(TableSetupFile, FivePlayersWithTheDefaultAnswers) {
  const TableSetupRecord setup = DefaultSetup();
  ASSERT_EQ(setup.PlayerCount, 5);
  const std::string bytes = TableSetupFileBytes(setup);
  EXPECT_EQ(bytes.size(), 172u);
  EXPECT_EQ(TableSetupFileSize(5), 172u);
  EXPECT_EQ(bytes, DefaultFile());
}

TEST(TableSetupFile, LeadingBlanksAreDroppedAndLongNamesCut) {
  TableSetupRecord setup = DefaultSetup();
  setup.PlayerCount = 2;
  setup.PlayerName[1] = "   Maximilian  ";
  setup.PlayerName[2] = "An extraordinarily long bot name here";
  setup.MaxRaise = 1'000'000;
  setup.MaxRaises = 20;
  setup.Ante = 500;
  setup.StartingChips = 10'000'000;
  setup.GameEndRule = 3;
  setup.GameEndAmount = 1000;
  EXPECT_EQ(TableSetupFileBytes(setup),
            Field30("Maximilian  ") + Bytes({20, 0}) + Bytes({0x40, 0x42, 0x0F, 0}) +
                Bytes({0xF4, 0x01, 0, 0}) + Bytes({0x80, 0x96, 0x98, 0}) + Bytes({2, 0}) +
                "An extraordinarily long bot na" + Bytes({3, 0}) + Bytes({0xE8, 0x03, 0, 0}));
}

TEST(TableSetupFile, NamesAreWindows1252OnDisk) {
  TableSetupRecord setup = DefaultSetup();
  setup.PlayerCount = 2;
  setup.PlayerName[1] = "Zo\xC3\xAB";  // Zoë
  const std::string bytes = TableSetupFileBytes(setup);
  EXPECT_EQ(bytes.substr(0, 4), "Zo\xEB ");
  TableSetupRecord read;
  ASSERT_TRUE(ParseTableSetupFile(bytes, read));
  EXPECT_EQ(read.PlayerName[1], "Zo\xC3\xAB");
}

TEST(TableSetupFile, ReadsEveryField) {
  TableSetupRecord read;
  ASSERT_TRUE(ParseTableSetupFile(DefaultFile(), read));
  EXPECT_EQ(read.PlayerCount, 5);
  EXPECT_EQ(read.PlayerName[1], "The Boss");
  EXPECT_EQ(read.PlayerName[2], "Susan");
  EXPECT_EQ(read.PlayerName[5], "jill");
  EXPECT_EQ(read.PlayerName[6], "");
  EXPECT_EQ(read.MaxRaises, 3);
  EXPECT_EQ(read.MaxRaise, 1000);
  EXPECT_EQ(read.Ante, 25);
  EXPECT_EQ(read.StartingChips, 10000);
  EXPECT_EQ(read.GameEndRule, 1);
  EXPECT_EQ(read.GameEndAmount, 10);
}

TEST(TableSetupFile, NamesAreTrimmedAndEmptyOrNulNamesKeepTheDefault) {
  std::string bytes = Field30("  Ann  ") + Bytes({3, 0, 0xE8, 0x03, 0, 0, 25, 0, 0, 0}) +
                      Bytes({0x10, 0x27, 0, 0, 4, 0}) + Field30("   Bo") + Field30("") +
                      Bytes({0, 'X', 'Y'}) + std::string(27, ' ') + Bytes({2, 0, 120, 0, 0, 0});
  TableSetupRecord read;
  ASSERT_TRUE(ParseTableSetupFile(bytes, read));
  EXPECT_EQ(read.PlayerName[1], "Ann");
  EXPECT_EQ(read.PlayerName[2], "Bo");
  EXPECT_EQ(read.PlayerName[3], "");
  EXPECT_EQ(read.PlayerName[4], "");
  EXPECT_EQ(read.GameEndRule, 2);
  EXPECT_EQ(read.GameEndAmount, 120);

  TableState table;
  SetDefaults(table);
  for (int seat = 1; seat <= kMaxSeats; ++seat) {
    table.players.PlayerName[seat] = table.DefaultName[seat];
  }
  ApplyTableSetup(read, table);
  EXPECT_EQ(table.PlayerCount, 4);
  EXPECT_EQ(table.players.PlayerName[1], "Ann");
  EXPECT_EQ(table.players.PlayerName[2], "Bo");
  EXPECT_EQ(table.players.PlayerName[3], "Harry");
  EXPECT_EQ(table.players.PlayerName[4], "Donald");
  EXPECT_EQ(table.settings.GameEndAmount, 120);
}

TEST(TableSetupFile, SevenPlayersBringBackAllSixBotsThreeOnlyTwo) {
  TableSetupRecord seven = DefaultSetup();
  seven.PlayerCount = 7;
  for (int seat = 2; seat <= 7; ++seat) seven.PlayerName[seat] = "Bot " + std::to_string(seat);
  const std::string bytes = TableSetupFileBytes(seven);
  EXPECT_EQ(bytes.size(), 232u);
  TableSetupRecord read;
  ASSERT_TRUE(ParseTableSetupFile(bytes, read));
  for (int seat = 2; seat <= 7; ++seat) EXPECT_EQ(read.PlayerName[seat], seven.PlayerName[seat]);

  TableSetupRecord three = seven;
  three.PlayerCount = 3;
  TableSetupRecord read3;
  ASSERT_TRUE(ParseTableSetupFile(TableSetupFileBytes(three), read3));
  TableState table;
  SetDefaults(table);
  for (int seat = 1; seat <= kMaxSeats; ++seat) {
    table.players.PlayerName[seat] = table.DefaultName[seat];
  }
  ApplyTableSetup(read3, table);
  EXPECT_EQ(table.players.PlayerName[2], "Bot 2");
  EXPECT_EQ(table.players.PlayerName[3], "Bot 3");
  EXPECT_EQ(table.players.PlayerName[4], "Donald");
  EXPECT_EQ(table.players.PlayerName[7], "John");
}

void ExpectRefused(const std::string& bytes, const char* why) {
  TableSetupRecord setup;
  setup.PlayerCount = 6;
  setup.PlayerName[1] = "kept";
  EXPECT_FALSE(ParseTableSetupFile(bytes, setup)) << why;
  EXPECT_EQ(setup.PlayerCount, 6) << why;
  EXPECT_EQ(setup.PlayerName[1], "kept") << why;
}

// The default file with one field replaced: offset and the new bytes.
std::string Patched(std::size_t offset, const std::string& bytes) {
  std::string file = DefaultFile();
  file.replace(offset, bytes.size(), bytes);
  return file;
}

TEST(TableSetupFile, ShortDamagedAndOutOfRangeFilesAreRefused) {
  const std::string good = DefaultFile();
  ExpectRefused("", "empty");
  ExpectRefused(good.substr(0, good.size() - 1), "short by one");
  ExpectRefused(good + " ", "long by one");
  ExpectRefused(std::string(172, 'x'), "garbage");
  // Offsets: max raises 30, max raise 32, ante 36, chips 40, players 44, end rule 166, amount 168.
  ExpectRefused(Patched(30, Bytes({0, 0})), "no raises");
  ExpectRefused(Patched(30, Bytes({21, 0})), "21 raises");
  ExpectRefused(Patched(32, Bytes({0, 0, 0, 0})), "highest raise 0");
  ExpectRefused(Patched(32, Bytes({0x41, 0x42, 0x0F, 0})), "highest raise 1,000,001");
  ExpectRefused(Patched(36, Bytes({0, 0, 0, 0})), "ante 0");
  ExpectRefused(Patched(36, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), "ante -1");
  ExpectRefused(Patched(40, Bytes({49, 0, 0, 0})), "49 starting chips");
  ExpectRefused(Patched(40, Bytes({0x81, 0x96, 0x98, 0})), "10,000,001 starting chips");
  ExpectRefused(Patched(44, Bytes({0, 0})), "no players");
  ExpectRefused(Patched(44, Bytes({1, 0})), "one player");
  ExpectRefused(Patched(44, Bytes({8, 0})), "eight players");
  ExpectRefused(Patched(44, Bytes({4, 0})), "four players in a five-player file");
  ExpectRefused(Patched(166, Bytes({4, 0})), "end rule 4");
  ExpectRefused(Patched(166, Bytes({0xFF, 0xFF})), "end rule -1");
  ExpectRefused(Patched(166, Bytes({2, 0, 4, 0, 0, 0})), "4 minutes");
  ExpectRefused(Patched(166, Bytes({2, 0, 0xE9, 0x03, 0, 0})), "1001 minutes");
  ExpectRefused(Patched(166, Bytes({3, 0, 0, 0, 0, 0})), "no dealing rounds");
  // Sound values at the edges of their ranges are taken.
  TableSetupRecord read;
  EXPECT_TRUE(ParseTableSetupFile(Patched(166, Bytes({2, 0, 5, 0, 0, 0})), read));
  EXPECT_TRUE(ParseTableSetupFile(Patched(166, Bytes({3, 0, 1, 0, 0, 0})), read));
  EXPECT_TRUE(ParseTableSetupFile(Patched(166, Bytes({0, 0, 0, 0, 0, 0})), read));
}

TEST(TableSetupFile, ACountBeyondTheSeatsIsWrittenAsSeven) {
  TableSetupRecord setup = DefaultSetup();
  setup.PlayerCount = 9;
  const std::string bytes = TableSetupFileBytes(setup);
  EXPECT_EQ(bytes.size(), TableSetupFileSize(7));
  EXPECT_EQ(bytes.substr(44, 2), Bytes({7, 0}));
}

TEST(TableSetupFile, SavedAndLoadedThroughTheDisk) {
  TestFolder folder;
  std::string error;
  ASSERT_TRUE(SaveTableSetup(folder.File("CV PokerSettings.sav"), DefaultSetup(), error)) << error;
  EXPECT_EQ(folder.Read("CV PokerSettings.sav"), DefaultFile());
  TableSetupRecord read;
  ASSERT_EQ(LoadTableSetup(folder.File("CV PokerSettings.sav"), read), FileRead::kRead);
  EXPECT_EQ(read.PlayerName[4], "Donald");
  EXPECT_EQ(LoadTableSetup(folder.File("missing.sav"), read), FileRead::kMissing);
}

}  // namespace
}  // namespace corvane
