// The new table's questions with their starting values, the answers kept in "CV PokerSettings.sav",
// the seating and the first dealer.
#include "app/table_setup.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/saved_table.h"
#include "store/saved_table_file.h"
#include "unit/commands/table_fixture.h"
#include "unit/store/test_folder.h"

namespace corvane::testing {
namespace {

// A 30-byte text field.
std::string Field30(std::string_view text) {
  std::string field(text);
  field.resize(30, ' ');
  return field;
}

// The answers that keep every starting value.
constexpr const char* kKeepEverything = "Enter Enter N Enter Enter Enter Enter Enter";

class TableSetupTest : public TableFixture {
 protected:
  TableSetupTest() {
    // What start-up does before the main menu.
    SetDefaults(table);
  }

  bool Run(const std::string& keys) {
    host.Keys(keys);
    bool ready = false;
    try {
      ready = setup.SetupTable();
    } catch (const EndProgram&) {
      ended = true;
    }
    EXPECT_EQ(host.KeysLeft(), 0u);
    return ready;
  }

  bool FileExists() const { return !folder.Names().empty(); }

  TestFolder folder;
  std::string setupFile = folder.File("CV PokerSettings.sav");
  TableSetup setup{table, speech, prompts, game, setupFile};
};

TEST_F(TableSetupTest, WithoutASettingsFileTheQuestionsStartOnTheDefaults) {
  ASSERT_TRUE(Run(kKeepEverything));
  EXPECT_TRUE(SaidInOrder(
      {"Number of Players at the table?", "5 Players", "What name would you like to go buy?",
       "The Boss", "Would you like to change the names of the other players?", "No",
       "What is the highest allowed raise in betting?", "1000",
       "What is the maximum number of raises?", "3", "What is the standard ante for each hand?",
       "25", "What is the starting number of chips for each player?", "10000",
       "The game is over when ",
       "you lose all of your chips, or all other players lose their chips"}));
  EXPECT_EQ(table.PlayerCount, 5);
  const Lines names{"", "The Boss", "Susan", "Harry", "Donald", "jill", "Sarah", "John"};
  for (int seat = 1; seat <= 7; ++seat) EXPECT_EQ(table.players.PlayerName[seat], names[seat]);
  EXPECT_EQ(table.settings.GameEndRule, 1);
  EXPECT_FALSE(table.GameOver);
  EXPECT_FALSE(table.TableSaved);
}

TEST_F(TableSetupTest, TheOtherPlayersNamesAreAskedInTurn) {
  ASSERT_TRUE(Run("Enter Enter Y Enter B O B Enter Enter Enter Enter Enter Enter Enter Enter"));
  EXPECT_TRUE(SaidInOrder({"Name of player 2?", "Susan", "Name of player 3?", "Harry",
                           "Name of player 4?", "Donald", "Name of player 5?", "jill"}));
  EXPECT_FALSE(Said("Name of player 6?"));
  EXPECT_EQ(table.players.PlayerName[3], "BOB");
}

TEST_F(TableSetupTest, AnEmptyNameForAnotherPlayerCancels) {
  EXPECT_FALSE(Run("Enter Enter Y Enter Back Back Back Back Back Enter"));
  EXPECT_TRUE(table.GameOver);
  EXPECT_FALSE(FileExists());
}

TEST_F(TableSetupTest, AnAnteAboveTheHighestRaiseAsksAllThreeLimitsAgain) {
  ASSERT_TRUE(Run("Enter Enter N 2 0 Enter Enter 3 0 Enter 1 0 0 Enter Enter Enter Enter Enter"));
  EXPECT_TRUE(SaidInOrder(
      {"What is the highest allowed raise in betting?", "1000",
       "What is the maximum number of raises?", "3", "What is the standard ante for each hand?",
       "25", "The ante cannot be more than the max bet.",
       "What is the highest allowed raise in betting?", "20",
       "What is the maximum number of raises?", "3", "What is the standard ante for each hand?",
       "30", "What is the starting number of chips for each player?"}));
  EXPECT_EQ(CountSaid("The ante cannot be more than the max bet."), 1);
  EXPECT_EQ(table.settings.MaxRaise, 100);
  EXPECT_EQ(table.settings.Ante, 30);
}

TEST_F(TableSetupTest, AnAnteEqualToTheHighestRaiseIsAccepted) {
  ASSERT_TRUE(Run("Enter Enter N 2 5 Enter Enter Enter Enter Enter"));
  EXPECT_FALSE(Said("The ante cannot be more than the max bet."));
  EXPECT_EQ(table.settings.MaxRaise, 25);
}

TEST_F(TableSetupTest, ChangingTheEndRuleToMinutesOffers120) {
  ASSERT_TRUE(Run("Enter Enter N Enter Enter Enter Enter T Enter"));
  EXPECT_TRUE(SaidInOrder({"The game is over when ", "a specified amount of time hass passed",
                           "How many minutes would you like the game to last?", "120"}));
  EXPECT_EQ(table.settings.GameEndRule, 2);
  EXPECT_EQ(table.settings.GameEndAmount, 120);
}

TEST_F(TableSetupTest, ChangingTheEndRuleToDealingRoundsOffers10) {
  ASSERT_TRUE(Run("Enter Enter N Enter Enter Enter Enter D Enter"));
  EXPECT_TRUE(SaidInOrder({"a specified number of dealing rounds have been completed",
                           "How many dealing rounds will there be in the game?", "10"}));
  EXPECT_EQ(table.settings.GameEndRule, 3);
  EXPECT_EQ(table.settings.GameEndAmount, 10);
}

TEST_F(TableSetupTest, TheSameEndRuleAgainOffersTheStoredAmount) {
  ASSERT_TRUE(Run("Enter Enter N Enter Enter Enter Enter T 4 5 Enter"));
  EXPECT_EQ(table.settings.GameEndAmount, 45);
  host.ClearSpoken();
  SetDefaults(table);
  // The next setup starts on the minutes rule with the stored 45.
  ASSERT_TRUE(Run("Enter Enter N Enter Enter Enter Enter Enter Enter"));
  EXPECT_TRUE(SaidInOrder({"The game is over when ", "a specified amount of time hass passed",
                           "a specified amount of time hass passed",
                           "How many minutes would you like the game to last?", "45"}));
  EXPECT_EQ(table.settings.GameEndAmount, 45);
  host.ClearSpoken();
  // Another rule and back: the amount starts over.
  ASSERT_TRUE(Run("Enter Enter N Enter Enter Enter Enter D Enter"));
  EXPECT_EQ(table.settings.GameEndAmount, 10);
}

TEST_F(TableSetupTest, TheAnswersAreStoredByteForByte) {
  ASSERT_TRUE(
      Run("3 Enter Y B O B Enter Enter 5 0 0 Enter 4 Enter 1 0 Enter 2 0 0 0 Enter D 7 "
          "Enter"));
  const std::string expected = Field30("The Boss") + Bytes({4, 0}) + Bytes({0xF4, 0x01, 0, 0}) +
                               Bytes({10, 0, 0, 0}) + Bytes({0xD0, 0x07, 0, 0}) + Bytes({3, 0}) +
                               Field30("BOB") + Field30("Harry") + Bytes({3, 0}) +
                               Bytes({7, 0, 0, 0});
  EXPECT_EQ(folder.Read("CV PokerSettings.sav"), expected);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"CV PokerSettings.sav"}));
}

