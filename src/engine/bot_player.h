// A bot: it bets by the ladder of bot_ladder.h, weighted by its attributes, exchanges cards by the
// rules of bot_discard.h and pays for a wild card whenever its chips allow.
#pragma once

#include <cstdint>

#include "engine/seat_player.h"
#include "table/random.h"

namespace corvane {

class HandEngine;

class BotPlayer : public SeatPlayer {
 public:
  // `game` is the game's random stream, which the ladder draws from.
  BotPlayer(HandEngine& engine, Random& game) : engine_(engine), game_(game) {}

  void ChooseBet(int seat) override;
  void ChooseDiscards(int seat) override;
  bool PayForWildCard(int seat, std::int32_t cost, bool queen) override;

 private:
  HandEngine& engine_;
  Random& game_;
};

}  // namespace corvane
