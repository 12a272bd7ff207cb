// The flow of a hand on stacked decks: who opens, the blinds of Texas Holdem, a single hand at the
// showdown, players who cannot pay for the next hand and the user's elimination.
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace corvane::testing {
namespace {

class HandFlowTest : public EngineFixture {};

// Two face-up rounds without betting; Susan folds at her first card (as to a wild-card payment).
TEST_F(HandFlowTest, ASingleHandAtTheShowdownCollectsWithoutBeingAskedToShow) {
  GameDefinition g;
  g.GameCode = kCustomGame;
  g.GameName = "Open Two";
  g.RoundCount = 2;
  g.HasFaceUp = true;
  g.Rounds[1].FaceUp = g.Rounds[2].FaceUp = true;
  Seat(g, {"The Boss", "Susan"}, {1000, 1000}, 2);
  Ready({C(1, 'S'), C(2, 'S'), C(1, 'H')}, true);
  engine.hooks().WildCardCheck = [&](int seat, int round) {
    if (seat == 2 && round == 1) engine.Fold(2);
  };
  host.Keys("N");
  Play();
  EXPECT_FALSE(SaidContaining("All betting is complete")) << host.Transcript();
  EXPECT_TRUE(SaidInOrder({
      "Susan folds.",
      "The Boss is dealt a Ace of Hearts",
      "The Boss wins this hand with Pair of Aces . The pot is worth 50",
      "The Boss collects the pot.",
      "Other players in order of hand ranking",
      "Use Control-Up arrow to review the hand.",
      "Play another hand of this game?",
  })) << host.Transcript();
  EXPECT_EQ(table.players.Chips[1], 1025);
  EXPECT_EQ(table.players.Chips[2], 975);
  EXPECT_EQ(hand.Pot, 0);
  EXPECT_EQ(hand.HandReport, "The Boss wins this hand with Pair of Aces . The pot is worth 50");
  EXPECT_TRUE(hand.HandOver);
}

// A betting round before any face-up card, in a game where the best hand showing opens, starts
// with the seat after the dealer.
TEST_F(HandFlowTest, BettingBeforeAnyFaceUpCardStartsLeftOfTheDealer) {
  GameDefinition g = FiveCardStud();
  g.Rounds[1].Betting = true;
  Seat(g, {"The Boss", "Susan", "Harry"}, {1000, 1000, 1000}, 1);
  Ready({}, true);
  Script(2, {Raise(50)});
  Script(3, {Check()});
  host.Keys("F");
  Play();
  EXPECT_TRUE(
      SaidInOrder({"The first card round is dealt facedown.", "Susan bets first.", "Susan bets 50",
                   "Harry folds.", "The Boss folds.", "Susan claims the pot. of 125 chips."}))
      << host.Transcript();
  EXPECT_FALSE(SaidContaining("is dealt a")) << host.Transcript();
  EXPECT_EQ(table.players.Chips[2], 1000 - 75 + 125);
}

// Texas Holdem at three seats, the dealer in seat 3: the Boss pays the small blind; Susan, with
// less than four antes, cannot pay the big blind and leaves; Harry, who moves into her seat, pays
// it. Her chips go into the pot.
TEST_F(HandFlowTest, TheBigBlindNeedsFourAntesAndIsAskedOfThePlayerWhoMovesIn) {
  Seat(TexasHoldem(), {"The Boss", "Susan", "Harry"}, {1000, 99, 1000}, 3);
  Ready({C(2, 'S'), C(3, 'S'), C(4, 'S'), C(5, 'H'), C(6, 'H'), C(7, 'H')}, false);
  const std::int32_t total = TotalChips();
  host.Keys("F N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "The first two card rounds are dealt facedown.",
      "You are dealt a Two of Spades face down.",
      "You are dealt a Five of Hearts face down.",
      "The Boss pays  the small blind of 25",
      "Susan cannot cover the next hand. Susan leaves the table.",
      "Harry pays  the big blind of 50",
      "What would you like to do?",
      "Call 25",
      "The Boss folds.",
      "Harry claims the pot. of 174 chips.",
  })) << host.Transcript();
  EXPECT_FALSE(SaidContaining("bets first")) << host.Transcript();
  EXPECT_EQ(table.PlayerCount, 2);
  EXPECT_EQ(table.players.PlayerName[2], "Harry");
  EXPECT_EQ(table.players.Chips[1], 975);
  EXPECT_EQ(table.players.Chips[2], 1000 - 50 + 174);
  EXPECT_EQ(TotalChips(), total);
  EXPECT_EQ(table.LeftTableCount, 1);
  EXPECT_EQ(table.LeftTable[1].rfind("Susan Bluffing ", 0), 0u);
}