TEST_F(TableSetupTest, AStoredSetupOfThreePlayersGivesTheOtherSeatsTheirDefaultNames) {
  folder.Write("CV PokerSettings.sav",
               Field30("  Ann ") + Bytes({2, 0}) + Bytes({0xF4, 0x01, 0, 0}) +
                   Bytes({10, 0, 0, 0}) + Bytes({0xD0, 0x07, 0, 0}) + Bytes({3, 0}) +
                   Field30("Bob") + Field30("") + Bytes({3, 0}) + Bytes({7, 0, 0, 0}));
  ASSERT_TRUE(Run("Enter Enter N Enter Enter Enter Enter Enter Enter"));
  EXPECT_TRUE(SaidInOrder({"3 Players", "What name would you like to go buy?", "Ann",
                           "What is the highest allowed raise in betting?", "500",
                           "What is the maximum number of raises?", "2",
                           "What is the standard ante for each hand?", "10",
                           "What is the starting number of chips for each player?", "2000",
                           "a specified number of dealing rounds have been completed",
                           "How many dealing rounds will there be in the game?", "7"}));
  EXPECT_EQ(table.players.PlayerName[1], "Ann");
  EXPECT_EQ(table.players.PlayerName[2], "Bob");
  // An empty stored name keeps the default.
  EXPECT_EQ(table.players.PlayerName[3], "Harry");
  EXPECT_EQ(table.players.PlayerName[4], "Donald");
}

