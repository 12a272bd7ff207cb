// The side-pot builder and the award of the pots, on hand-made contributions.
#include <gtest/gtest.h>

#include <numeric>

#include "engine/pot_award.h"
#include "engine/side_pots.h"

namespace corvane {
namespace {

HandState WithContributions(std::initializer_list<std::int32_t> open) {
  HandState h;
  int seat = 1;
  for (const auto amount : open) {
    h.OpenContribution[seat] = amount;
    h.HandContribution[seat] = amount;
    h.Pot += amount;
    ++seat;
  }
  return h;
}

TEST(SidePotsTest, WithoutAllInEverythingGoesIntoTheMainPot) {
  HandState h = WithContributions({100, 100, 40});
  h.ExtraContribution[2] = 25;
  BuildSidePots(h, 3);
  EXPECT_EQ(h.PotCount, 1);
  EXPECT_EQ(h.PotAmount[1], 265);
  EXPECT_EQ(h.PotCap[1], 0);
  EXPECT_EQ(h.OpenContribution[1] + h.OpenContribution[2] + h.ExtraContribution[2], 0);
}

TEST(SidePotsTest, TwoAllInsCutTwoPotsInOrderOfSize) {
  HandState h = WithContributions({100, 50, 30, 100});
  h.PendingAllIn[2] = h.PendingAllIn[3] = true;
  BuildSidePots(h, 4);
  EXPECT_EQ(h.PotCount, 3);
  EXPECT_EQ(h.PotAmount[1], 120);
  EXPECT_EQ(h.PotCap[1], 3);
  EXPECT_EQ(h.PotAmount[2], 60);
  EXPECT_EQ(h.PotCap[2], 2);
  EXPECT_EQ(h.PotAmount[3], 100);
  EXPECT_EQ(h.PotCap[3], 0);
  EXPECT_FALSE(h.PendingAllIn[2] || h.PendingAllIn[3]);
}

TEST(SidePotsTest, SevenAllInsNeverUseAnEighthPot) {
  HandState h = WithContributions({10, 20, 30, 40, 50, 60, 70});
  for (int seat = 1; seat <= 7; ++seat) h.PendingAllIn[seat] = true;
  BuildSidePots(h, 7);
  EXPECT_EQ(h.PotCount, 7);
  std::int32_t sum = 0;
  for (int p = 1; p <= 7; ++p) {
    EXPECT_EQ(h.PotCap[p], p);
    sum += h.PotAmount[p];
  }
  EXPECT_EQ(sum, 280);
  EXPECT_EQ(h.PotAmount[1], 70);
  EXPECT_EQ(h.PotAmount[7], 10);
}

TEST(SidePotsTest, ChipsCarriedIntoThePotGoIntoTheMainPot) {
  HandState h = WithContributions({50, 50});
  h.Pot += 7;  // left by a player between hands
  GatherPot(h, 2);
  EXPECT_EQ(h.PotAmount[1], 107);
}

std::vector<RankedHand> Ranked(std::initializer_list<RankedHand> hands) {
  std::vector<RankedHand> r(hands);
  RankHands(r);
  return r;
}

TEST(PotAwardTest, EachPotGoesToTheBestHandThatMayClaimIt) {
  HandState h;
  h.PotCount = 2;
  h.PotAmount[1] = 150;
  h.PotCap[1] = 1;
  h.PotAmount[2] = 200;
  const auto ranked = Ranked({{1, 3000000}, {2, 1500000}, {3, 2000000}});
  const PotAward a = AwardPots(ranked, h, 3, 3);
  EXPECT_EQ(ranked[0].seat, 1);
  EXPECT_EQ(a.share, (std::vector<std::int32_t>{150, 200, 0}));
  EXPECT_EQ(a.tieCount, 0);
}

TEST(PotAwardTest, ASplitPaysEveryChipWithTheOddChipsLeftOfTheDealer) {
  HandState h;
  h.PotCount = 1;
  h.PotAmount[1] = 25;
  const auto ranked = Ranked({{2, 2000000}, {3, 2000000}, {4, 1000000}});
  // The dealer is seat 2: seat 3 is the first winner to its left.
  PotAward a = AwardPots(ranked, h, 2, 4);
  EXPECT_EQ(a.share, (std::vector<std::int32_t>{12, 13, 0}));
  EXPECT_EQ(a.tieCount, 1);
  // The dealer is seat 4: going round from seat 1, seat 2 is the first winner.
  a = AwardPots(ranked, h, 4, 4);
  EXPECT_EQ(a.share, (std::vector<std::int32_t>{13, 12, 0}));
  // Three ways, two odd chips.
  h.PotAmount[1] = 50;
  const auto three = Ranked({{1, 5}, {2, 5}, {3, 5}});
  a = AwardPots(three, h, 1, 3);
  EXPECT_EQ(a.share, (std::vector<std::int32_t>{16, 17, 17}));
  EXPECT_EQ(a.tieCount, 2);
}

TEST(PotAwardTest, APotNoHandStillInMayClaimGoesToTheWinnersBelowIt) {
  HandState h;
  h.PotCount = 3;
  h.PotAmount[1] = 90;
  h.PotCap[1] = 1;
  h.PotAmount[2] = 40;
  h.PotCap[2] = 2;
  h.PotAmount[3] = 300;  // paid by players who folded later
  const auto ranked = Ranked({{1, 10}, {2, 20}});
  const PotAward a = AwardPots(ranked, h, 1, 4);
  EXPECT_EQ(std::accumulate(a.share.begin(), a.share.end(), 0), 430);
  EXPECT_EQ(a.share, (std::vector<std::int32_t>{430, 0}));
}

}  // namespace
}  // namespace corvane
