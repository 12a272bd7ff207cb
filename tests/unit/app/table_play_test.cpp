// The play of a table: the game selection menu, the custom game menu, the bots' choice of game,
// the end rules, the standings and the attributes. The hands themselves are stood in for by the
// dealHand hook, which moves the table on as a test needs.
#include "app/table_play.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "table/gam_file.h"
#include "unit/commands/table_fixture.h"
#include "unit/store/test_folder.h"

namespace corvane::testing {
namespace {

const Lines kUserRows{"Seven Card Stud, S",
                      "Draw Poker (Five Card), D",
                      "Five Card Stud, F",
                      "Kings and Little Ones Draw Poker, K",
                      "Follow The Queen Stud Poker, Q",
                      "Texas Holdem, T",
                      "Play Custom Built Poker games, P",
                      "Save Table, and Return to Main Menu, A",
                      "Main Menu, M ",
                      "Help, F1",
                      "Game  Settings, G"};

constexpr const char* kCustomMenu =
    "Custom Poker Game Menu. Press Enter to select, or the delete key to remove. Press Escape to "
    "return.";

class TablePlayTest : public TableFixture {
 protected:
  TablePlayTest() {
    Seat(kSevenCardStud, {"The Boss", "Susan", "Harry", "Donald"}, {1000, 1000, 1000, 1000}, 4);
    table.game = GameDefinition{};
    table.TableSaved = false;
  }

  // Runs PlayTable until it returns or the scripted keys run out.
  void RunTable() {
    try {
      play.PlayTable(background);
    } catch (const EndProgram&) {
      ended = true;
    }
  }

  // A custom game of five face-down cards, written as the game builder writes it.
  void WriteCustomGame(const std::string& fileName) {
    GameDefinition g;
    g.GameCode = kCustomGame;
    g.GameName = "Five Down";
    g.RoundCount = 5;
    g.Rounds[5].Betting = true;
    ASSERT_TRUE(WriteGamFile(folder.File(fileName), g));
  }

