// The ranges the table setup questions allow, which the stored files are checked against.
#pragma once

#include <cstdint>

#include "table/table_state.h"

namespace corvane {

inline constexpr int kFewestPlayers = 2;
inline constexpr int kMostRaises = 20;
inline constexpr std::int32_t kHighestRaiseLimit = 1'000'000;
inline constexpr std::int32_t kHighestAnte = 1'000'000;
inline constexpr std::int32_t kFewestStartingChips = 50;
inline constexpr std::int32_t kMostStartingChips = 10'000'000;

// A table starts with at most seven players holding the starting chips each, and chips only change
// hands (what a player leaving the table holds goes into the pot): the players' chips together
// never pass seven times the starting chips, at most 70,000,000.
inline std::int64_t MostChipsAtATable(std::int32_t startingChips) {
  return std::int64_t{kMaxSeats} * startingChips;
}
inline constexpr std::int32_t kMostEndAmount = 1000;
inline constexpr std::int32_t kFewestMinutes = 5;

// True when the end rule and its amount are ones the setup can give: rule 0 (not chosen yet) or
// 1 (chips) with an amount the questions leave behind, 0..1000; rule 2 with 5..1000 minutes;
// rule 3 with 1..1000 dealing rounds.
inline bool EndRuleWithinRange(std::int16_t rule, std::int32_t amount) {
  switch (rule) {
    case kEndRuleNotChosen:
    case kEndOnChips:
      return amount >= 0 && amount <= kMostEndAmount;
    case kEndOnMinutes:
      return amount >= kFewestMinutes && amount <= kMostEndAmount;
    case kEndOnDealingRounds:
      return amount >= 1 && amount <= kMostEndAmount;
    default:
      return false;
  }
}

}  // namespace corvane
