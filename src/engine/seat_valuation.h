// The value of a seat's hand as the table stands: its whole hand or only its face-up cards, with
// the wild cards of its hand when the game has them. Seats, reports and the engine all value hands
// this way; valuing changes nothing at the table.
#pragma once

#include <string>

#include "engine/hand_state.h"
#include "engine/hand_wild_cards.h"
#include "eval/evaluator.h"
#include "table/table_state.h"

namespace corvane {

// The wild cards of `seat`'s hand (see hand_wild_cards.h).
HandWilds SeatWilds(const TableState& table, const HandState& hand, int seat, bool fixedOnly);

// Values `seat`'s whole hand, or its face-up cards when `showingOnly`; `description` receives the
// words for it.
HandValue ValueSeat(const TableState& table, const HandState& hand, int seat, bool showingOnly,
                    std::string& description);

}  // namespace corvane
