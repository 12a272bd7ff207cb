// What the hand engine asks of the rest of the table: the table play's handling of the user's
// elimination, and override points for the wild cards, the draws and the bots' decisions. An empty
// override means the engine's own behaviour.
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
  // Fills HandWildCards and HandWildCount of the hand state for `seat`; with `fixedOnly` only the
  // wild cards that do not depend on the seat's own cards. Empty: HandEngine::BuildHandWildCards.
  std::function<void(int seat, bool fixedOnly)> BuildHandWildCards;
  // Runs after every face-up card: the card just dealt is in slot `round` of `seat`. Empty:
  // HandEngine::WildCardCheck (the payments of Follow the Queen).
  std::function<void(int seat, int round)> WildCardCheck;
  // One draw of the current card round. Empty: HandEngine::Draw.
  std::function<void()> Draw;
  // A bot's decision; empty: the ladder of bot_ladder.h with the game's random numbers. (A table
  // can seat other players here; tests script the bots with it.)
  std::function<BotChoice(int seat, const BotSituation& situation)> BotDecision;
  // Called after every betting round that went all the way round (for checks and reports).
  std::function<void()> BettingRoundEnded = [] {};
};

}  // namespace corvane
