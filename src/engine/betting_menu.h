// The user's betting menu: which of Check or Call, Raise, All-In and Fold are offered for the
// user's chips and the bets of the round, with their texts and keys, and the notices spoken first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct BettingSituation {
  std::string PlayerName;
  std::int32_t Chips = 0;
  std::int32_t ToCall = 0;
  std::int32_t LastRaise = 0;
  std::int32_t Ante = 25;
  std::int32_t MaxRaise = 1000;
  int RaiseCount = 0;
  int MaxRaises = 3;
  int ActiveCount = 2;
};

struct BettingMenu {
  // Items and keys from index 1, as the menu reads them; index 0 is unused.
  std::vector<std::string> items{""};
  std::vector<std::string> keys{""};
  // Spoken before the menu, in order.
  std::vector<std::string> notices;

  int count() const { return static_cast<int>(items.size()) - 1; }
};

BettingMenu BuildBettingMenu(const BettingSituation& s);

}  // namespace corvane
