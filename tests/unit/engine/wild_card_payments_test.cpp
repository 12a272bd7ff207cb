// Follow the Queen on stacked decks: a face-up Queen costs two antes and the card that follows it
// one ante; the user pays or folds; a Queen after a Queen; a bot too short to pay folds; the
// payments go into the pot being built and into WildPayments. And Kings and Little Ones valued at
// the showdown with each player's own little ones.
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace corvane::testing {
namespace {

class WildCardPaymentsTest : public EngineFixture {
 protected:
  // Seven cards for each seat; rounds 3 to 6 are face up.
  void Deal(const std::vector<std::vector<CardNumber>>& hands) { Ready(DealtAs(hands), true); }
};

// Filler cards for the face-down rounds and the later face-up ones (no Queen among them).
const std::vector<CardNumber> kBoss{C(2, 'S'), C(3, 'S'), C(12, 'H'), C(9, 'D'),
                                    C(4, 'C'), C(6, 'D'), C(8, 'H')};
const std::vector<CardNumber> kSusan{C(5, 'H'),  C(10, 'C'), C(7, 'C'), C(11, 'S'),
                                     C(13, 'H'), C(1, 'D'),  C(4, 'H')};
const std::vector<CardNumber> kHarry{C(6, 'S'), C(9, 'C'), C(5, 'D'), C(10, 'H'),
                                     C(2, 'D'), C(3, 'H'), C(8, 'C')};

// The Boss pays for his Queen, Susan for the Seven that follows it; everyone checks to the end.
TEST_F(WildCardPaymentsTest, TheUserPaysForAQueenAndTheNextCardsOwnerForTheFollower) {
  Seat(Builtin(kFollowTheQueen), {"The Boss", "Susan"}, {1000, 1000}, 2);
  Deal({kBoss, kSusan});
  const std::int32_t total = TotalChips();
  std::vector<std::int32_t> potAfterFirstRound;
  engine.hooks().BettingRoundEnded = [&] {
    if (potAfterFirstRound.empty()) {
      potAfterFirstRound = {hand.PotAmount[1], hand.ExtraContribution[1],
                            hand.ExtraContribution[2]};
    }
  };
  host.Keys("P C C C C C Enter N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "The Boss is dealt a Queen of Hearts",
      "Pay or Fold?",
      "pay for the queen wildcard 50 P",
      "The Boss pays for the queen wildcard 50",
      "Susan is dealt a Seven of Clubs",
      "Susan pays for the wildcard that follows the queen 25",
  })) << host.Transcript();
  EXPECT_EQ(CountSaid("Pay or Fold?"), 1) << host.Transcript();
  EXPECT_EQ(hand.WildPayments[1], 50);
  EXPECT_EQ(hand.WildPayments[2], 25);
  EXPECT_EQ(hand.FollowRank, 7);
  EXPECT_FALSE(hand.FollowPending);
  // The antes and the payments make the first pot once the betting has gone round.
  EXPECT_EQ(potAfterFirstRound, (std::vector<std::int32_t>{125, 0, 0}));
  // Susan's Seven is wild: with it her Ace, King and Jack make a straight to the Ace.
  EXPECT_TRUE(Said("Susan wins this hand with Straight  Ace high. The pot is worth 125"))
      << host.Transcript();
  EXPECT_EQ(table.players.Chips[1], 1000 - 25 - 50);
  EXPECT_EQ(table.players.Chips[2], 1000 - 25 - 25 + 125);
  EXPECT_EQ(TotalChips(), total);
  EXPECT_FALSE(ended);
}

