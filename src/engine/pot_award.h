// Who wins which pot at the showdown, and how much each hand is paid.
//
// Hands are taken best first; each may claim every pot up to the one capped at its own all-in.
// A pot goes to the best hand that may claim it, shared by the hands of equal value. A shared pot
// is divided evenly and its odd chips go one each to its winners in seat order, starting left of
// the dealer, so every chip of every pot is paid.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/hand_state.h"

namespace corvane {

struct RankedHand {
  int seat = 0;
  HandValue value = 0;
};

struct PotAward {
  // Chips won by each ranked hand, in the order of `ranked`.
  std::vector<std::int32_t> share;
  // The seats sharing each pot 1..PotCount.
  std::array<std::vector<int>, kMaxPots + 1> winners{};
  // Extra winners added by ties.
  int tieCount = 0;
};

// Sorts the hands best first; equal values keep their seat order.
void RankHands(std::vector<RankedHand>& ranked);

// `ranked` best first. The pots are PotAmount/PotCap 1..PotCount of `hand`.
PotAward AwardPots(const std::vector<RankedHand>& ranked, const HandState& hand, int dealer,
                   int playerCount);

}  // namespace corvane
