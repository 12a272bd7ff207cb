#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "eval/evaluator.h"
#include "reference_evaluator.h"
#include "test_hands.h"

namespace corvane {
namespace {

using ::corvane::testing::AllDown;
using ::corvane::testing::C;
using ::corvane::testing::Hand;

WildList Wilds(std::initializer_list<CardNumber> cards) {
  WildList w{};
  std::size_t i = 1;
  for (CardNumber c : cards) w[i++] = c;
  return w;
}

struct Result {
  HandValue value;
  std::string description;
  HandSlots best;
};

Result Fast(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly,
            const WildList& wilds) {
  Result r;
  r.value = BestHandWithWilds(hand, faceUp, showingOnly, wilds, r.description, &r.best);
  return r;
}

Result Reference(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly,
                 const WildList& wilds) {
  Result r;
  r.value = reference::BestWithWilds(
      hand, faceUp, showingOnly, wilds, r.description, r.best,
      [&](const HandSlots& trial) { return EvaluateHandValue(trial, faceUp, showingOnly); });
  return r;
}

void ExpectSameAsReference(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly,
                           const WildList& wilds) {
  const Result fast = Fast(hand, faceUp, showingOnly, wilds);
  const Result slow = Reference(hand, faceUp, showingOnly, wilds);
  ASSERT_EQ(fast.value, slow.value) << slow.description;
  ASSERT_EQ(fast.description, slow.description);
  ASSERT_EQ(fast.best, slow.best) << slow.description;
}

TEST(BestHandWithWilds, NoWildCardIsOneEvaluation) {
  const HandSlots hand = Hand({C(11, 'S'), C(11, 'H'), C(1, 'C'), C(5, 'D'), C(3, 'S')});
  const Result r = Fast(hand, AllDown(), false, Wilds({C(13, 'S')}));
  EXPECT_EQ(r.value, MakeHandValue(2, 11, 14, 5, 3, 0));
  EXPECT_EQ(r.description, "Pair of Jacks ");
  EXPECT_EQ(r.best, hand);
}

TEST(BestHandWithWilds, OneWildCardTakesTheFirstBestCard) {
  // K K 9 5 2 with the Two wild: three Kings, the wild becomes the King of Spades (13).
  const HandSlots hand = Hand({C(13, 'H'), C(13, 'C'), C(9, 'D'), C(5, 'S'), C(2, 'H')});
  const Result r = Fast(hand, AllDown(), false, Wilds({C(2, 'H')}));
  EXPECT_EQ(r.value, MakeHandValue(4, 13, 9, 5, 0, 0));
  EXPECT_EQ(r.description, "three of a kind in Kings ");
  EXPECT_EQ(r.best[5], C(13, 'S'));
  ExpectSameAsReference(hand, AllDown(), false, Wilds({C(2, 'H')}));
}

TEST(BestHandWithWilds, ThreeWildCardsMakeAStraightFlush) {
  // 5, 7 and 9 of Spades with three wild cards: Eight, Ten and Jack of Spades.
  // (Nine to King would need four.)
  const HandSlots hand =
      Hand({C(5, 'S'), C(2, 'H'), C(7, 'S'), C(12, 'D'), C(9, 'S'), C(12, 'C'), C(13, 'D')});
  const WildList wilds = Wilds({C(2, 'H'), C(12, 'D'), C(12, 'C')});
  const Result r = Fast(hand, AllDown(), false, wilds);
  EXPECT_EQ(r.value, MakeHandValue(9, 11, 0, 0, 0, 0));
  EXPECT_EQ(r.description, "Straight Flush Jack high.");
  ExpectSameAsReference(hand, AllDown(), false, wilds);
}

TEST(BestHandWithWilds, FourWildCardsJoinTheHighestNaturalRankAceHigh) {
  const WildList wilds = Wilds({C(2, 'S'), C(2, 'H'), C(2, 'C'), C(2, 'D')});
  const HandSlots withAce =
      Hand({C(2, 'S'), C(1, 'H'), C(2, 'H'), C(13, 'D'), C(2, 'C'), C(2, 'D'), C(7, 'S')});
  Result r = Fast(withAce, AllDown(), false, wilds);
  EXPECT_EQ(r.value, 10708750);
  EXPECT_EQ(r.description, "Five of a kind in Aces.");
  EXPECT_EQ(r.best, Hand({1, C(1, 'H'), 14, C(13, 'D'), 27, 40, C(7, 'S')}));
  const HandSlots kings = Hand({C(2, 'S'), C(2, 'H'), C(13, 'D'), C(2, 'C'), C(2, 'D'), C(7, 'S')});
  r = Fast(kings, AllDown(), false, wilds);
  EXPECT_EQ(r.value, MakeHandValue(10, 13, 0, 0, 0, 0));
  EXPECT_EQ(r.best, Hand({13, 26, C(13, 'D'), 39, 52, C(7, 'S')}));
  // With no natural card, four Aces.
  r = Fast(Hand({C(2, 'S'), C(2, 'H'), C(2, 'C'), C(2, 'D')}), AllDown(), false, wilds);
  EXPECT_EQ(r.value, MakeHandValue(8, 14, 0, 0, 0, 0));
  EXPECT_EQ(r.description, "Four of a kind in Aces ");
}

TEST(BestHandWithWilds, FiveOrMoreWildCardsAreFiveAces) {
  const WildList wilds = Wilds({C(2, 'S'), C(2, 'H'), C(2, 'C'), C(2, 'D'), C(3, 'S'), C(3, 'H')});
  Result r = Fast(Hand({C(2, 'S'), C(2, 'H'), C(2, 'C'), C(2, 'D'), C(3, 'S'), C(9, 'D')}),
                  AllDown(), false, wilds);
  EXPECT_EQ(r.value, 10708750);
  EXPECT_EQ(r.description, "Five of a kind in Aces.");
  EXPECT_EQ(r.best, Hand({1, 1, 1, 1, 1, C(9, 'D')}));
  r = Fast(Hand({C(2, 'S'), C(2, 'H'), C(2, 'C'), C(2, 'D'), C(3, 'S'), C(3, 'H'), C(9, 'D')}),
           AllDown(), false, wilds);
  EXPECT_EQ(r.value, 10708750);
  EXPECT_EQ(r.description, "Five of a kind in Aces.");
}

TEST(BestHandWithWilds, ShowingOnlyLeavesFaceDownSlotsOut) {
  const HandSlots hand =
      Hand({C(1, 'S'), C(1, 'H'), C(12, 'C'), C(2, 'D'), C(5, 'S'), C(9, 'H'), C(2, 'C')});
  FaceUpSlots faceUp{};
  faceUp[3] = faceUp[4] = faceUp[6] = true;
  const WildList wilds = Wilds({C(2, 'D'), C(2, 'C')});
  const Result r = Fast(hand, faceUp, true, wilds);
  // Queen, wild Two and Nine showing: a pair of Queens, the wild card the Queen of Spades.
  EXPECT_EQ(r.value, MakeHandValue(2, 12, 9, 0, 0, 0));
  EXPECT_EQ(r.description, "Pair of Queens ");
  EXPECT_EQ(r.best, Hand({0, 0, C(12, 'C'), C(12, 'S'), 0, C(9, 'H'), 0}));
  ExpectSameAsReference(hand, faceUp, true, wilds);
  // Nothing face up: "not showing".
  const Result none = Fast(hand, FaceUpSlots{}, true, wilds);
  EXPECT_EQ(none.value, 1000000);
  EXPECT_EQ(none.description, "not showing");
}

TEST(BestHandWithWilds, ARepeatedAceCanMakeTheBestFlush) {
  // A K Q 9 of Spades and a wild card: the Ace of Spades again gives the flush A A K Q 9, above
  // any other card.
  const HandSlots hand =
      Hand({C(1, 'S'), C(13, 'S'), C(12, 'S'), C(9, 'S'), C(2, 'H'), C(3, 'D'), C(4, 'C')});
  const WildList wilds = Wilds({C(4, 'C')});
  const Result r = Fast(hand, AllDown(), false, wilds);
  EXPECT_EQ(r.value, MakeHandValue(6, 14, 14, 13, 12, 9));
  EXPECT_EQ(r.best[7], C(1, 'S'));
  ExpectSameAsReference(hand, AllDown(), false, wilds);
}

// Random hands of up to seven cards, a few of them wild.
void CrossCheckRandom(int wildSlots, int hands, unsigned seed, bool repeats) {
#ifdef CORVANE_EVAL_SANITIZED
  hands = hands / 5 + 1;  // the exhaustive reference is slow under the sanitizers
#endif
  std::mt19937 rng(seed);
  std::bernoulli_distribution coin(0.5);
  std::uniform_int_distribution<int> card(1, 52);
  std::uniform_int_distribution<int> extra(0, 2);
  for (int n = 0; n < hands; ++n) {
    std::array<int, 52> deck{};
    for (int i = 0; i < 52; ++i) deck[static_cast<std::size_t>(i)] = i + 1;
    std::shuffle(deck.begin(), deck.end(), rng);
    const bool showingOnly = n % 4 == 3;
    const int size = n % 8 == 7 ? std::uniform_int_distribution<int>(wildSlots, 7)(rng) : 7;
    HandSlots hand{};
    FaceUpSlots faceUp{};
    for (int i = 1; i <= size; ++i) {
      hand[static_cast<std::size_t>(i)] = static_cast<CardNumber>(
          repeats && coin(rng) ? card(rng) : deck[static_cast<std::size_t>(i)]);
    }
    for (int i = 1; i <= 7; ++i) faceUp[static_cast<std::size_t>(i)] = !showingOnly || coin(rng);
    // The wild list: the cards of some slots, the face-up ones in showing-only mode, and cards
    // not in the hand.
    WildList wilds{};
    std::size_t w = 1;
    std::vector<int> slots{1, 2, 3, 4, 5, 6, 7};
    std::shuffle(slots.begin(), slots.end(), rng);
    int chosen = 0;
    for (int s : slots) {
      if (chosen == wildSlots) break;
      if (s > size) continue;
      wilds[w++] = hand[static_cast<std::size_t>(s)];
      ++chosen;
    }
    for (int e = extra(rng); e > 0; --e) wilds[w++] = deck[static_cast<std::size_t>(40 + e)];
    SCOPED_TRACE(::testing::Message() << "hand " << n);
    ExpectSameAsReference(hand, faceUp, showingOnly, wilds);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// Hands from two suits and few ranks, some cards repeated: flushes, full houses and straight
// flushes within reach of the wild cards, where the search's bounds are closest.
void CrossCheckCrowded(int wildSlots, int hands, unsigned seed) {
#ifdef CORVANE_EVAL_SANITIZED
  hands = hands / 5 + 1;
#endif
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> suit(1, 2);
  std::uniform_int_distribution<int> rank(1, 13);
  std::uniform_int_distribution<int> nearRank(8, 13);
  for (int n = 0; n < hands; ++n) {
    HandSlots hand{};
    for (std::size_t i = 1; i <= 7; ++i) {
      const int r = n % 2 == 0 ? rank(rng) : (nearRank(rng) % 13) + 1;  // 9..13 and the Ace
      hand[i] = MakeCard(suit(rng), r);
    }
    if (n % 3 == 0) hand[7] = hand[1];
    WildList wilds{};
    for (int w = 0; w < wildSlots; ++w) {
      wilds[static_cast<std::size_t>(w + 1)] = hand[static_cast<std::size_t>(7 - w)];
    }
    SCOPED_TRACE(::testing::Message() << "hand " << n);
    ExpectSameAsReference(hand, AllDown(), false, wilds);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(BestHandWithWildsCrossCheck, CrowdedSuits) {
  CrossCheckCrowded(2, 2000, 21);
  CrossCheckCrowded(3, 200, 22);
}

TEST(BestHandWithWildsCrossCheck, OneWildSlot) {
  CrossCheckRandom(1, 20000, 1, false);
}

TEST(BestHandWithWildsCrossCheck, TwoWildSlots) {
  CrossCheckRandom(2, 4000, 2, false);
}

TEST(BestHandWithWildsCrossCheck, ThreeWildSlots) {
  CrossCheckRandom(3, 1000, 3, false);
}

TEST(BestHandWithWildsCrossCheck, RepeatedNaturalCards) {
  CrossCheckRandom(1, 5000, 4, true);
  CrossCheckRandom(2, 1000, 5, true);
  CrossCheckRandom(3, 200, 6, true);
}

TEST(BestHandWithWildsCrossCheck, FourToSevenWildSlots) {
  for (int k = 4; k <= 7; ++k) CrossCheckRandom(k, 2000, static_cast<unsigned>(10 + k), false);
}

}  // namespace
}  // namespace corvane
