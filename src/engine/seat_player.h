// The decisions of one seat at the table: its turn in a betting round, its exchange in a draw and
// whether it pays for a wild card. The hand engine asks every seat the same questions and each
// answers with its choice, which the engine checks and applies: a seat reads the table, never
// changes it. The player at a keyboard and the bots answer in their own ways.
#pragma once

#include <cstdint>

#include "engine/hand_state.h"
#include "engine/seat_choice.h"
#include "table/table_state.h"

namespace corvane {

// What a seat may read when it decides: the table and the hand as they stand.
struct TableView {
  const TableState& table;
  const HandState& hand;
};

class SeatPlayer {
 public:
  virtual ~SeatPlayer() = default;
  // The seat's turn in a betting round (it is in and not all-in).
  virtual BetChoice ChooseBet(int seat, const TableView& view) = 0;
  // The seat's exchange in a draw (it is in): the cards it throws, at most the card round's
  // MaxDrawCards; it gets as many new ones.
  virtual DrawChoice ChooseDiscards(int seat, const TableView& view) = 0;
  // Whether the seat pays `cost` for a wild card, a Queen's when `queen`; a seat that does not pay
  // folds.
  virtual bool PayForWildCard(int seat, std::int32_t cost, bool queen, const TableView& view) = 0;
};

}  // namespace corvane
