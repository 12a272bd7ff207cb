// The best hand with wild cards against the brute force that tries every card for each wild slot
// (four or more wild cards follow their own rule): its value, words and cards, on random hands.
#include <gtest/gtest.h>

#include <random>

#include "eval/evaluator.h"
#include "reference_evaluator.h"

namespace corvane {
namespace {

struct Result {
  HandValue value;
  std::string words;
  HandSlots best;
};

Result Fast(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly,
            const WildList& wilds) {
  Result r;
  r.value = BestHandWithWilds(hand, faceUp, showingOnly, wilds, r.words, &r.best);
  return r;
}

void ExpectAsTheBruteForce(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly,
                           const WildList& wilds) {
  const Result fast = Fast(hand, faceUp, showingOnly, wilds);
  Result slow;
  slow.value = reference::BestWithWilds(
      hand, faceUp, showingOnly, wilds, slow.words, slow.best,
      [&](const HandSlots& trial) { return EvaluateHandValue(trial, faceUp, showingOnly); });
  ASSERT_EQ(fast.value, slow.value) << slow.words;
  ASSERT_EQ(fast.words, slow.words);
  ASSERT_EQ(fast.best, slow.best) << slow.words;
}

// Random hands of up to seven cards, `wildSlots` of them wild, with up to two wild cards that are
// not in the hand; every fourth hand counts its face-up slots only. With `crowded`, the cards come
// from two suits and few ranks, some repeated: where the search's bounds are closest.
void CrossCheck(int wildSlots, int hands, unsigned seed, bool repeats, bool crowded) {
#ifdef CORVANE_EVAL_SANITIZED
  hands = hands / 5 + 1;  // the brute force is slow under the sanitizers
#endif
  std::mt19937 rng(seed);
  std::bernoulli_distribution coin(0.5);
  std::uniform_int_distribution<int> anyCard(1, 52);
  std::uniform_int_distribution<int> rank(1, 13);
  std::uniform_int_distribution<int> high(8, 13);  // % 13 + 1: Nine to King and the Ace
  for (int n = 0; n < hands && !::testing::Test::HasFatalFailure(); ++n) {
    std::array<CardNumber, 52> deck{};
    for (int i = 0; i < 52; ++i) deck[static_cast<std::size_t>(i)] = static_cast<CardNumber>(i + 1);
    std::shuffle(deck.begin(), deck.end(), rng);
    const bool showingOnly = !crowded && n % 4 == 3;
    const int size = n % 8 == 7 ? std::uniform_int_distribution<int>(wildSlots, 7)(rng) : 7;
    HandSlots hand{};
    FaceUpSlots faceUp{};
    for (std::size_t i = 1; i <= 7; ++i) {
      if (static_cast<int>(i) <= size) {
        hand[i] = crowded ? MakeCard(coin(rng) ? 1 : 2, n % 2 ? rank(rng) : high(rng) % 13 + 1)
                  : repeats && coin(rng) ? static_cast<CardNumber>(anyCard(rng))
                                         : deck[i];
      }
      faceUp[i] = !showingOnly || coin(rng);
    }
    if (crowded && n % 3 == 0) hand[7] = hand[1];
    WildList wilds{};
    std::vector<std::size_t> slots{1, 2, 3, 4, 5, 6, 7};
    std::shuffle(slots.begin(), slots.end(), rng);
    std::size_t w = 1;
    for (const std::size_t s : slots) {
      if (static_cast<int>(w) <= wildSlots && static_cast<int>(s) <= size) wilds[w++] = hand[s];
    }
    for (int e = std::uniform_int_distribution<int>(0, 2)(rng); e > 0; --e)
      wilds[w++] = deck[40 + e];
    SCOPED_TRACE(::testing::Message() << "hand " << n << " of seed " << seed);
    ExpectAsTheBruteForce(hand, faceUp, showingOnly, wilds);
  }
}

TEST(BestHandWithWilds, MatchesTheBruteForceOnRandomHands) {
  CrossCheck(1, 20000, 1, false, false);
  CrossCheck(2, 4000, 2, false, false);
  CrossCheck(3, 600, 3, false, false);
  CrossCheck(1, 5000, 4, true, false);
  CrossCheck(2, 1000, 5, true, false);
  CrossCheck(3, 150, 6, true, false);
  CrossCheck(2, 2000, 21, false, true);
  CrossCheck(3, 150, 22, false, true);
  for (int k = 4; k <= 7; ++k) CrossCheck(k, 2000, static_cast<unsigned>(10 + k), false, false);
}

}  // namespace
}  // namespace corvane
