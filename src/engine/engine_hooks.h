// What the hand engine asks of the rest of the table: the table play's handling of the user's
// elimination, and the wild cards and draws of the games that have them. Each has a neutral
// default, so a hand of a game without draws or wild cards needs none of them.
#pragma once

#include <functional>

#include "engine/bot_ladder.h"

namespace corvane {

struct EngineHooks {
  // The saved-table handling when the user leaves the table.
  std::function<void()> SaveTableOnLeave = [] {};
  // The final standings, spoken after the user's elimination closed the table.
  std::function<void()> FinalStandings = [] {};
  // Fills HandWildCards and HandWildCount of the hand state for `seat`; with `fixedOnly` only the
  // wild cards that do not depend on the seat's own cards. The default lists none.
  std::function<void(int seat, bool fixedOnly)> BuildHandWildCards;
  // Runs after every face-up card: the card just dealt is in slot `round` of `seat`.
  std::function<void(int seat, int round)> WildCardCheck = [](int, int) {};
  // One draw of the current card round.
  std::function<void()> Draw = [] {};
  // A bot's decision; empty: the ladder of bot_ladder.h with the game's random numbers. (A table
  // can seat other players here; tests script the bots with it.)
  std::function<BotChoice(int seat, const BotSituation& situation)> BotDecision;
  // Called after every betting round that went all the way round (for checks and reports).
  std::function<void()> BettingRoundEnded = [] {};
};

}  // namespace corvane
