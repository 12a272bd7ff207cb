// The evaluator against the step-by-step reference: values, words with and without the kicker
// clause and the kicker cards, on every multiset of ranks, every flush and random hands with
// repeated cards, cards that are no card and face-down slots.
#include "eval/evaluator.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "reference_evaluator.h"

namespace corvane {
namespace {

// The values of one hand with and without the kicker clause and with its kickers recorded, the
// same as the reference's, and the same through the value-only path.
void ExpectAsTheReference(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly) {
  for (int flags = 0; flags <= kRecordKickers + kKickerClause; ++flags) {
    std::string fast, slow;
    std::vector<CardNumber> fastKickers, slowKickers;
    const HandValue value = EvaluateHand(hand, faceUp, showingOnly, flags, fast, &fastKickers);
    ASSERT_EQ(value, reference::Evaluate(hand, faceUp, showingOnly, flags, slow, &slowKickers))
        << slow;
    ASSERT_EQ(fast, slow);
    ASSERT_EQ(fastKickers, slowKickers) << slow;
    ASSERT_EQ(EvaluateHandValue(hand, faceUp, showingOnly), value) << slow;
  }
}

// Every multiset of up to seven ranks, the suits dealt in turn so that no flush arises.
void CheckEveryMultiset(std::array<int, 15>& count, int rank, int left, int& checked) {
  if (rank > 14) {
    HandSlots hand{};
    std::size_t slot = 1;
    for (int r = 2; r <= 14; ++r) {
      for (int k = 0; k < count[static_cast<std::size_t>(r)]; ++k, ++slot)
        hand[slot] = MakeCard(static_cast<int>(slot - 1) % 4 + 1, r == 14 ? 1 : r);
    }
    ExpectAsTheReference(hand, FaceUpSlots{}, false);
    ++checked;
    return;
  }
  for (int n = 0; n <= left && !::testing::Test::HasFatalFailure(); ++n) {
    count[static_cast<std::size_t>(rank)] = n;
    CheckEveryMultiset(count, rank + 1, left - n, checked);
  }
  count[static_cast<std::size_t>(rank)] = 0;
}

TEST(Evaluator, MatchesTheReferenceOnEveryRankMultisetAndEveryFlush) {
  std::array<int, 15> count{};
  int checked = 0;
  CheckEveryMultiset(count, 2, 7, checked);
  EXPECT_EQ(checked, 77520);  // multisets of at most seven of thirteen ranks

  // Each set of five to seven ranks in each suit; the free slots get any card, a flush card's
  // rank in another suit, or a flush card again.
  std::mt19937 rng(1206);
  std::uniform_int_distribution<int> anyCard(1, 52);
  for (std::uint32_t ranks = 0; ranks < (1u << 13); ++ranks) {
    const int n = std::popcount(ranks);
    if (n < 5 || n > 7) continue;
    for (int suit = 1; suit <= 4; ++suit) {
      for (int variant = 0; variant < 4; ++variant) {
        HandSlots hand{};
        std::size_t slot = 1;
        for (int bit = 0; bit < 13; ++bit) {
          if ((ranks >> bit) & 1u) hand[slot++] = MakeCard(suit, bit + 1);
        }
        for (; slot <= 7 && variant > 0; ++slot) {
          const int copied = hand[static_cast<std::size_t>(rng() % static_cast<unsigned>(n)) + 1];
          hand[slot] = variant == 1   ? static_cast<CardNumber>(anyCard(rng))
                       : variant == 2 ? MakeCard(suit % 4 + 1, CardRank(copied))
                                      : static_cast<CardNumber>(copied);
        }
        std::shuffle(hand.begin() + 1, hand.end(), rng);
        SCOPED_TRACE(::testing::Message() << "ranks " << ranks << " variant " << variant);
        ExpectAsTheReference(hand, FaceUpSlots{}, false);
        if (HasFatalFailure()) return;
      }
    }
  }
}

TEST(Evaluator, MatchesTheReferenceOnRandomHands) {
  std::mt19937 rng(20261206);
  std::uniform_int_distribution<int> anyNumber(-3, 60);  // now and then a number that is no card
  std::uniform_int_distribution<int> size(0, 7);
  std::uniform_int_distribution<int> rank(1, 13);
  std::bernoulli_distribution coin(0.5);
  for (int n = 0; n < 300000 && !HasFatalFailure(); ++n) {
    // A third each: dealt from one deck; any numbers, repeated cards and numbers that are no card
    // included; two suits of few ranks.
    const int kind = n % 3;
    std::array<CardNumber, 52> deck{};
    for (int i = 0; i < 52; ++i) deck[static_cast<std::size_t>(i)] = static_cast<CardNumber>(i + 1);
    std::shuffle(deck.begin(), deck.end(), rng);
    HandSlots hand{};
    FaceUpSlots faceUp{};
    const int cards = kind == 2 || coin(rng) ? 7 : size(rng);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(cards); ++i) {
      hand[i] = kind == 0   ? deck[i]
                : kind == 1 ? static_cast<CardNumber>(anyNumber(rng))
                            : MakeCard(coin(rng) ? 1 : 2, rank(rng));
      faceUp[i] = coin(rng);
    }
    ExpectAsTheReference(hand, faceUp, kind != 2 && coin(rng) && coin(rng));
  }
}

}  // namespace
}  // namespace corvane
