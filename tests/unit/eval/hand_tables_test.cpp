// The lookup tables against the step-by-step evaluator: every multiset of up to seven ranks, every
// set of five to seven ranks in one suit with other cards beside it, and the straight windows of
// the wild-card search.
#include "eval/hand_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>

#include "eval/evaluator.h"
#include "eval/hand_key.h"
#include "eval/straight_windows.h"
#include "reference_evaluator.h"
#include "test_hands.h"

namespace corvane {
namespace {

using ::corvane::testing::AllDown;
using ::corvane::testing::C;
using ::corvane::testing::Hand;

HandValue Reference(const HandSlots& hand) {
  std::string description;
  return reference::Evaluate(hand, AllDown(), false, 0, description);
}

// Deals `count` copies of each rank 2..14 into the slots, the suits taken in turn over all cards,
// so that no suit holds more than two of them.
void CheckEveryMultiset(std::array<int, 15>& count, int rank, int left, int& checked) {
  if (rank > 14) {
    HandSlots hand{};
    std::size_t slot = 1;
    for (int r = 2; r <= 14; ++r) {
      for (int k = 0; k < count[static_cast<std::size_t>(r)]; ++k, ++slot)
        hand[slot] = MakeCard(static_cast<int>(slot - 1) % 4 + 1, r == 14 ? 1 : r);
    }
    ASSERT_EQ(EvaluateHandValue(hand, AllDown(), false), Reference(hand))
        << "hand " << hand[1] << " " << hand[2] << " " << hand[3] << " " << hand[4] << " "
        << hand[5] << " " << hand[6] << " " << hand[7];
    ++checked;
    return;
  }
  for (int n = 0; n <= left; ++n) {
    count[static_cast<std::size_t>(rank)] = n;
    CheckEveryMultiset(count, rank + 1, left - n, checked);
    if (::testing::Test::HasFatalFailure()) return;
  }
  count[static_cast<std::size_t>(rank)] = 0;
}

TEST(HandTables, EveryRankMultisetMatchesTheReference) {
  std::array<int, 15> count{};
  int checked = 0;
  CheckEveryMultiset(count, 2, 7, checked);
  EXPECT_EQ(checked, 77520);  // multisets of at most seven of thirteen ranks
}

TEST(HandTables, EveryFlushMatchesTheReference) {
  // Each set of five to seven ranks in each suit; the free slots get other cards, repeats
  // included, so that pairs, three and four of a kind and repeated flush cards meet the flush.
  std::mt19937 rng(1206);
  std::uniform_int_distribution<int> anyCard(1, 52);
  int checked = 0;
  for (std::uint32_t ranks = 0; ranks < (1u << 13); ++ranks) {
    const int n = std::popcount(ranks);
    if (n < 5 || n > 7) continue;  // a hand holds seven cards at most
    for (int suit = 1; suit <= 4; ++suit) {
      for (int variant = 0; variant < 4; ++variant) {
        HandSlots hand{};
        std::size_t slot = 1;
        for (int bit = 0; bit < 13; ++bit) {
          if ((ranks >> bit) & 1u) hand[slot++] = MakeCard(suit, bit + 1);
        }
        for (; slot <= 7 && variant > 0; ++slot) {
          // Variant 1: any card; 2: a flush card's rank in another suit; 3: a flush card again.
          const int copied = hand[static_cast<std::size_t>(rng() % static_cast<unsigned>(n)) + 1];
          hand[slot] = variant == 1   ? static_cast<CardNumber>(anyCard(rng))
                       : variant == 2 ? MakeCard(suit % 4 + 1, CardRank(copied))
                                      : static_cast<CardNumber>(copied);
        }
        std::shuffle(hand.begin() + 1, hand.end(), rng);
        ASSERT_EQ(EvaluateHandValue(hand, AllDown(), false), Reference(hand))
            << "ranks " << ranks << " suit " << suit << " variant " << variant;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, (1287 + 1716 + 1716) * 4 * 4);
}

TEST(HandTables, RepeatedFlushCardsAreRankedFromTheCards) {
  // A A K Q 9 of Spades: the Ace counts twice in the flush. A A Q J 10 9 of Spades: the flush
  // takes both Aces.
  const HandSlots repeatedAce =
      Hand({C(1, 'S'), C(1, 'S'), C(13, 'S'), C(12, 'S'), C(9, 'S'), C(2, 'H')});
  EXPECT_EQ(EvaluateHandValue(repeatedAce, AllDown(), false), MakeHandValue(6, 14, 14, 13, 12, 9));
  const HandSlots brokenRun =
      Hand({C(1, 'S'), C(1, 'S'), C(12, 'S'), C(11, 'S'), C(10, 'S'), C(9, 'S'), C(13, 'H')});
  EXPECT_EQ(EvaluateHandValue(brokenRun, AllDown(), false), Reference(brokenRun));
  EXPECT_EQ(EvaluateHandValue(brokenRun, AllDown(), false), MakeHandValue(6, 14, 14, 12, 11, 10));
  HandKey key;
  for (std::size_t i = 1; i <= 7; ++i) key.Add(static_cast<unsigned>(repeatedAce[i]));
  EXPECT_EQ(HandTables::Instance().Value(key), HandTables::kNeedsCards);
}

TEST(HandTables, PackedCountsFollowTheCards) {
  HandKey key;
  for (CardNumber c : {C(1, 'S'), C(1, 'H'), C(1, 'S'), C(9, 'D'), C(2, 'C')})
    key.Add(static_cast<unsigned>(c));
  key.Add(0);  // no card
  EXPECT_EQ(key.RankCount(14), 3);
  EXPECT_EQ(key.RankCount(9), 1);
  EXPECT_EQ(key.RankCount(2), 1);
  EXPECT_EQ(key.RankCount(13), 0);
  EXPECT_EQ(key.SuitCount(1), 2);
  EXPECT_EQ(key.SuitCount(2), 1);
  EXPECT_EQ(key.SuitCount(3), 1);
  EXPECT_EQ(key.SuitCount(4), 1);
  EXPECT_EQ(HandTables::Instance().PlainValue(key.RankCounts()), MakeHandValue(4, 14, 9, 2, 0, 0));
}

TEST(HandTables, StayWithinAFewMegabytes) {
  EXPECT_LT(HandTables::Instance().TableBytes(), std::size_t{2} << 20);
  // A second build gives the same tables.
  const HandTables again;
  std::array<int, 15> count{};
  count[14] = 2;
  count[5] = 3;
  std::uint64_t ranks = 0;
  for (int r = 2; r <= 14; ++r) ranks += RankCountUnit(r) * count[static_cast<std::size_t>(r)];
  EXPECT_EQ(again.PlainValue(ranks), MakeHandValue(7, 5, 14, 0, 0, 0));
  EXPECT_EQ(HandTables::Instance().PlainValue(ranks), MakeHandValue(7, 5, 14, 0, 0, 0));
}

std::uint32_t Ranks(std::initializer_list<int> ranks) {
  std::uint32_t mask = 0;
  for (int r : ranks) {
    mask |= 1u << r;
    if (r == 14) mask |= 2u;  // the Ace also below the Two
  }
  return mask;
}

TEST(StraightWindows, BestTopRankForTheCardsStillToCome) {
  const StraightWindows& windows = StraightWindows::Instance();
  EXPECT_EQ(windows.Best(Ranks({10, 11, 12, 13, 14}), 0), 14);
  EXPECT_EQ(windows.Best(Ranks({14, 2, 3, 4, 5}), 0), 5);
  EXPECT_EQ(windows.Best(Ranks({14, 2, 3, 4, 6}), 0), 0);
  EXPECT_EQ(windows.Best(Ranks({14, 2, 3, 4, 6}), 1), 6);
  EXPECT_EQ(windows.Best(Ranks({14, 2, 3}), 2), 5);
  EXPECT_EQ(windows.Best(Ranks({10, 11, 12, 13}), 1), 14);
  EXPECT_EQ(windows.Best(Ranks({9, 11}), 3), 13);
  EXPECT_EQ(windows.Best(Ranks({9, 11}), 2), 0);
  EXPECT_EQ(windows.Best(Ranks({2, 7}), 3), 0);
  EXPECT_EQ(windows.Best(Ranks({3, 7}), 3), 7);
  EXPECT_EQ(windows.Best(Ranks({}), 3), 0);
  EXPECT_EQ(windows.Best(Ranks({13}), 3), 0);
  EXPECT_EQ(windows.Best(Ranks({14, 13}), 3), 14);
}

}  // namespace
}  // namespace corvane
