// The user's betting menu for each chip situation, one row each: the items, their keys and the
// notices spoken first.
#include "engine/betting_menu.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::string Joined(const std::vector<std::string>& texts, std::size_t from, const char* between) {
  std::string all;
  for (std::size_t i = from; i < texts.size(); ++i) all += (i > from ? between : "") + texts[i];
  return all;
}

TEST(BettingMenu, ItemsForEachChipSituation) {
  const struct {
    std::int32_t chips, toCall, lastRaise;
    int raiseCount, activeCount;
    const char* items;  // "|" between items, then the keys
    const char* notice;
  } rows[] = {
      {500, 0, 0, 0, 2, "Check|Raise|All-In 500, includes  a raise of 500 CRI", ""},
      {500, 100, 100, 0, 2, "Call 100|Raise|All-In 500, includes  a raise of 400|Fold CRIF", ""},
      {60, 100, 0, 0, 2, "All-In 60|Fold IF",
       "The Boss has insufficient chips to cover the bet. You can now only go All-In or fold."},
      // The smallest raise is the last, 50: a raise needs 150 chips.
      {140, 100, 50, 0, 2, "Call 100|All-In 140, includes  a raise of 40|Fold CIF",
       "???The Boss has insufficient chips to make a valid bet. You can now only call/check, go "
       "All-In or fold."},
      {150, 100, 50, 0, 2, "Call 100|Raise|All-In 150, includes  a raise of 50|Fold CRIF", ""},
      // After the last raise allowed, no raise and none in the all-in.
      {500, 100, 0, 3, 2, "Call 100|All-In 500|Fold CIF", ""},
      // Nobody else can act: nobody can raise.
      {500, 0, 0, 0, 1, "Check|All-In 500 CI", ""},
      // More than the highest raise behind the call: no all-in.
      {5000, 0, 0, 0, 1, "Check C", ""},
      {1100, 100, 0, 0, 2, "Call 100|Raise|All-In 1100, includes  a raise of 1000|Fold CRIF", ""},
      {1101, 100, 0, 0, 2, "Call 100|Raise|Fold CRF", ""},
  };
  for (const auto& row : rows) {
    BettingSituation s;
    s.PlayerName = "The Boss";
    s.Chips = row.chips;
    s.ToCall = row.toCall;
    s.LastRaise = row.lastRaise;
    s.RaiseCount = row.raiseCount;
    s.ActiveCount = row.activeCount;
    const BettingMenu menu = BuildBettingMenu(s);
    EXPECT_EQ(Joined(menu.items, 1, "|") + " " + Joined(menu.keys, 1, ""), row.items);
    EXPECT_EQ(Joined(menu.notices, 0, "|"), row.notice) << row.items;
  }
}

}  // namespace
}  // namespace corvane
