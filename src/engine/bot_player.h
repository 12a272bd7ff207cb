// A bot: it bets by the ladder of bot_ladder.h, weighted by its attributes, exchanges cards by the
// rules of bot_discard.h and pays for a wild card whenever its chips allow.
#pragma once

#include <cstdint>

#include "engine/seat_player.h"
#include "table/random.h"

namespace corvane {

class BotPlayer : public SeatPlayer {
 public:
  // `game` is the game's random stream, which the ladder draws from.
  explicit BotPlayer(Random& game) : game_(game) {}

  BetChoice ChooseBet(int seat, const TableView& view) override;
  DrawChoice ChooseDiscards(int seat, const TableView& view) override;
  bool PayForWildCard(int seat, std::int32_t cost, bool queen, const TableView& view) override;

 private:
  Random& game_;
};

}  // namespace corvane
