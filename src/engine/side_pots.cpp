#include "engine/side_pots.h"

#include <algorithm>

#include "table/chips.h"

namespace corvane {

namespace {

// The pot being built: the highest pot in use, pot 1 before any. With seven all-ins the seventh
// pot is the last: it stays the pot being built.
int PotBeingBuilt(HandState& hand) {
  if (hand.PotCount < 1) hand.PotCount = 1;
  return std::min<int>(hand.PotCount, kMaxPots);
}

}  // namespace

void BuildSidePots(HandState& hand, int playerCount) {
  for (;;) {
    // The pending all-in with the smallest open contribution; the lower seat on equal ones.
    int cutSeat = 0;
    std::int32_t smallest = 0;
    for (int seat = 1; seat <= playerCount; ++seat) {
      if (!hand.PendingAllIn[seat]) continue;
      if (cutSeat == 0 || hand.OpenContribution[seat] < smallest) {
        cutSeat = seat;
        smallest = hand.OpenContribution[seat];
      }
    }
    const int p = PotBeingBuilt(hand);
    if (cutSeat == 0) {
      for (int seat = 1; seat <= playerCount; ++seat) {
        AddChips(hand.PotAmount[p],
                 std::int64_t{hand.OpenContribution[seat]} + hand.ExtraContribution[seat]);
        hand.OpenContribution[seat] = 0;
        hand.ExtraContribution[seat] = 0;
      }
      return;
    }
    hand.PendingAllIn[cutSeat] = false;
    hand.PotCap[p] = static_cast<std::int16_t>(cutSeat);
    for (int seat = 1; seat <= playerCount; ++seat) {
      AddChips(hand.PotAmount[p], hand.ExtraContribution[seat]);
      hand.ExtraContribution[seat] = 0;
      const std::int32_t part = std::min(hand.OpenContribution[seat], smallest);
      AddChips(hand.PotAmount[p], part);
      hand.OpenContribution[seat] -= part;
    }
    // The chips above the cap start the next pot; a seventh cap leaves nothing above it, since
    // every seat of a full table is then all-in.
    if (hand.PotCount < kMaxPots) ++hand.PotCount;
  }
}

void GatherPot(HandState& hand, int playerCount) {
  BuildSidePots(hand, playerCount);
  std::int64_t assigned = 0;
  for (int p = 1; p <= hand.PotCount; ++p) assigned += hand.PotAmount[p];
  if (hand.Pot > assigned) AddChips(hand.PotAmount[1], hand.Pot - assigned);
}

}  // namespace corvane
