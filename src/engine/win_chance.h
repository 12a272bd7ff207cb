// The user's chance of winning the hand being played, as far as the user can know it. The user's
// own cards, the community cards and every card showing on the table are known; every other card
// (the other players' face-down cards, the rest of the deck, the discards the user did not see) is
// unknown. The rest of the hand is dealt out as the game deals it, face-up and face-down rounds,
// community cards, the game's wild cards and the changing wild rank of Follow the Queen, against
// every player still in, and each way the hand can end is valued as the showdown values it. A tie
// counts as a share of the win. Draws still to come are not played out.
//
// When the ways the hand can go are few they are all counted; otherwise deals are sampled from a
// random stream of its own, seeded from what the user sees, so the same position always gets the
// same answer and the game's own random numbers are never touched. The calculation only reads the
// table and the hand: it may run from a key pressed in the middle of the hand.
#pragma once

#include <cstdint>

#include "engine/hand_state.h"
#include "table/table_state.h"

namespace corvane {

struct WinChance {
  // The expected share of the win, 0..1: a win counts 1, a tie of k hands 1/k.
  double share = 0;
  // Every way the rest of the hand can go was counted; otherwise deals were sampled.
  bool exact = false;
  // The ways counted, or the deals sampled.
  std::int64_t deals = 0;
  // A draw is under way or still to come; the hands are valued as they stand before it.
  bool drawToCome = false;
};

enum class WinChanceMethod {
  kCheapest,  // count every way when there are few, otherwise sample
  kExact,     // count every way, however many there are
  kSampled,   // sample
};

// The chance of winning of the person at `seat`, still in a hand under way, from what that person
// can see.
WinChance ChanceOfWinning(const TableState& table, const HandState& hand, int seat,
                          WinChanceMethod method = WinChanceMethod::kCheapest);

}  // namespace corvane
