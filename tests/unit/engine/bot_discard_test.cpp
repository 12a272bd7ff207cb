// The bots' discards, case by case: what a made hand keeps, the four-card flush and sequence, the
// lowest cards of a hand with nothing, the round's maximum, community cards, and the kicker rule of
// the wild-card games, which never throws a wild card.
#include "engine/bot_discard.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/hand_wild_cards.h"
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

DrawableSlots AllOf(const HandSlots& h) {
  DrawableSlots d{};
  for (std::size_t slot = 1; slot <= 7; ++slot) d[slot] = h[slot] != 0;
  return d;
}

using Slots = std::vector<int>;

Slots Discard(std::initializer_list<CardNumber> cards, int max = 3) {
  const HandSlots h = Hand(cards);
  return BotDiscard(h, AllOf(h), max);
}

TEST(BotDiscardTest, AStraightOrBetterStandsPat) {
  // Straight, flush, full house, four of a kind, straight flush.
  EXPECT_EQ(Discard({C(5, 'S'), C(6, 'H'), C(7, 'C'), C(8, 'D'), C(9, 'S')}), Slots{});
  EXPECT_EQ(Discard({C(2, 'H'), C(6, 'H'), C(9, 'H'), C(11, 'H'), C(13, 'H')}), Slots{});
  EXPECT_EQ(Discard({C(4, 'S'), C(4, 'H'), C(4, 'C'), C(8, 'D'), C(8, 'S')}), Slots{});
  EXPECT_EQ(Discard({C(4, 'S'), C(4, 'H'), C(4, 'C'), C(4, 'D'), C(8, 'S')}), Slots{});
  EXPECT_EQ(Discard({C(1, 'S'), C(2, 'S'), C(3, 'S'), C(4, 'S'), C(5, 'S')}), Slots{});
}

TEST(BotDiscardTest, APairThrowsItsSinglesFromTheAceUp) {
  // Nines with Jack, Five, Ace: all three singles go.
  EXPECT_EQ(Discard({C(9, 'S'), C(11, 'H'), C(9, 'C'), C(5, 'D'), C(1, 'S')}), (Slots{5, 4, 2}));
  // With at most two cards, the first two ranks from the Ace up.
  EXPECT_EQ(Discard({C(9, 'S'), C(11, 'H'), C(9, 'C'), C(5, 'D'), C(1, 'S')}, 2), (Slots{5, 4}));
}

TEST(BotDiscardTest, TwoPairsThrowTheirSingleAndThreeOfAKindItsTwo) {
  EXPECT_EQ(Discard({C(9, 'S'), C(11, 'H'), C(9, 'C'), C(11, 'D'), C(3, 'S')}), (Slots{5}));
  EXPECT_EQ(Discard({C(12, 'S'), C(12, 'H'), C(7, 'C'), C(12, 'D'), C(3, 'S')}), (Slots{5, 3}));
}

TEST(BotDiscardTest, FourCardsOfOneSuitThrowTheOddCard) {
  EXPECT_EQ(Discard({C(2, 'H'), C(9, 'H'), C(13, 'S'), C(11, 'H'), C(5, 'H')}), (Slots{3}));
}

TEST(BotDiscardTest, FourRanksInSequenceThrowTheCardOutsideTheRun) {
  // Five to Eight and a King: the King goes.
  EXPECT_EQ(Discard({C(5, 'S'), C(13, 'H'), C(7, 'C'), C(6, 'D'), C(8, 'S')}), (Slots{2}));
  // Ace to Four and a Nine: the Nine goes.
  EXPECT_EQ(Discard({C(9, 'S'), C(2, 'H'), C(1, 'C'), C(3, 'D'), C(4, 'S')}), (Slots{1}));
  // Jack, Queen, King and an Ace above them keep the Ace; the Three goes.
  EXPECT_EQ(Discard({C(1, 'S'), C(11, 'H'), C(13, 'C'), C(3, 'D'), C(12, 'S')}), (Slots{4}));
}

TEST(BotDiscardTest, NothingToDrawToThrowsTheThreeLowestCards) {
  // Ace, Jack, Nine, Six, Three: the Three, the Six and the Nine go.
  EXPECT_EQ(Discard({C(11, 'S'), C(3, 'H'), C(1, 'C'), C(9, 'D'), C(6, 'S')}), (Slots{2, 5, 4}));
  // Never more than the round allows.
  EXPECT_EQ(Discard({C(11, 'S'), C(3, 'H'), C(1, 'C'), C(9, 'D'), C(6, 'S')}, 2), (Slots{2, 5}));
  EXPECT_EQ(Discard({C(11, 'S'), C(3, 'H'), C(1, 'C'), C(9, 'D'), C(6, 'S')}, 5), (Slots{2, 5, 4}));
  EXPECT_EQ(Discard({C(11, 'S'), C(3, 'H'), C(1, 'C'), C(9, 'D'), C(6, 'S')}, 0), Slots{});
}

TEST(BotDiscardTest, ACommunityCardIsNeverThrown) {
  const HandSlots h = Hand({C(11, 'S'), C(3, 'H'), C(1, 'C'), C(9, 'D'), C(6, 'S')});
  DrawableSlots d = AllOf(h);
  d[2] = false;  // the Three is shared
  EXPECT_EQ(BotDiscard(h, d, 3), (Slots{5, 4, 1}));
}

Slots WildDiscard(int code, std::initializer_list<CardNumber> cards, int max = 3) {
  const GameDefinition g = code == kCustomGame ? DeucesWildDraw() : Builtin(code);
  const HandSlots h = Hand(cards);
  const HandWilds w = WildCardsOfHand(g, h, 0, false);
  return WildBotDiscard(h, AllOf(h), w.cards, max);
}

TEST(BotDiscardTest, WithWildCardsTheKickersGoButNeverAWildCard) {
  // Kings and Little Ones: King, Two, Seven, Nine, Jack. The King and the Two (the bot's own little
  // one) are wild and stay; the Seven, the Nine and the Jack go.
  EXPECT_EQ(
      WildDiscard(kKingsAndLittleOnes, {C(13, 'S'), C(2, 'H'), C(7, 'C'), C(9, 'D'), C(11, 'S')}),
      (Slots{3, 4, 5}));
  // Two pairs, Kings and Fives (both wild here): only the Nine goes.
  EXPECT_EQ(
      WildDiscard(kKingsAndLittleOnes, {C(13, 'S'), C(5, 'H'), C(9, 'C'), C(5, 'D'), C(13, 'H')}),
      (Slots{3}));
}

TEST(BotDiscardTest, AWildCardIsKeptEvenWhenFewerCardsThanAllowedAreLeftToThrow) {
  // Deuces wild: a pair of Eights with the Two, the Five and the Jack as kickers. The Two stays,
  // so only two cards go although three are allowed.
  EXPECT_EQ(WildDiscard(kCustomGame, {C(2, 'S'), C(8, 'H'), C(8, 'C'), C(5, 'D'), C(11, 'S')}),
            (Slots{4, 5}));
  // A made natural hand has no kickers: nothing goes.
  EXPECT_EQ(WildDiscard(kCustomGame, {C(4, 'S'), C(5, 'H'), C(6, 'C'), C(7, 'D'), C(8, 'S')}),
            Slots{});
  // At most the round's maximum.
  EXPECT_EQ(WildDiscard(kCustomGame, {C(3, 'S'), C(8, 'H'), C(10, 'C'), C(5, 'D'), C(11, 'S')}, 2),
            (Slots{1, 4}));
}

}  // namespace
}  // namespace corvane::testing
