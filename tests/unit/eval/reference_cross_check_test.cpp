// The fast evaluator against the step-by-step one, on random hands of every size, with repeated
// cards and in showing-only mode.
#include <gtest/gtest.h>

#include <random>

#include "eval/evaluator.h"
#include "reference_evaluator.h"

namespace corvane {
namespace {

struct Case {
  HandSlots hand{};
  FaceUpSlots faceUp{};
  bool showingOnly = false;
};

Case RandomCase(std::mt19937& rng, bool repeats) {
  Case c;
  std::uniform_int_distribution<int> card(1, 52);
  std::uniform_int_distribution<int> size(0, 7);
  std::bernoulli_distribution coin(0.5);
  std::array<int, 52> deck{};
  for (int i = 0; i < 52; ++i) deck[static_cast<std::size_t>(i)] = i + 1;
  std::shuffle(deck.begin(), deck.end(), rng);
  const int n = coin(rng) ? 7 : size(rng);
  for (int i = 1; i <= n; ++i) {
    c.hand[static_cast<std::size_t>(i)] =
        static_cast<CardNumber>(repeats ? card(rng) : deck[static_cast<std::size_t>(i)]);
    c.faceUp[static_cast<std::size_t>(i)] = coin(rng);
  }
  c.showingOnly = coin(rng) && coin(rng);
  return c;
}

void ExpectSame(const Case& c) {
  for (int flags = 0; flags <= 3; ++flags) {
    std::string fast, slow;
    std::vector<CardNumber> fastKickers, slowKickers;
    const HandValue v = EvaluateHand(c.hand, c.faceUp, c.showingOnly, flags, fast, &fastKickers);
    const HandValue r =
        reference::Evaluate(c.hand, c.faceUp, c.showingOnly, flags, slow, &slowKickers);
    ASSERT_EQ(v, r) << slow;
    ASSERT_EQ(fast, slow);
    ASSERT_EQ(fastKickers, slowKickers) << slow;
    ASSERT_EQ(EvaluateHandValue(c.hand, c.faceUp, c.showingOnly), r);
  }
}

TEST(EvaluatorCrossCheck, DealtHandsMatchTheReference) {
  std::mt19937 rng(20261206);
  for (int i = 0; i < 200000; ++i) ExpectSame(RandomCase(rng, false));
}

TEST(EvaluatorCrossCheck, HandsWithRepeatedCardsMatchTheReference) {
  std::mt19937 rng(7);
  for (int i = 0; i < 200000; ++i) ExpectSame(RandomCase(rng, true));
}

TEST(EvaluatorCrossCheck, CrowdedSuitsWithRepeatsMatchTheReference) {
  // Few distinct cards of one suit: many flushes with repeated cards and broken runs.
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> rank(1, 13);
  std::uniform_int_distribution<int> suit(1, 2);
  for (int i = 0; i < 100000; ++i) {
    Case c;
    for (std::size_t s = 1; s <= 7; ++s) c.hand[s] = MakeCard(suit(rng) == 1 ? 1 : 2, rank(rng));
    if (i % 3 == 0) c.hand[7] = c.hand[1];
    ExpectSame(c);
  }
}

}  // namespace
}  // namespace corvane
