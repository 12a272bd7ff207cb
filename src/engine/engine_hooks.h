// What the hand engine asks of the rest of the table: the table play's handling of the user's
// elimination, an override point for the bots' decisions (empty: the engine's own) and a call
// after every betting round.
#pragma once

#include <functional>

#include "engine/bot_ladder.h"

namespace corvane {

struct EngineHooks {
  // The saved-table handling when the user leaves the table.
  std::function<void()> SaveTableOnLeave = [] {};
  // The final standings, spoken after the user's elimination closed the table.
  std::function<void()> FinalStandings = [] {};
  // The hand is settled: its pots have been paid (HandOver is set), before the pause that ends it.
  std::function<void()> HandSettled = [] {};
  // A bot's decision; empty: the ladder of bot_ladder.h with the game's random numbers. (A table
  // can seat other players here; tests script the bots with it.)
  std::function<BotChoice(int seat, const BotSituation& situation)> BotDecision;
  // Called after every betting round that went all the way round (for checks and reports).
  std::function<void()> BettingRoundEnded = [] {};
};

}  // namespace corvane