// The small blind needs two antes: 49 chips are not enough, 50 are.
TEST_F(HandFlowTest, TheSmallBlindNeedsTwoAntes) {
  Seat(TexasHoldem(), {"The Boss", "Susan", "Harry"}, {1000, 49, 50}, 1);
  Ready({C(2, 'S'), C(3, 'S'), C(4, 'S'), C(5, 'H'), C(6, 'H'), C(7, 'H')}, false);
  const std::int32_t total = TotalChips();
  Script(2, {Check()});  // Harry, now in seat 2, owes 25 and folds
  host.Keys("N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "Susan cannot cover the next hand. Susan leaves the table.",
      "Harry pays  the small blind of 25",
      "The Boss pays  the big blind of 50",
      "Harry folds.",
      "The Boss claims the pot. of 124 chips.",
  })) << host.Transcript();
  // Harry took Susan's seat with his own cards.
  EXPECT_EQ(table.players.Chips[2], 25);
  EXPECT_EQ(table.players.Chips[1], 1000 - 50 + 124);
  EXPECT_EQ(TotalChips(), total);
}

// Susan cannot pay the next ante: she leaves, and her last chips are won in the next hand.
TEST_F(HandFlowTest, ABotThatCannotCoverTheAnteLeavesAndItsChipsGoToTheNextPot) {
  Seat(FiveCardStud(), {"The Boss", "Susan", "Harry"}, {1000, 30, 1000}, 3);
  Ready({C(2, 'S'), C(3, 'S'), C(4, 'S'), C(5, 'H'), C(6, 'H'), C(13, 'H')}, true);
  const std::int32_t total = TotalChips();
  Script(3, {Raise(100)});
  Script(2, {Check()});
  host.Keys("F Y");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "Harry bets first.",
      "Harry bets 100",
      "The Boss folds.",
      "Susan folds.",
      "Harry claims the pot. of 175 chips.",
      "Susan cannot cover the next hand. Susan leaves the table.",
      "Play another hand of this game?",
  })) << host.Transcript();
  EXPECT_EQ(table.PlayerCount, 2);
  EXPECT_EQ(hand.Pot, 5);
  EXPECT_EQ(table.players.PlayerName[2], "Harry");
  EXPECT_EQ(table.players.Chips[2], 1050);
  EXPECT_TRUE(table.KeepPlaying);
  EXPECT_TRUE(table.SameGame);
  EXPECT_EQ(TotalChips(), total);
  EXPECT_NE(std::find(host.sounds.begin(), host.sounds.end(), "leavetable.wav"), host.sounds.end());

  // The next hand: the five chips are in the pot with the antes.
  host.ClearSpoken();
  table.Dealer = 1;
  Ready({C(13, 'S'), C(2, 'S'), C(13, 'H'), C(5, 'H')}, true);
  Script(2, {Raise(100)});
  host.Keys("F N");
  Play();
  EXPECT_TRUE(Said("Harry claims the pot. of 155 chips.")) << host.Transcript();
  EXPECT_EQ(table.players.Chips[2], 1050 - 125 + 155);
  EXPECT_EQ(hand.Pot, 0);
  EXPECT_EQ(TotalChips(), total);
}

// The Boss ends the hand with fewer chips than the ante: the table is closed to the user.
TEST_F(HandFlowTest, TheUsersEliminationClosesTheTable) {
  Seat(FiveCardStud(), {"The Boss", "Susan"}, {30, 1000}, 2);
  Ready({C(2, 'S'), C(3, 'S'), C(5, 'H'), C(13, 'H')}, true);
  const std::int32_t total = TotalChips();
  Lines order;
  engine.hooks().SaveTableOnLeave = [&] { order.push_back("saved"); };
  engine.hooks().FinalStandings = [&] { order.push_back("standings:" + host.spoken.back()); };
  Script(2, {Raise(100)});
  host.Keys("F");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "Susan bets 100",
      "The Boss has insufficient chips to cover the bet. You can now only go All-In or fold.",
      "What would you like to do?",
      "All-In 5",
      "The Boss folds.",
      "Susan claims the pot. of 150 chips.",
      "The Boss cannot cover the next hand. The Boss leaves the table.",
      "better luck next time. The table is closed to you.",
  })) << host.Transcript();
  EXPECT_FALSE(SaidContaining("Play another hand")) << host.Transcript();
  EXPECT_EQ(order,
            (Lines{"saved", "standings:better luck next time. The table is closed to you."}));
  EXPECT_TRUE(table.GameOver);
  EXPECT_FALSE(table.KeepPlaying);
  EXPECT_TRUE(hand.HandOver);
  EXPECT_EQ(table.PlayerCount, 2);
  EXPECT_EQ(TotalChips(), total);
  EXPECT_FALSE(ended);
}

// Quitting during a pause abandons the hand: nothing is settled and the pot keeps its chips.
TEST_F(HandFlowTest, GameOverAtAPauseAbandonsTheHandWithTheChipsInThePot) {
  Seat(FiveCardStud(), {"The Boss", "Susan"}, {1000, 1000}, 2);
  Ready({}, true);
  engine.hooks().WildCardCheck = [&](int, int) { table.GameOver = true; };
  Play();
  EXPECT_EQ(hand.Pot, 50);
  EXPECT_EQ(table.players.Chips[1] + table.players.Chips[2], 1950);
  EXPECT_FALSE(SaidContaining("bets first")) << host.Transcript();
  EXPECT_FALSE(SaidContaining("Play another hand")) << host.Transcript();
  EXPECT_EQ(hand.PotCount, 0);
  EXPECT_FALSE(ended);
}

}  // namespace
}  // namespace corvane::testing