TEST_F(TableSetupTest, AStoredSetupOfSevenPlayersGivesBackEveryName) {
  ASSERT_TRUE(
      Run("7 Enter Y A Enter B Enter C Enter D Enter E Enter F Enter Enter Enter Enter "
          "Enter Enter"));
  SetDefaults(table);
  for (auto& name : table.players.PlayerName) name.clear();
  host.ClearSpoken();
  ASSERT_TRUE(Run("Enter Enter N Enter Enter Enter Enter Enter"));
  EXPECT_TRUE(Said("7 Players"));
  const Lines names{"", "The Boss", "A", "B", "C", "D", "E", "F"};
  for (int seat = 1; seat <= 7; ++seat) EXPECT_EQ(table.players.PlayerName[seat], names[seat]);
}

TEST_F(TableSetupTest, AStoredEndRuleOfZeroStartsOnTheFirstRuleWithTen) {
  folder.Write("CV PokerSettings.sav", Field30("Ann") + Bytes({2, 0}) + Bytes({0xF4, 0x01, 0, 0}) +
                                           Bytes({10, 0, 0, 0}) + Bytes({0xD0, 0x07, 0, 0}) +
                                           Bytes({2, 0}) + Field30("Bob") + Bytes({0, 0}) +
                                           Bytes({0, 0, 0, 0}));
  ASSERT_TRUE(Run("Enter Enter N Enter Enter Enter Enter Enter"));
  EXPECT_TRUE(SaidInOrder({"2 Players", "The game is over when ",
                           "you lose all of your chips, or all other players lose their chips"}));
  EXPECT_EQ(table.settings.GameEndRule, 1);
  EXPECT_EQ(table.settings.GameEndAmount, 10);
}

TEST_F(TableSetupTest, ADamagedSettingsFileIsIgnored) {
  folder.Write("CV PokerSettings.sav", Field30("Ann") + Bytes({2, 0, 9}));
  ASSERT_TRUE(Run(kKeepEverything));
  EXPECT_TRUE(SaidInOrder({"5 Players", "What name would you like to go buy?", "The Boss",
                           "What is the highest allowed raise in betting?", "1000"}));
}

// The reserved field of the saved table goes back as it was read only for the table restored from
// it; a table set up anew starts with 0 there.
TEST_F(TableSetupTest, ANewTableSavesZeroInTheReservedFieldAfterARestoredOne) {
  SavedTable restored;
  restored.PlayerCount = 2;
  restored.players.PlayerName = {"", "Ann", "Bob"};
  restored.players.Chips = {0, 500, 700};
  restored.Reserved = 0x01020304;
  restored.RoundEndSeat = 2;
  folder.Write("CV SavedTable.sav", SerializeSavedTable(restored));
  SavedTables saved(table, settings, speech, folder.File(""));
  const auto reservedOnDisk = [&] {
    SavedTable read;
    EXPECT_TRUE(ParseSavedTable(folder.Read("CV SavedTable.sav"), read));
    return read.Reserved;
  };

  ASSERT_EQ(saved.RestoreTable(), 0);
  ASSERT_EQ(saved.SaveTable(), 0);
  EXPECT_EQ(reservedOnDisk(), 0x01020304);
  ASSERT_TRUE(Run(kKeepEverything));
  ASSERT_EQ(saved.SaveTable(), 0);
  EXPECT_EQ(reservedOnDisk(), 0);
}