  TestFolder folder;
  std::string dataFolder = folder.File("");
  std::int16_t background = 0;
  // What a hand does to the table; by default the user stops after it.
  std::function<void()> deal = [this] { table.KeepPlaying = false; };
  int hands = 0;
  std::vector<int> gamesDealt;
  int saves = 0;
  bool saveSucceeds = true;
  std::vector<bool> deletes;
  int settingsAsked = 0;
  int helpAsked = 0;
  TablePlay play{
      host,
      table,
      settings,
      speech,
      prompts,
      keyboard,
      sound,
      game,
      dataFolder,
      TablePlayHooks{.dealHand =
                         [this] {
                           ++hands;
                           gamesDealt.push_back(table.game.GameCode);
                           deal();
                         },
                     .saveTable =
                         [this] {
                           ++saves;
                           return saveSucceeds;
                         },
                     .deleteSavedTable = [this](bool announce) { deletes.push_back(announce); },
                     .gameSettings = [this] { ++settingsAsked; },
                     .help = [this] { ++helpAsked; },
                     .clearContributions = {},
                     .addMenuRow = {}}};
};

TEST_F(TablePlayTest, TheUserChoosesAmongTheSevenGameRowsAndTheTableRows) {
  host.Keys("Down Down Down Down Down Down Down Down Down Down Down");
  RunTable();
  EXPECT_TRUE(ended);
  Lines expected{"Game Selection Menu"};
  expected.insert(expected.end(), kUserRows.begin(), kUserRows.end());
  // Down on the last row says it again.
  expected.push_back("Game  Settings, G");
  EXPECT_EQ(host.spoken, expected);
  // The party plays and the shuffling ambience runs.
  EXPECT_EQ(CountSounds("POKERPARTY.WAV"), 1);
  EXPECT_TRUE(host.TimerRunning(kShuffleTimer));
  EXPECT_EQ(audio.Volume(background), settings.PartyVolume);
}

TEST_F(TablePlayTest, WhenABotDealsNextWithDealersChoiceTheOnlyGameRowDealsANewHand) {
  settings.BotsDealersChoice = true;
  table.Dealer = 2;
  host.Keys("End Home Down");
  RunTable();
  EXPECT_EQ(host.spoken, (Lines{"Game Selection Menu", "Deal New Hand, D", "Game  Settings, G",
                                "Deal New Hand, D", "Save Table, and Return to Main Menu, A"}));
}

TEST_F(TablePlayTest, WhenTheUserDealsNextWithDealersChoiceTheGameRowsAreOffered) {
  settings.BotsDealersChoice = true;
  for (int dealer : {4, 0}) {
    table.Dealer = static_cast<std::int16_t>(dealer);
    host.ClearSpoken();
    host.Keys("Down");
    RunTable();
    EXPECT_EQ(host.spoken,
              (Lines{"Game Selection Menu", "Seven Card Stud, S", "Draw Poker (Five Card), D"}))
        << dealer;
  }
}

TEST_F(TablePlayTest, ShiftedLettersAndEscapeChooseNothing) {
  host.Keys("Down Shift+S Ctrl+T Alt+F Esc Shift+Q");
  RunTable();
  EXPECT_EQ(host.spoken, (Lines{"Game Selection Menu", "Seven Card Stud, S",
                                "Draw Poker (Five Card), D", "Draw Poker (Five Card), D",
                                "Draw Poker (Five Card), D", "Draw Poker (Five Card), D",
                                "Draw Poker (Five Card), D", "Draw Poker (Five Card), D"}));
  EXPECT_EQ(hands, 0);
}

TEST_F(TablePlayTest, ShiftPageUpAndDownMoveThePartyVolumeWithinItsRange) {
  settings.PartyVolume = -1000;
  host.Keys("Shift+PgUp");
  RunTable();
  EXPECT_EQ(settings.PartyVolume, -1000);
  EXPECT_EQ(host.spoken,
            (Lines{"Game Selection Menu", "Seven Card Stud, S", "Seven Card Stud, S"}));

  host.Keys("Shift+PgDn");
  RunTable();
  EXPECT_EQ(settings.PartyVolume, -1200);
  EXPECT_EQ(audio.Volume(background), -1200);

  settings.PartyVolume = -5000;
  host.Keys("Shift+PgDn");
  RunTable();
  EXPECT_EQ(settings.PartyVolume, -5000);
}

TEST_F(TablePlayTest, AChosenGameIsLoadedAndDealtUntilTheUserStops) {
  int left = 3;
  deal = [&] { table.KeepPlaying = --left > 0; };
  host.Keys("F");
  RunTable();
  EXPECT_EQ(hands, 3);
  EXPECT_EQ(table.game.GameCode, kFiveCardStud);
  EXPECT_EQ(table.game.GameName, "Five Card Stud Poker");
  // Back to the game selection menu when the user stops.
  EXPECT_EQ(CountSaid("Game Selection Menu"), 2);
}

TEST_F(TablePlayTest, TheMinutesRuleEndsTheGameOnlyAfterMoreThanTheMinutes) {
  table.settings.GameEndRule = 2;
  table.settings.GameEndAmount = 10;
  deal = [&] {
    table.ElapsedSeconds = hands == 1 ? 600 : 601;
    table.KeepPlaying = true;
  };
  host.Keys("S N N");
  RunTable();
  EXPECT_FALSE(ended);
  EXPECT_EQ(hands, 2);
  EXPECT_TRUE(SaidInOrder({"The game is now over. The 10 minute game time is up.",
                           "Would you like these standings repeated?",
                           "Would you like to view the players' attributes?"}));
  EXPECT_EQ(deletes, (std::vector<bool>{false}));
  EXPECT_TRUE(table.GameOver);
  EXPECT_FALSE(table.KeepPlaying);
}

TEST_F(TablePlayTest, TheDealerRoundsRuleEndsTheGameWhenTheDealReachesTheRoundsEndSeat) {
  table.settings.GameEndRule = 3;
  table.settings.GameEndAmount = 1;
  table.Dealer = 2;
  table.RoundEndSeat = 2;
  deal = [&] {
    if (++table.Dealer > table.PlayerCount) {
      table.Dealer = 1;
      ++table.DealerRounds;
    }
    table.KeepPlaying = true;
  };
  host.Keys("S N N");
  RunTable();
  // Deals by Harry, Donald, the user (a round counted) and Susan, where the round ends.
  EXPECT_EQ(hands, 4);
  EXPECT_TRUE(Said("The game is now over. The 1 dealer rounds has been reached."));
  EXPECT_TRUE(table.GameOver);
}

TEST_F(TablePlayTest, TheDealerRoundsRuleEndsTheGamePastTheRoundsEvenAwayFromTheEndSeat) {
  table.settings.GameEndRule = 3;
  table.settings.GameEndAmount = 1;
  table.RoundEndSeat = 7;  // a seat no deal reaches
  deal = [&] {
    if (++table.Dealer > table.PlayerCount) {
      table.Dealer = 1;
      ++table.DealerRounds;
    }
    table.KeepPlaying = true;
  };
  table.Dealer = 4;
  host.Keys("S N N");
  RunTable();
  // The first hand counts round 1, the fifth round 2.
  EXPECT_EQ(hands, 5);
  EXPECT_EQ(table.DealerRounds, 2);
}

TEST_F(TablePlayTest, StandingsListTheChipsHighestFirstByTheSwapRule) {
  table.players.Chips = {0, 500, 900, 500, 900};
  host.Keys("N");
  play.ShowStandings("The 10 minute game time is up.");
  EXPECT_EQ(
      host.spoken,
      (Lines{"The game is now over. The 10 minute game time is up.", "The winner is Susan with 900",
             "The remainingg players' standings  are as follows", "Donald has 900", "Harry has 500",
             "The Boss has 500", "Would you like these standings repeated?", "Yes", "No"}));
  EXPECT_EQ(CountSounds("congratz.wav"), 0);
}

TEST_F(TablePlayTest, StandingsAreRepeatedOnRequest) {
  table.players.Chips = {0, 100, 900, 500, 200};
  host.Keys("Enter Y N");
  play.ShowStandings("Over.");
  EXPECT_EQ(CountSaid("The game is now over. Over."), 3);
  EXPECT_EQ(CountSaid("The winner is Susan with 900"), 3);
}

TEST_F(TablePlayTest, TheFanfarePlaysOnlyWhenTheUserWinsAndOnlyTheFirstTime) {
  table.players.Chips = {0, 2500, 900, 500, 100};
  host.Keys("Y N");
  const double start = host.Now();
  play.ShowStandings("Over.");
  EXPECT_EQ(CountSaid("The winner is The Boss with 2500"), 2);
  EXPECT_EQ(CountSounds("congratz.wav"), 1);
  // Two seconds of pause, then the whole fanfare, before the others are read.
  EXPECT_GT(host.Now() - start, 2.5);
}

TEST_F(TablePlayTest, AttributesOfThePlayersWhoLeftAndOfTheBotsStillIn) {
  table.LeftTableCount = 1;
  table.LeftTable[1] = "Sarah Bluffing 10 %, Aggressiveness 20%, Risk Taker 30%, Intelligence 40%";
  table.players.Bluffing[2] = 0.5f;
  table.players.Aggressiveness[2] = 0.25f;
  table.players.RiskTaker[2] = 0.125f;
  table.players.Intelligence[2] = 0.995f;
  host.Keys("Y N");
  play.OfferAttributes();
  EXPECT_TRUE(
      SaidInOrder({"Would you like to view the players' attributes?", "Yes", table.LeftTable[1],
                   AttributeText(table, 2), AttributeText(table, 3), AttributeText(table, 4),
                   "Would you like to view the players' attributes?", "No"}));
  EXPECT_EQ(CountSaid(AttributeText(table, 2)), 1);
  EXPECT_EQ(AttributeText(table, 2),
            "Susan Bluffing 50 %, Aggressiveness 25%, Risk Taker 12%, Intelligence 100%");
}

TEST_F(TablePlayTest, TheUserWinsWhenEveryBotHasLeft) {
  deal = [&] {
    table.PlayerCount = 1;
    table.KeepPlaying = false;
  };
  host.Keys("S N");
  RunTable();
  EXPECT_FALSE(ended);
  EXPECT_TRUE(SaidInOrder({"Congratulations! You are the big winner.",
                           "Would you like to view the players' attributes?"}));
  EXPECT_EQ(CountSounds("congratz.wav"), 1);
  EXPECT_EQ(deletes, (std::vector<bool>{false}));
}

TEST_F(TablePlayTest, CustomGamesAreListedByNameIgnoringCase) {
  folder.Write("zeta.gam", "x");
  folder.Write("Alpha.gam", "x");
  folder.Write("beta.GAM", "x");
  folder.Write("notes.txt", "x");
  folder.Write(".gam", "x");
  EXPECT_EQ(play.ListCustomGames(), (std::vector<std::string>{"Alpha", "beta", "zeta"}));
  host.Keys("P Down Down Down Esc");
  RunTable();
  EXPECT_EQ(host.spoken,
            (Lines{"Game Selection Menu", "Seven Card Stud, S", kCustomMenu, "Alpha", "beta",
                   "zeta", kCustomMenu, "Game Selection Menu", "Seven Card Stud, S"}));
  EXPECT_EQ(hands, 0);
}

TEST_F(TablePlayTest, AtMostAHundredCustomGamesAreListed) {
  for (int i = 0; i < 105; ++i) folder.Write("game" + std::to_string(1000 + i) + ".gam", "x");
  const auto names = play.ListCustomGames();
  ASSERT_EQ(names.size(), 100u);
  EXPECT_EQ(names.front(), "game1000");
  EXPECT_EQ(names.back(), "game1099");
}

TEST_F(TablePlayTest, DeleteRemovesACustomGameOnlyWhenTheUserSaysYes) {
  WriteCustomGame("Alpha.gam");
  WriteCustomGame("Beta.gam");
  host.Keys("P Del N Down Del Y Esc");
  RunTable();
  EXPECT_TRUE(
      SaidInOrder({kCustomMenu, "Alpha", "Are you sure you would like to remove Alpha?", "No", "No",
                   kCustomMenu, "Alpha", "Beta", "Are you sure you would like to remove Beta?",
                   "No", "Yes", kCustomMenu, "Alpha", "Game Selection Menu"}));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Alpha.gam"}));
}

TEST_F(TablePlayTest, DeletingTheLastCustomGameLeavesTheEmptyListMessage) {
  WriteCustomGame("Alpha.gam");
  host.Keys("P Del Y");
  RunTable();
  EXPECT_TRUE(SaidInOrder({"Are you sure you would like to remove Alpha?",
                           "There are no custom games yet. Build one from the main menu.",
                           "Game Selection Menu", "Seven Card Stud, S"}));
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(TablePlayTest, NoCustomGamesSaysSoAndGoesBackToTheGameSelectionMenu) {
  host.Keys("P");
  RunTable();
  EXPECT_EQ(host.spoken, (Lines{"Game Selection Menu", "Seven Card Stud, S",
                                "There are no custom games yet. Build one from the main menu.",
                                "Game Selection Menu", "Seven Card Stud, S"}));
}

TEST_F(TablePlayTest, AChosenCustomGameIsLoadedFromItsFile) {
  WriteCustomGame("Five Down.gam");
  host.Keys("P Enter");
  RunTable();
  EXPECT_EQ(hands, 1);
  EXPECT_EQ(table.game.GameCode, kCustomGame);
  EXPECT_EQ(table.game.GameName, "Five Down");
  EXPECT_EQ(table.game.RoundCount, 5);
}

TEST_F(TablePlayTest, ACustomGameWhoseExtensionIsInCapitalsIsLoadedAndDeleted) {
  WriteCustomGame("Five Down.GAM");
  host.Keys("P Enter");
  RunTable();
  EXPECT_FALSE(Said("The game file Five Down could not be read. It may be damaged."));
  EXPECT_EQ(hands, 1);
  EXPECT_EQ(table.game.GameName, "Five Down");

  host.Keys("P Del Y");
  RunTable();
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(TablePlayTest, ADamagedCustomGameIsRefusedAndTheMenuStays) {
  folder.Write("Broken.gam", "not a game");
  ASSERT_TRUE(LoadGameDefinition(table.game, kTexasHoldem, ""));
  host.Keys("P Enter Down");
  RunTable();
  EXPECT_EQ(hands, 0);
  EXPECT_TRUE(SaidInOrder(
      {kCustomMenu, "Broken", "The game file Broken could not be read. It may be damaged.",
       "Game Selection Menu", "Seven Card Stud, S", "Draw Poker (Five Card), D"}));
  // The game in hand is left as it was.
  EXPECT_EQ(table.game.GameCode, kTexasHoldem);
}

TEST_F(TablePlayTest, TheBotDealerChoosesOnlyBuiltInGamesWhenThereAreNoCustomGames) {
  settings.BotsDealersChoice = true;
  table.Dealer = 1;
  std::string keys;
  for (int i = 0; i < 60; ++i) keys += "D ";
  host.Keys(keys);
  RunTable();
  ASSERT_EQ(hands, 60);
  std::set<int> codes(gamesDealt.begin(), gamesDealt.end());
  EXPECT_EQ(codes, (std::set<int>{11, 12, 13, 14, 15, 16}));
}

TEST_F(TablePlayTest, TheBotDealerChoosesCustomGamesToo) {
  WriteCustomGame("Five Down.gam");
  settings.BotsDealersChoice = true;
  table.Dealer = 1;
  std::string keys;
  for (int i = 0; i < 70; ++i) keys += "D ";
  host.Keys(keys);
  RunTable();
  ASSERT_EQ(hands, 70);
  const auto customs = std::count(gamesDealt.begin(), gamesDealt.end(), kCustomGame);
  // One game in seven on average.
  EXPECT_GE(customs, 3);
  EXPECT_LE(customs, 25);
}

TEST_F(TablePlayTest, WhenTheDealPassesToABotItChoosesTheNextGameWithoutTheMenu) {
  settings.BotsDealersChoice = true;
  table.Dealer = 1;
  deal = [&] {
    table.KeepPlaying = table.ContinueDealing = hands < 8;
    table.SameGame = false;
  };
  host.Keys("D");
  RunTable();
  EXPECT_EQ(hands, 8);
  EXPECT_EQ(CountSaid("Game Selection Menu"), 2);
  for (int code : gamesDealt) {
    EXPECT_GE(code, kSevenCardStud);
    EXPECT_LE(code, kTexasHoldem);
  }
  EXPECT_GT(std::set<int>(gamesDealt.begin(), gamesDealt.end()).size(), 1u);
}

TEST_F(TablePlayTest, TheSameGameGoesOnWhenTheUserDealsAgain) {
  settings.BotsDealersChoice = true;
  table.Dealer = 4;
  deal = [&] { table.KeepPlaying = table.ContinueDealing = table.SameGame = hands < 4; };
  host.Keys("K");
  RunTable();
  EXPECT_EQ(gamesDealt, (std::vector<int>{14, 14, 14, 14}));
}

TEST_F(TablePlayTest, LeavingForTheMainMenuAsksOnlyWhenTheTableIsNotSaved) {
  host.Keys("M N");
  RunTable();
  EXPECT_TRUE(ended);
  EXPECT_TRUE(SaidInOrder({"Are you sure you would like to lose any changes to the current  table?",
                           "No", "No", "Game Selection Menu"}));
  EXPECT_TRUE(deletes.empty());

  host.ClearSpoken();
  ended = false;
  host.Keys("M Y");
  RunTable();
  EXPECT_FALSE(ended);
  EXPECT_EQ(deletes, (std::vector<bool>{true}));

  host.ClearSpoken();
  table.TableSaved = true;
  ended = false;
  host.Keys("M");
  RunTable();
  EXPECT_FALSE(ended);
  EXPECT_EQ(host.spoken, (Lines{"Game Selection Menu", "Seven Card Stud, S"}));
}

TEST_F(TablePlayTest, SavingTheTableReturnsOnlyWhenItWasSaved) {
  saveSucceeds = false;
  host.Keys("A");
  RunTable();
  EXPECT_TRUE(ended);
  EXPECT_EQ(saves, 1);
  EXPECT_FALSE(Said("The table has been saved."));
  EXPECT_EQ(host.spoken.back(), "Save Table, and Return to Main Menu, A");

  saveSucceeds = true;
  ended = false;
  host.ClearSpoken();
  host.Keys("A");
  RunTable();
  EXPECT_FALSE(ended);
  EXPECT_EQ(host.spoken.back(), "The table has been saved.");
}

TEST_F(TablePlayTest, HelpAndSettingsRows) {
  host.Keys("H G");
  RunTable();
  EXPECT_EQ(helpAsked, 1);
  EXPECT_EQ(settingsAsked, 1);
  // Help says its row again; the settings build the menu anew.
  EXPECT_EQ(host.spoken, (Lines{"Game Selection Menu", "Seven Card Stud, S", "Help, F1",
                                "Game Selection Menu", "Seven Card Stud, S"}));
}

}  // namespace
}  // namespace corvane::testing
