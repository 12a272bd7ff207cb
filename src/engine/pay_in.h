// Chips a seat puts into the pot of the hand: the ante and every bet, call and raise. A seat that
// pays its last chip is all-in, and the pot it can win is capped at what it paid.
#pragma once

#include <cstdint>

#include "engine/hand_state.h"
#include "table/table_state.h"

namespace corvane {

// Moves `amount` (at most the seat's chips) from `seat` into the pot as a contribution of this
// hand.
void PayIn(TableState& table, HandState& hand, int seat, std::int32_t amount);

// Takes the ante of `seat` before the hand (at most the seat's chips); returns what was paid.
std::int32_t TakeAnte(TableState& table, HandState& hand, int seat);

}  // namespace corvane
