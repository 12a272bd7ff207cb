// The decisions of one seat at the table: its turn in a betting round, its exchange in a draw and
// whether it pays for a wild card. The hand engine asks every seat the same questions; the player
// at the keyboard and the bots answer them in their own ways.
#pragma once

#include <cstdint>

namespace corvane {

class SeatPlayer {
 public:
  virtual ~SeatPlayer() = default;
  // The seat's turn in a betting round (it is in and not all-in): it checks, calls, bets, raises,
  // goes all in or folds through the hand engine's actions.
  virtual void ChooseBet(int seat) = 0;
  // The seat's exchange in a draw (it is in): it throws the cards it chooses, at most the card
  // round's MaxDrawCards, and gets as many new ones.
  virtual void ChooseDiscards(int seat) = 0;
  // Whether the seat pays `cost` for a wild card, a Queen's when `queen`; a seat that does not pay
  // folds.
  virtual bool PayForWildCard(int seat, std::int32_t cost, bool queen) = 0;
};

}  // namespace corvane
