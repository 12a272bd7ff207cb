// The reports of the command keys, word for word, pressed at the window as the user presses them.
#include <gtest/gtest.h>

#include "table_fixture.h"

namespace corvane::testing {
namespace {

class StatusReportsTest : public TableFixture {
 protected:
  StatusReportsTest() {
    Seat(kSevenCardStud, {"The Boss", "Susan", "Harry", "Donald"}, {9975, 975, 0, 12000}, 2);
  }
};

TEST_F(StatusReportsTest, PotsWithAMainPotAndTwoSidePotsNumberTheSidePotsFromOne) {
  hand.Pot = 600;
  hand.PotCount = 3;
  hand.PotAmount[1] = 300;
  hand.PotAmount[2] = 200;
  hand.PotAmount[3] = 100;
  EXPECT_EQ(Press("P"), (Lines{"There is 300 in the main pot.", "There is 200 in side pot 1",
                               "There is 100 in side pot 2"}));
}

TEST_F(StatusReportsTest, PotsWithOnePotOrNoneGiveThePotTotal) {
  hand.Pot = 175;
  hand.PotCount = 1;
  hand.PotAmount[1] = 175;
  EXPECT_EQ(Press("P"), (Lines{"The pot contains 175 chips."}));
  // Before the first chips are put into a pot the total is still there to report.
  hand.PotCount = 0;
  hand.PotAmount[1] = 0;
  hand.Pot = 100;
  EXPECT_EQ(Press("P"), (Lines{"The pot contains 100 chips."}));
}

TEST_F(StatusReportsTest, ReportsAreNeverKeptInThePhraseHistory) {
  hand.Pot = 175;
  Press("P");
  Press("M");
  Press("F3");
  for (const auto& entry : speech.PhraseHistory) EXPECT_EQ(entry, "");
}

TEST_F(StatusReportsTest, FaceDownAndFaceUpCardsAreListedSlotBySlot) {
  Deal(1, {C(1, 'S'), C(2, 'H'), C(13, 'D'), C(10, 'C')});
  hand.CurrentRound = 4;
  EXPECT_EQ(Press("D"), (Lines{"Ace of Spades, Two of Hearts, "}));
  EXPECT_EQ(Press("U"), (Lines{"King of Diamonds, Ten of Clubs, "}));
}

TEST_F(StatusReportsTest, FaceDownCardsWhenEveryCardIsFaceUpSayTheMarkerAlone) {
  for (int r = 1; r <= table.game.RoundCount; ++r) table.game.Rounds[r].FaceUp = true;
  Deal(1, {C(1, 'S'), C(2, 'H'), C(13, 'D')});
  // The phrase is empty after its marker: nothing is printed, but the speech engine is given it.
  EXPECT_EQ(Press("D"), Lines{});
  EXPECT_EQ(SaidToReader(), Lines{""});
  EXPECT_EQ(Press("U"), (Lines{"Ace of Spades, Two of Hearts, King of Diamonds, "}));

  // Without speech the text window receives no empty line.
  speech.TTSSetup(0);
  Press("D");
  EXPECT_EQ(host.text.Text(), "");
}

TEST_F(StatusReportsTest, CardsShowingNameAPlayerWithNoFaceUpCardNotShowing) {
  hand.CurrentRound = 4;
  Deal(1, {C(9, 'S'), C(4, 'H'), C(13, 'H')});
  Deal(2, {C(3, 'S'), C(5, 'H'), C(7, 'C'), C(7, 'H')});
  Deal(3, {C(2, 'S'), C(6, 'H'), C(12, 'D')});
  Deal(4, {C(8, 'S'), C(11, 'H')});
  hand.Folded[3] = true;
  hand.FoldCount = 1;
  EXPECT_EQ(Press("S"), (Lines{"Cards showing.", "The Boss has King high.",
                               "Susan has Pair of Sevens .", "Donald has not showing."}));
}

TEST_F(StatusReportsTest, CardsShowingInAGameWithoutFaceUpCards) {
  ASSERT_TRUE(LoadGameDefinition(table.game, kFiveCardDraw, ""));
  Deal(1, {C(9, 'S'), C(4, 'H'), C(13, 'H')});
  EXPECT_EQ(Press("S"), (Lines{"No cards face up, or all up cards are shared."}));
  EXPECT_EQ(Press("Shift+S"), (Lines{"No cards face up, or all up cards are shared."}));
}

TEST_F(StatusReportsTest, ShowingDetailsListTheOpponentsWithTheirFaceUpCards) {
  hand.CurrentRound = 4;
  Deal(1, {C(9, 'S'), C(4, 'H'), C(13, 'H'), C(13, 'S')});
  Deal(2, {C(3, 'S'), C(5, 'H'), C(7, 'C'), C(7, 'H')});
  Deal(3, {C(2, 'S'), C(6, 'H'), C(12, 'D'), C(1, 'C')});
  Deal(4, {C(8, 'S'), C(11, 'H')});
  hand.Folded[3] = true;
  hand.FoldCount = 1;
  EXPECT_EQ(Press("Shift+S"),
            (Lines{"Cards showing", "Susan, Pair of Sevens ,  Seven of Clubs,  Seven of Hearts, ",
                   "Donald, not showing, "}));
}

TEST_F(StatusReportsTest, ShowingDetailsInAGameOfSharedCards) {
  ASSERT_TRUE(LoadGameDefinition(table.game, kTexasHoldem, ""));
  EXPECT_EQ(Press("Shift+S"), (Lines{"No cards face up, or all up cards are shared."}));
}

TEST_F(StatusReportsTest, ExamineAllHandsSaysNothingBeforeTheEndOfTheHand) {
  hand.CurrentRound = 7;
  Deal(1, {C(2, 'H'), C(12, 'S'), C(10, 'S'), C(1, 'S'), C(3, 'C'), C(13, 'S'), C(11, 'S')});
  hand.HandOver = false;
  EXPECT_EQ(Press("X"), Lines{});
  EXPECT_EQ(SaidToReader(), Lines{});
}

TEST_F(StatusReportsTest, ExamineAllHandsListsEveryHandStillInSortedHighestFirst) {
  hand.CurrentRound = 7;
  Deal(1, {C(2, 'H'), C(12, 'S'), C(10, 'S'), C(1, 'S'), C(3, 'C'), C(13, 'S'), C(11, 'S')});
  Deal(2, {C(5, 'H'), C(5, 'S'), C(9, 'C'), C(9, 'H'), C(5, 'C'), C(2, 'D'), C(3, 'D')});
  Deal(3, {C(4, 'S'), C(13, 'D'), C(8, 'H'), C(2, 'C'), C(9, 'D'), C(6, 'H'), C(3, 'H')});
  Deal(4, {C(7, 'S'), C(7, 'D'), C(8, 'C'), C(10, 'H'), C(12, 'C'), C(4, 'D'), C(6, 'D')});
  hand.Folded[2] = true;
  hand.FoldCount = 1;
  hand.HandOver = true;
  hand.CardsShown = true;
  EXPECT_EQ(Press("X"),
            (Lines{"The Boss, Straight Flush Ace high.,  Ace of Spades,  King of "
                   "Spades,  Queen of Spades,  Jack of Spades,  Ten of Spades,  Three "
                   "of Clubs,  Two of Hearts, ",
                   "Harry, King high,  King of Diamonds,  Nine of Diamonds,  Eight of "
                   "Hearts,  Six of Hearts,  Four of Spades,  Three of Hearts,  Two of "
                   "Clubs, ",
                   "Donald, Pair of Sevens ,  Queen of Clubs,  Ten of Hearts,  Eight of "
                   "Clubs,  Seven of Diamonds,  Seven of Spades,  Six of Diamonds,  "
                   "Four of Diamonds, "}));
  // The seats' own cards keep their order.
  EXPECT_EQ(table.Cards[1][1], C(2, 'H'));
  EXPECT_EQ(table.Cards[1][4], C(1, 'S'));
}

TEST_F(StatusReportsTest, ExamineAllHandsWhenEveryoneElseFolded) {
  hand.CurrentRound = 3;
  Deal(1, {C(2, 'H'), C(12, 'S'), C(10, 'S')});
  hand.HandOver = true;
  for (int seat = 2; seat <= 4; ++seat) hand.Folded[seat] = true;
  hand.FoldCount = 3;
  EXPECT_EQ(Press("X"), (Lines{"Unfortunately, no one paid to see the winners cards."}));
}

TEST_F(StatusReportsTest, HandSummaryOnlyWhileTheUserIsIn) {
  hand.CurrentRound = 4;
  Deal(1, {C(9, 'S'), C(13, 'D'), C(13, 'H'), C(4, 'S')});
  EXPECT_EQ(Press("H"), (Lines{"The Boss has Pair of Kings "}));
  hand.Folded[1] = true;
  hand.FoldCount = 1;
  EXPECT_EQ(Press("H"), Lines{});
  EXPECT_EQ(SaidToReader(), Lines{});
}

TEST_F(StatusReportsTest, ChipsOfTheUserAndOfEveryone) {
  hand.Pot = 100;
  EXPECT_EQ(Press("M"), (Lines{"9975 chips."}));
  EXPECT_EQ(Press("Shift+M"), (Lines{"The Boss 9975 chips.", "Susan 975 chips.", "Harry 0 chips.",
                                     "Donald 12000 chips.", "The pot has 100 chips"}));
}

TEST_F(StatusReportsTest, GameVariables) {
  table.settings.MaxRaises = 4;
  table.settings.StartingChips = 5000;
  table.settings.MaxRaise = 750;
  table.settings.Ante = 30;
  EXPECT_EQ(Press("F3"), (Lines{"Name The Boss.", "Maximum numbe r of raises 4.",
                                "Starting chips 5000.", "Maximum raise 750.", "Ante 30."}));
}

TEST_F(StatusReportsTest, StatusOfAStudHandWithAFoldedPlayer) {
  hand.CurrentRound = 3;
  hand.HandContribution[1] = 125;
  hand.Folded[3] = true;
  hand.FoldCount = 1;
  EXPECT_EQ(Press("Tab"),
            (Lines{"Seven Card Stud", "3 of 7 cards have been dealt.",
                   "You have 125 invested in this hand.", "The Players are", "The Boss", "Susan",
                   "Donald", "Players who have folded.", "Harry", "The dealer is Susan"}));
}

TEST_F(StatusReportsTest, StatusOnceTheHandIsOverGivesItsResult) {
  hand.CurrentRound = 7;
  hand.HandOver = true;
  hand.HandReport = "Donald wins 400 chips.";
  const Lines said = Press("Tab");
  ASSERT_GE(said.size(), 4u);
  EXPECT_EQ((Lines{said[0], said[1], said[2], said[3]}),
            (Lines{"Seven Card Stud", "The hand is over.", "Donald wins 400 chips.",
                   "7 of 7 cards have been dealt."}));
}

TEST_F(StatusReportsTest, StatusInFollowTheQueenGivesTheTrailerAndCountsTheWildPayments) {
  ASSERT_TRUE(LoadGameDefinition(table.game, kFollowTheQueen, ""));
  hand.CurrentRound = 4;
  hand.HandContribution[1] = 25;
  hand.WildPayments[1] = 50;
  Lines said = Press("Tab");
  ASSERT_GE(said.size(), 4u);
  EXPECT_EQ((Lines{said[0], said[1], said[2], said[3]}),
            (Lines{"Follow the Queen Stud Poker", "There is no trailer wildcard.",
                   "4 of 7 cards have been dealt.", "You have 75 invested in this hand."}));
  hand.FollowRank = 7;
  said = Press("Tab");
  ASSERT_GE(said.size(), 2u);
  EXPECT_EQ(said[1], "The trailer wildcard is Seven.");
}

TEST_F(StatusReportsTest, StatusInADrawGameGivesTheDrawsLeftOnlyInTheRoundOfTheDraw) {
  ASSERT_TRUE(LoadGameDefinition(table.game, kFiveCardDraw, ""));
  hand.CurrentRound = 5;
  hand.DrawsLeft = 1;
  Lines said = Press("Tab");
  ASSERT_GE(said.size(), 3u);
  EXPECT_EQ((Lines{said[0], said[1], said[2]}),
            (Lines{"Five Card Draw Poker", "1 draws left.", "5 of 5 cards have been dealt."}));
  hand.DrawsLeft = 0;
  said = Press("Tab");
  ASSERT_GE(said.size(), 2u);
  EXPECT_EQ(said[1], "No more draws left.");
  // A round without draws, and the time between hands, have no draw line.
  for (int round : {3, 0}) {
    hand.CurrentRound = static_cast<std::int16_t>(round);
    hand.DrawsLeft = 1;
    said = Press("Tab");
    ASSERT_GE(said.size(), 2u);
    EXPECT_EQ(said[1], std::to_string(round) + " of 5 cards have been dealt.");
  }
}

TEST_F(StatusReportsTest, MinutesRemainingRoundHalvesToEvenAndNeverGoBelowZero) {
  table.settings.GameEndRule = 2;
  table.settings.GameEndAmount = 10;
  const auto minutesLine = [this](std::int32_t elapsed, double thisHand) {
    table.ElapsedSeconds = elapsed;
    host.ClearSpoken();
    reports.HandStatus(thisHand);
    return host.spoken.back();
  };
  EXPECT_EQ(minutesLine(0, 0), "You have 10 minutes remaining in the game.");
  // 1.5 minutes played count as 2, 2.5 as 2.
  EXPECT_EQ(minutesLine(90, 0), "You have 8 minutes remaining in the game.");
  EXPECT_EQ(minutesLine(150, 0), "You have 8 minutes remaining in the game.");
  // The hand under way counts too: 3 and 3.5 minutes.
  EXPECT_EQ(minutesLine(120, 60), "You have 7 minutes remaining in the game.");
  EXPECT_EQ(minutesLine(120, 90), "You have 6 minutes remaining in the game.");
  EXPECT_EQ(minutesLine(630, 0), "You have 0 minutes remaining in the game.");
  EXPECT_EQ(minutesLine(690, 0), "You have 0 minutes remaining in the game.");
  EXPECT_EQ(minutesLine(6000, 45), "You have 0 minutes remaining in the game.");
  // Between hands the Tab key counts only the hands played.
  table.ElapsedSeconds = 300;
  EXPECT_EQ(Press("Tab").back(), "You have 5 minutes remaining in the game.");
}

TEST_F(StatusReportsTest, DealingRoundsLeft) {
  table.settings.GameEndRule = 3;
  table.settings.GameEndAmount = 5;
  table.DealerRounds = 2;
  EXPECT_EQ(Press("Tab").back(), "You have 3 dealing rounds left in the game.");
  table.settings.GameEndRule = 1;
  EXPECT_EQ(Press("Tab").back(), "The dealer is Susan");
}

TEST_F(StatusReportsTest, FoldRaiseAndAllInOutsideABettingPrompt) {
  EXPECT_EQ(Press("F"), (Lines{"You cannot fold at this time. You might need to \"check\"."}));
  EXPECT_EQ(Press("R"), (Lines{"Raising is not available to you at this time."}));
  EXPECT_EQ(Press("I"), (Lines{"All-In is not available to you at this time."}));
}

TEST_F(StatusReportsTest, VoiceSettingsKeyOnlyInTheGamesOwnVoice) {
  speech.SpeechMode = 1;
  EXPECT_EQ(Press("O"), (Lines{"This key is only valid if your speech settings is MS SAPI. Use "
                               "Control-3 to switch to MS SAPI."}));
  EXPECT_EQ(voiceSettingsOpened, 0);
  speech.SpeechMode = 3;
  EXPECT_EQ(Press("O"), Lines{});
  EXPECT_EQ(voiceSettingsOpened, 1);
}

TEST_F(StatusReportsTest, HelpScreensOfTheGameAndOfTheKeys) {
  Press("F2");
  Press("Shift+F2");
  EXPECT_EQ(helpScreens, (std::vector<int>{0, 1}));
}

TEST_F(StatusReportsTest, ShiftedLettersAreOtherCommandsOrNone) {
  hand.Pot = 50;
  EXPECT_EQ(Press("Shift+P"), Lines{});
  EXPECT_EQ(Press("Ctrl+M"), Lines{});
  EXPECT_EQ(Press("Alt+X"), Lines{});
}

}  // namespace
}  // namespace corvane::testing
