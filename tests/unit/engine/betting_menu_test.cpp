// The user's betting menu for each chip situation.
#include "engine/betting_menu.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

BettingSituation Situation(std::int32_t chips, std::int32_t toCall) {
  BettingSituation s;
  s.PlayerName = "The Boss";
  s.Chips = chips;
  s.ToCall = toCall;
  return s;
}

TEST(BettingMenuTest, NothingToCallOffersCheckRaiseAndAllInWithItsRaise) {
  const BettingMenu m = BuildBettingMenu(Situation(500, 0));
  EXPECT_EQ(m.items, (Lines{"", "Check", "Raise", "All-In 500, includes  a raise of 500"}));
  EXPECT_EQ(m.keys, (Lines{"", "C", "R", "I"}));
  EXPECT_TRUE(m.notices.empty());
}

TEST(BettingMenuTest, ABetToCallOffersCallAndFold) {
  BettingSituation s = Situation(500, 100);
  s.LastRaise = 100;
  const BettingMenu m = BuildBettingMenu(s);
  EXPECT_EQ(m.items,
            (Lines{"", "Call 100", "Raise", "All-In 500, includes  a raise of 400", "Fold"}));
  EXPECT_EQ(m.keys, (Lines{"", "C", "R", "I", "F"}));
}

TEST(BettingMenuTest, TooFewChipsToCallLeavesAllInAndFold) {
  const BettingMenu m = BuildBettingMenu(Situation(60, 100));
  EXPECT_EQ(m.notices, (Lines{"The Boss has insufficient chips to cover the bet. You can now only "
                              "go All-In or fold."}));
  EXPECT_EQ(m.items, (Lines{"", "All-In 60", "Fold"}));
  EXPECT_EQ(m.keys, (Lines{"", "I", "F"}));
}

TEST(BettingMenuTest, TooFewChipsForTheSmallestRaiseLeavesNoRaise) {
  BettingSituation s = Situation(140, 100);
  s.LastRaise = 50;  // the smallest raise is 50: 150 would be needed
  const BettingMenu m = BuildBettingMenu(s);
  EXPECT_EQ(m.notices, (Lines{"???The Boss has insufficient chips to make a valid bet. You can now "
                              "only call/check, go All-In or fold."}));
  EXPECT_EQ(m.items, (Lines{"", "Call 100", "All-In 140, includes  a raise of 40", "Fold"}));
}

TEST(BettingMenuTest, AfterTheLastAllowedRaiseNoRaiseAndNoRaiseInTheAllIn) {
  BettingSituation s = Situation(500, 100);
  s.RaiseCount = 3;
  const BettingMenu m = BuildBettingMenu(s);
  EXPECT_EQ(m.items, (Lines{"", "Call 100", "All-In 500", "Fold"}));
}

TEST(BettingMenuTest, WithNobodyElseAbleToActNobodyCanRaise) {
  BettingSituation s = Situation(500, 0);
  s.ActiveCount = 1;
  EXPECT_EQ(BuildBettingMenu(s).items, (Lines{"", "Check", "All-In 500"}));
}

TEST(BettingMenuTest, MoreThanTheMaximumRaiseBehindOffersNoAllIn) {
  BettingSituation s = Situation(5000, 0);
  s.ActiveCount = 1;
  EXPECT_EQ(BuildBettingMenu(s).items, (Lines{"", "Check"}));
  s = Situation(1100, 100);
  EXPECT_EQ(BuildBettingMenu(s).items,
            (Lines{"", "Call 100", "Raise", "All-In 1100, includes  a raise of 1000", "Fold"}));
  s = Situation(1101, 100);
  EXPECT_EQ(BuildBettingMenu(s).items, (Lines{"", "Call 100", "Raise", "Fold"}));
}

}  // namespace
}  // namespace corvane