TEST_F(TableSetupTest, PlayersAreSeatedWithTheirChipsAndRandomAttributes) {
  ASSERT_TRUE(Run("4 Enter N Enter Enter Enter 7 5 0 Enter Enter"));
  EXPECT_EQ(table.PlayerCount, 4);
  for (int seat = 1; seat <= 4; ++seat) {
    EXPECT_EQ(table.players.Chips[seat], 750);
    for (float value : {table.players.Intelligence[seat], table.players.Aggressiveness[seat],
                        table.players.Bluffing[seat], table.players.RiskTaker[seat]}) {
      EXPECT_GE(value, 0.0f);
      EXPECT_LT(value, 1.0f);
    }
  }
  EXPECT_NE(table.players.Bluffing[2], table.players.Bluffing[3]);
  EXPECT_EQ(table.ElapsedSeconds, 0);
  EXPECT_EQ(table.DealerRounds, 0);
  EXPECT_EQ(table.LeftTableCount, 0);
}

TEST_F(TableSetupTest, TheFirstDealerIsDrawnAndTheUserHearsWhenTheyWinTheDeal) {
  bool userDealt = false;
  bool botDealt = false;
  for (std::uint64_t seed = 1; seed <= 40 && !(userDealt && botDealt); ++seed) {
    game.Seed(seed);
    // The same draws: four attributes for each of the five seats, then the dealer.
    Random copy(seed);
    for (int i = 0; i < 20; ++i) copy.Rnd();
    const int dealer = static_cast<int>(std::floor(copy.Rnd() * 5));
    host.ClearSpoken();
    ASSERT_TRUE(Run(kKeepEverything));
    EXPECT_EQ(table.Dealer, dealer) << seed;
    EXPECT_EQ(table.RoundEndSeat, dealer == 0 ? 5 : dealer) << seed;
    EXPECT_EQ(Said("You win the deal"), dealer == 0) << seed;
    userDealt = userDealt || dealer == 0;
    botDealt = botDealt || dealer != 0;
  }
  EXPECT_TRUE(userDealt);
  EXPECT_TRUE(botDealt);
  // Said with the marker: never kept in the phrase history.
  for (const auto& entry : speech.PhraseHistory) EXPECT_EQ(entry, "");
}

TEST_F(TableSetupTest, EscapeAtThePlayerCountCancelsWithoutWriting) {
  EXPECT_FALSE(Run("Esc"));
  EXPECT_TRUE(table.GameOver);
  EXPECT_FALSE(FileExists());
}

TEST_F(TableSetupTest, EscapeAtTheUsersNameCancelsAndRestoresTheDefaultName) {
  EXPECT_FALSE(Run("Enter Esc"));
  EXPECT_TRUE(table.GameOver);
  EXPECT_EQ(table.players.PlayerName[1], "The Boss");
  EXPECT_FALSE(FileExists());
}

TEST_F(TableSetupTest, EscapeAtALaterQuestionKeepsTheAnswersGivenButWritesNothing) {
  EXPECT_FALSE(Run("3 Enter N 5 0 0 Enter Esc"));
  EXPECT_TRUE(table.GameOver);
  EXPECT_EQ(table.PlayerCount, 3);
  EXPECT_EQ(table.settings.MaxRaise, 500);
  EXPECT_FALSE(FileExists());
  for (const char* keys : {"Enter Enter N Enter Enter Esc", "Enter Enter N Enter Enter Enter Esc",
                           "Enter Enter N Enter Enter Enter Enter Esc",
                           "Enter Enter N Enter Enter Enter Enter T Esc"}) {
    table.GameOver = false;
    EXPECT_FALSE(Run(keys)) << keys;
    EXPECT_TRUE(table.GameOver) << keys;
    EXPECT_FALSE(FileExists()) << keys;
  }
}

}  // namespace
}  // namespace corvane::testing