// The user will not pay for the Queen: he folds; the Seven that follows is wild all the same and
// costs Susan her ante.
TEST_F(WildCardPaymentsTest, TheUserFoldsRatherThanPay) {
  Seat(Builtin(kFollowTheQueen), {"The Boss", "Susan", "Harry"}, {1000, 1000, 1000}, 3);
  Deal({kBoss, kSusan, kHarry});
  const std::int32_t total = TotalChips();
  Script(2, {Raise(50)});
  Script(3, {Check()});
  host.Keys("Down F N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "Pay or Fold?",
      "pay for the queen wildcard 50 P",
      "Fold, F",
      "The Boss folds.",
      "Susan is dealt a Seven of Clubs",
      "Susan pays for the wildcard that follows the queen 25",
      "Harry is dealt a Five of Diamonds",
      "Susan bets 50",
      "Harry folds.",
      "Susan claims the pot. of 150 chips.",
  })) << host.Transcript();
  EXPECT_FALSE(SaidContaining("The Boss pays")) << host.Transcript();
  EXPECT_EQ(hand.WildPayments[1], 0);
  EXPECT_EQ(hand.WildPayments[2], 25);
  EXPECT_EQ(hand.FollowRank, 7);
  EXPECT_EQ(table.players.Chips[1], 975);
  EXPECT_EQ(table.players.Chips[2], 1000 - 25 - 25 - 50 + 150);
  EXPECT_EQ(TotalChips(), total);
  EXPECT_FALSE(ended);
}

// Escape or a command key is no answer: the question is asked again.
TEST_F(WildCardPaymentsTest, PayOrFoldAsksAgainUntilAnswered) {
  Seat(Builtin(kFollowTheQueen), {"The Boss", "Susan"}, {1000, 1000}, 2);
  Deal({kBoss, kSusan});
  host.Keys("Esc P");
  Play();
  EXPECT_EQ(CountSaid("Pay or Fold?"), 2) << host.Transcript();
  EXPECT_TRUE(Said("The Boss pays for the queen wildcard 50")) << host.Transcript();
}

// A Queen after a Queen: each costs two antes, and only the rank that finally follows the second is
// wild, at one ante.
TEST_F(WildCardPaymentsTest, AQueenAfterAQueen) {
  Seat(Builtin(kFollowTheQueen), {"The Boss", "Susan", "Harry"}, {1000, 1000, 1000}, 3);
  std::vector<CardNumber> susan = kSusan;
  susan[2] = C(12, 'C');
  Deal({kBoss, susan, kHarry});
  const std::int32_t total = TotalChips();
  Script(2, {Raise(100)});
  Script(3, {Check()});
  host.Keys("P C F N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "The Boss pays for the queen wildcard 50",
      "Susan is dealt a Queen of Clubs",
      "Susan pays for the queen wildcard 50",
      "Harry is dealt a Five of Diamonds",
      "Harry pays for the wildcard that follows the queen 25",
  })) << host.Transcript();
  EXPECT_FALSE(SaidContaining("Susan pays for the wildcard that follows")) << host.Transcript();
  EXPECT_EQ(hand.FollowRank, 5);
  EXPECT_EQ(hand.WildPayments[1], 50);
  EXPECT_EQ(hand.WildPayments[2], 50);
  EXPECT_EQ(hand.WildPayments[3], 25);
  EXPECT_TRUE(Said("Susan claims the pot. of 300 chips.")) << host.Transcript();
  EXPECT_EQ(TotalChips(), total);
  EXPECT_FALSE(ended);
}

// Susan has 35 chips after the ante and cannot pay 50 for her Queen: she folds, though her hand
// would be the best, and the card after her Queen is wild and paid for.
TEST_F(WildCardPaymentsTest, ABotTooShortToPayFolds) {
  Seat(Builtin(kFollowTheQueen), {"The Boss", "Susan", "Harry"}, {1000, 60, 1000}, 3);
  std::vector<CardNumber> susan = kSusan;
  susan[2] = C(12, 'C');
  Deal({kBoss, susan, kHarry});
  const std::int32_t total = TotalChips();
  Script(3, {Raise(100)});
  host.Keys("P C F N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "The Boss pays for the queen wildcard 50",
      "Susan is dealt a Queen of Clubs",
      "Susan folds.",
      "Harry is dealt a Five of Diamonds",
      "Harry pays for the wildcard that follows the queen 25",
  })) << host.Transcript();
  EXPECT_FALSE(SaidContaining("Susan pays")) << host.Transcript();
  EXPECT_TRUE(hand.Folded[2]);
  EXPECT_EQ(table.players.Chips[2], 35);
  EXPECT_EQ(hand.FollowRank, 5);
  EXPECT_EQ(TotalChips(), total);
  EXPECT_FALSE(ended);
}

