// Shuffling, stacking, dealing and refilling the deck from the discard pile.
#include "engine/deck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace corvane {
namespace {

std::vector<CardNumber> Sorted(const std::array<CardNumber, 53>& cards, int from, int to) {
  std::vector<CardNumber> v(cards.begin() + from, cards.begin() + to + 1);
  std::sort(v.begin(), v.end());
  return v;
}

TEST(DeckTest, AShuffleHoldsEveryCardOnceAndASeedDealsTheSameDeck) {
  TableState a;
  TableState b;
  Random ra(42);
  Random rb(42);
  Shuffle(a, ra);
  Shuffle(b, rb);
  EXPECT_EQ(a.Deck, b.Deck);
  std::vector<CardNumber> all(52);
  for (int i = 0; i < 52; ++i) all[i] = static_cast<CardNumber>(i + 1);
  EXPECT_EQ(Sorted(a.Deck, 1, 52), all);
  Shuffle(b, rb);
  EXPECT_NE(a.Deck, b.Deck);
}

TEST(DeckTest, AStackedDeckDealsTheChosenCardsFirstThenTheRestInOrder) {
  TableState t;
  const std::vector<CardNumber> top{52, 1, 14, 1};  // the repeated Ace is ignored
  StackDeck(t, top);
  EXPECT_EQ(t.Deck[1], 52);
  EXPECT_EQ(t.Deck[2], 1);
  EXPECT_EQ(t.Deck[3], 14);
  EXPECT_EQ(t.Deck[4], 2);
  EXPECT_EQ(t.Deck[52], 51);
  Random r(1);
  EXPECT_EQ(DealCard(t, r), 52);
  EXPECT_EQ(t.DealtCount, 1);
}

TEST(DeckTest, AnEmptyDeckIsRefilledFromTheDiscards) {
  TableState t;
  Random r(3);
  Shuffle(t, r);
  t.DealtCount = 52;
  Discard(t, 5);
  Discard(t, 6);
  Discard(t, 7);
  EXPECT_EQ(t.DiscardTop, 50);
  RefillDeck(t, r);
  EXPECT_EQ(t.DealtCount, 49);
  EXPECT_EQ(t.DiscardTop, 53);
  EXPECT_EQ(Sorted(t.Deck, 50, 52), (std::vector<CardNumber>{5, 6, 7}));
  std::vector<CardNumber> dealt;
  for (int i = 0; i < 3; ++i) dealt.push_back(DealCard(t, r));
  std::sort(dealt.begin(), dealt.end());
  EXPECT_EQ(dealt, (std::vector<CardNumber>{5, 6, 7}));
  // Nothing left at all: no card rather than a card from beyond the deck.
  EXPECT_EQ(DealCard(t, r), 0);
}

TEST(DeckTest, RefillDoesNothingWhileCardsAreLeft) {
  TableState t;
  Random r(3);
  Shuffle(t, r);
  const auto deck = t.Deck;
  t.DealtCount = 51;
  Discard(t, 9);
  RefillDeck(t, r);
  EXPECT_EQ(t.Deck, deck);
  EXPECT_EQ(t.DiscardTop, 52);
}

}  // namespace
}  // namespace corvane
