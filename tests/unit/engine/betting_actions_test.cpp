// The shared betting actions on their own: what each says and what it does to the chips, the pot,
// the raise count, the last raise, the seat the round ends at and what the others owe.
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace corvane::testing {
namespace {

class BettingActionsTest : public EngineFixture {
 protected:
  BettingActionsTest() {
    Seat(SevenCardStud(), {"The Boss", "Susan", "Harry"}, {1000, 1000, 1000}, 3);
    ClearForNextHand(hand);
    // Harry raised 100 on a bet of 0; the Boss called; Susan owes 100.
    hand.LastRaise = 100;
    hand.RaiseCount = 1;
    hand.EndSeat = 3;
    hand.ToCall[2] = 100;
  }
  void AllInWith(std::int32_t chips) {
    table.players.Chips[2] = chips;
    engine.GoAllIn(2);
  }
};

TEST_F(BettingActionsTest, AnAllInForLessThanTheCallChangesNothingOfTheRound) {
  AllInWith(80);
  EXPECT_EQ(host.spoken, (Lines{"Susan is going all in for 80"}));
  EXPECT_EQ(hand.EndSeat, 3);
  EXPECT_EQ(hand.RaiseCount, 1);
  EXPECT_EQ(hand.LastRaise, 100);
  EXPECT_EQ(hand.ToCall[1], 0);
  EXPECT_EQ(hand.ToCall[3], 0);
  EXPECT_EQ(hand.Pot, 80);
  EXPECT_TRUE(hand.AllIn[2]);
  EXPECT_TRUE(hand.PendingAllIn[2]);
  EXPECT_EQ(table.players.Chips[2], 0);
  EXPECT_EQ(hand.OpenContribution[2], 80);
}

TEST_F(BettingActionsTest, AnAllInRaisingAtMostHalfTheLastRaiseReopensButIsNoRaise) {
  AllInWith(150);  // raise part 50, half of 100
  EXPECT_EQ(hand.EndSeat, 2);
  EXPECT_EQ(hand.RaiseCount, 1);
  EXPECT_EQ(hand.LastRaise, 100);
  EXPECT_EQ(hand.ToCall[1], 50);
  EXPECT_EQ(hand.ToCall[3], 50);
}

TEST_F(BettingActionsTest, AnAllInRaisingMoreThanHalfCountsAsARaiseWithoutChangingTheLastRaise) {
  AllInWith(151);
  EXPECT_EQ(hand.EndSeat, 2);
  EXPECT_EQ(hand.RaiseCount, 2);
  EXPECT_EQ(hand.LastRaise, 100);
  EXPECT_EQ(hand.ToCall[1], 51);
}

TEST_F(BettingActionsTest, AnAllInRaisingMoreThanTheLastRaiseSetsIt) {
  AllInWith(250);
  EXPECT_EQ(hand.EndSeat, 2);
  EXPECT_EQ(hand.RaiseCount, 2);
  EXPECT_EQ(hand.LastRaise, 150);
  EXPECT_EQ(hand.ToCall[1], 150);
  EXPECT_EQ(hand.ToCall[2], 0);
}

TEST_F(BettingActionsTest, AnAllInDoesNotRaiseWhatFoldedOrAllInSeatsOwe) {
  hand.Folded[1] = true;
  hand.AllIn[3] = true;
  AllInWith(250);
  EXPECT_EQ(hand.ToCall[1], 0);
  EXPECT_EQ(hand.ToCall[3], 0);
}

TEST_F(BettingActionsTest, ARaiseSeesTheCallAndEveryoneElseStillInOwesTheRaise) {
  hand.Folded[1] = true;
  engine.BetOrRaise(2, 200);
  EXPECT_EQ(host.spoken, (Lines{"Susan sees the 100 chips and raises 200 chips."}));
  EXPECT_EQ(table.players.Chips[2], 700);
  EXPECT_EQ(hand.Pot, 300);
  EXPECT_EQ(hand.HandContribution[2], 300);
  EXPECT_EQ(hand.EndSeat, 2);
  EXPECT_EQ(hand.RaiseCount, 2);
  EXPECT_EQ(hand.LastRaise, 200);
  EXPECT_EQ(hand.ToCall[1], 0);
  EXPECT_EQ(hand.ToCall[2], 0);
  EXPECT_EQ(hand.ToCall[3], 200);
}

TEST_F(BettingActionsTest, ABetWithNothingToCallIsSpokenWithoutAWordAfterTheAmount) {
  engine.BetOrRaise(1, 75);
  EXPECT_EQ(host.spoken, (Lines{"The Boss bets 75"}));
  EXPECT_EQ(hand.ToCall[2], 175);
  EXPECT_EQ(hand.ToCall[3], 75);
}

TEST_F(BettingActionsTest, CheckAndCall) {
  engine.CheckOrCall(1);
  engine.CheckOrCall(2);
  EXPECT_EQ(host.spoken, (Lines{"The Boss checks.", "Susan calls, 100 chips."}));
  EXPECT_EQ(table.players.Chips[2], 900);
  EXPECT_EQ(hand.Pot, 100);
  EXPECT_FALSE(hand.AllIn[2]);
}

TEST_F(BettingActionsTest, CallingWithTheLastChipsIsAllIn) {
  table.players.Chips[2] = 100;
  engine.CheckOrCall(2);
  EXPECT_EQ(table.players.Chips[2], 0);
  EXPECT_TRUE(hand.AllIn[2]);
  EXPECT_TRUE(hand.PendingAllIn[2]);
}

TEST_F(BettingActionsTest, FoldThrowsTheCardsAndAnAllInSeatCannotFold) {
  table.Cards[2][1] = C(1, 'S');
  table.Cards[2][2] = C(2, 'S');
  engine.Fold(2);
  EXPECT_EQ(host.spoken, (Lines{"Susan folds."}));
  EXPECT_TRUE(hand.Folded[2]);
  EXPECT_EQ(hand.FoldCount, 1);
  EXPECT_EQ(table.Cards[2][1], 0);
  EXPECT_EQ(table.DiscardTop, 51);
  EXPECT_EQ(table.Discards[52], C(1, 'S'));
  EXPECT_EQ(table.Discards[51], C(2, 'S'));

  hand.AllIn[3] = true;
  engine.Fold(3);
  EXPECT_FALSE(hand.Folded[3]);
  EXPECT_EQ(hand.FoldCount, 1);
}

}  // namespace
}  // namespace corvane::testing