// A bot with exactly the price pays it and is all-in: it bets no more and keeps its claim on the
// pot it paid into.
TEST_F(WildCardPaymentsTest, APaymentOfTheLastChipsLeavesTheBotAllIn) {
  Seat(Builtin(kFollowTheQueen), {"The Boss", "Susan"}, {1000, 75}, 2);
  std::vector<CardNumber> susan = kSusan;
  susan[2] = C(12, 'C');
  Deal({kBoss, susan});
  const std::int32_t total = TotalChips();
  // The Boss pays for his Queen and for the Nine that follows Susan's, then checks to the end.
  host.Keys("P C P C C C C Enter N");
  Play();
  EXPECT_TRUE(Said("Susan pays for the queen wildcard 50")) << host.Transcript();
  EXPECT_TRUE(Said("The Boss pays for the wildcard following the queen 25")) << host.Transcript();
  EXPECT_TRUE(hand.AllIn[2]);
  EXPECT_TRUE(SaidContaining("All betting is complete.")) << host.Transcript();
  EXPECT_FALSE(SaidContaining("Susan checks")) << host.Transcript();
  EXPECT_FALSE(SaidContaining("Susan folds")) << host.Transcript();
  EXPECT_EQ(TotalChips(), total);
  EXPECT_FALSE(ended);
}

// The user with fewer chips than the price is not asked: he folds.
TEST_F(WildCardPaymentsTest, TheUserTooShortToPayFoldsWithoutBeingAsked) {
  Seat(Builtin(kFollowTheQueen), {"The Boss", "Susan", "Harry"}, {60, 1000, 1000}, 3);
  Deal({kBoss, kSusan, kHarry});
  host.Keys("N");
  Play();
  EXPECT_FALSE(SaidContaining("Pay or Fold?")) << host.Transcript();
  EXPECT_TRUE(SaidInOrder({"The Boss is dealt a Queen of Hearts", "The Boss folds.",
                           "Susan pays for the wildcard that follows the queen 25"}))
      << host.Transcript();
  EXPECT_EQ(table.players.Chips[1], 35);
}

// The last player in pays nothing: the pot is his already.
TEST_F(WildCardPaymentsTest, TheLastPlayerInPaysNothing) {
  Seat(Builtin(kFollowTheQueen), {"The Boss", "Susan"}, {1000, 1000}, 2);
  Deal({kBoss, kSusan});
  host.Keys("F N");
  Play();
  EXPECT_TRUE(SaidInOrder(
      {"The Boss folds.", "Susan is dealt a Seven of Clubs", "Susan claims the pot. of 50 chips."}))
      << host.Transcript();
  EXPECT_FALSE(SaidContaining("Susan pays")) << host.Transcript();
  EXPECT_EQ(table.players.Chips[2], 1025);
}

// Kings and Little Ones at the showdown: Susan's little ones are her Fives, Harry's his Threes, the
// Boss's his Two. Each hand is valued with its own.
TEST_F(WildCardPaymentsTest, KingsAndLittleOnesValuesEachHandWithItsOwnLittleOnes) {
  Seat(Builtin(kKingsAndLittleOnes), {"The Boss", "Susan", "Harry"}, {1000, 1000, 1000}, 3);
  const std::vector<CardNumber> boss{C(2, 'S'), C(8, 'H'), C(8, 'C'), C(11, 'D'), C(1, 'S')};
  const std::vector<CardNumber> susan{C(5, 'S'), C(5, 'H'), C(9, 'C'), C(9, 'D'), C(5, 'D')};
  const std::vector<CardNumber> harry{C(3, 'C'), C(3, 'D'), C(10, 'S'), C(10, 'H'), C(10, 'C')};
  Ready(DealtAs({boss, susan, harry}), true);
  host.Keys("C Esc C Enter N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "You have three of a kind in Eights ",
      "Susan draws no cards.",
      "Harry draws no cards.",
      "Harry wins this hand with Five of a kind in Tens.. The pot is worth 75",
      "Susan had Five of a kind in Nines.",
      "The Boss had three of a kind in Eights ",
  })) << host.Transcript();
}

}  // namespace
}  // namespace corvane::testing
