// The wild cards of one hand: the Kings and the seat's own little ones, the Queens and the rank
// that followed the last face-up Queen, a custom game's own list, and none elsewhere.
#include "engine/hand_wild_cards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine_fixture.h"
#include "test_games.h"

namespace corvane::testing {
namespace {

HandSlots Hand(std::initializer_list<CardNumber> cards) {
  HandSlots h{};
  std::size_t slot = 1;
  for (const CardNumber c : cards) h[slot++] = c;
  return h;
}

// The non-empty entries of the list, in order.
std::vector<CardNumber> Entries(const HandWilds& w) {
  std::vector<CardNumber> e;
  for (std::size_t i = 1; i < w.cards.size(); ++i) {
    if (w.cards[i] != 0) e.push_back(w.cards[i]);
  }
  return e;
}

const std::vector<CardNumber> kKings{13, 26, 39, 52};
const std::vector<CardNumber> kQueens{12, 25, 38, 51};

TEST(HandWildCardsTest, KingsAndLittleOnesAreTheKingsAndTheSeatsOwnLowestRank) {
  const GameDefinition g = Builtin(kKingsAndLittleOnes);
  const HandWilds w =
      WildCardsOfHand(g, Hand({C(9, 'S'), C(4, 'H'), C(1, 'C'), C(13, 'D'), C(7, 'S')}), 0, false);
  EXPECT_EQ(w.count, 8);
  EXPECT_EQ(Entries(w), (std::vector<CardNumber>{13, 26, 39, 52, 4, 17, 30, 43}));

  // Another seat with other cards has other little ones.
  const HandWilds other =
      WildCardsOfHand(g, Hand({C(9, 'S'), C(6, 'H'), C(10, 'C'), C(12, 'D'), C(7, 'S')}), 0, false);
  EXPECT_EQ(Entries(other), (std::vector<CardNumber>{13, 26, 39, 52, 6, 19, 32, 45}));
}

TEST(HandWildCardsTest, AnAceOrAKingIsNeverTheLittleOne) {
  const GameDefinition g = Builtin(kKingsAndLittleOnes);
  // Aces and Kings only: the Kings stand in the little ones' place.
  const HandWilds w =
      WildCardsOfHand(g, Hand({C(1, 'S'), C(13, 'H'), C(1, 'C'), C(13, 'D'), C(1, 'H')}), 0, false);
  EXPECT_EQ(w.count, 8);
  EXPECT_EQ(Entries(w), (std::vector<CardNumber>{13, 26, 39, 52, 13, 26, 39, 52}));
  // With an Ace and a Queen, the Queen is the little one.
  const HandWilds q =
      WildCardsOfHand(g, Hand({C(1, 'S'), C(12, 'H'), C(1, 'C'), C(13, 'D'), C(1, 'H')}), 0, false);
  EXPECT_EQ(Entries(q), (std::vector<CardNumber>{13, 26, 39, 52, 12, 25, 38, 51}));
}

TEST(HandWildCardsTest, FixedOnlyLeavesOutTheLittleOnes) {
  const HandWilds w = WildCardsOfHand(Builtin(kKingsAndLittleOnes),
                                      Hand({C(2, 'S'), C(4, 'H'), C(5, 'C')}), 0, true);
  EXPECT_EQ(w.count, 4);
  EXPECT_EQ(Entries(w), kKings);
}

TEST(HandWildCardsTest, FollowTheQueenIsTheQueensAndTheRankThatFollowed) {
  const GameDefinition g = Builtin(kFollowTheQueen);
  const HandSlots h = Hand({C(2, 'S'), C(4, 'H'), C(5, 'C')});
  const HandWilds before = WildCardsOfHand(g, h, 0, false);
  EXPECT_EQ(before.count, 4);
  EXPECT_EQ(Entries(before), kQueens);
  const HandWilds after = WildCardsOfHand(g, h, 7, false);
  EXPECT_EQ(after.count, 8);
  EXPECT_EQ(Entries(after), (std::vector<CardNumber>{12, 25, 38, 51, 7, 20, 33, 46}));
}

TEST(HandWildCardsTest, ACustomGameHasItsOwnList) {
  GameDefinition g = DeucesWildDraw();
  g.WildCount = 5;
  g.WildCards[5] = C(11, 'D');
  const HandWilds w = WildCardsOfHand(g, Hand({C(2, 'S')}), 0, false);
  EXPECT_EQ(w.count, 5);
  EXPECT_EQ(Entries(w), (std::vector<CardNumber>{2, 15, 28, 41, C(11, 'D')}));
  // A list left over from an earlier custom game means nothing to a game without wild cards.
  g.HasWildCards = false;
  EXPECT_EQ(WildCardsOfHand(g, Hand({C(2, 'S')}), 0, false).count, 0);
}

TEST(HandWildCardsTest, OtherGamesHaveNone) {
  for (const int code : {kSevenCardStud, kFiveCardDraw, kFiveCardStud, kTexasHoldem}) {
    GameDefinition g = Builtin(code);
    g.WildCount = 4;  // left from a custom game
    g.WildCards[1] = 2;
    const HandWilds w = WildCardsOfHand(g, Hand({C(2, 'S'), C(13, 'H'), C(12, 'C')}), 7, false);
    EXPECT_EQ(w.count, 0) << code;
    EXPECT_TRUE(Entries(w).empty()) << code;
  }
}

}  // namespace
}  // namespace corvane::testing
