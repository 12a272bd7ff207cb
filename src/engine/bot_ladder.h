// The bots' betting decision: the hand a bot assumes it must beat, the category margin, and the
// ladder of random tests, weighted by the bot's attributes, that ends in checking or folding,
// calling, or raising. Pure functions: the random numbers come from the caller.
#pragma once

#include <cstdint>
#include <functional>

#include "eval/evaluator.h"
#include "table/game_definition.h"

namespace corvane {

// What a bot weighs when it is its turn.
struct BotSituation {
  float RiskTaker = 0;
  float Bluffing = 0;
  float Aggressiveness = 0;
  std::int32_t Ante = 25;
  std::int32_t MaxRaise = 1000;
  std::int32_t StartingChips = 10000;
  int CurrentRound = 1;
  int RoundCount = 7;
  std::int32_t ToCall = 0;
  // The hand assumed for the opponents (with the margin for hidden cards added) and its category,
  // the showing value of the last opponent examined, and the bot's own hand.
  HandValue OppValue = 0;
  int OppCategory = 0;
  HandValue LastShowingValue = 0;
  HandValue MyValue = 0;
  int MyCategory = 0;
  // Category margin: own category less the opponents' (less one more where cards are hidden).
  int Diff = 0;
};

enum class BotMove { CheckOrFold, Call, Raise };

// Which test of the ladder decided.
enum class BotStep { LargeBet, Behind, SameCategory, Ahead, WellAhead, LastResort };

struct BotChoice {
  BotMove move = BotMove::Call;
  std::int32_t amount = 0;  // the raise, for BotMove::Raise
  BotStep step = BotStep::LastResort;
};

// The hand assumed for opponents who show nothing, at `currentRound` with `drawsLeft` draws still
// to come in that round; `handWildCount` is the length of the current wild-card list.
HandValue AssumedOpponentValue(const GameDefinition& game, int currentRound, int drawsLeft,
                               int handWildCount);

// The category margin: with wild or face-up cards the opponents' hidden cards count one more.
int CategoryMargin(bool hiddenStrength, int myCategory, int oppCategory);

// The ladder. `rnd` gives numbers uniform in [0, 1), taken in the order the tests name them.
BotChoice ChooseBotMove(const BotSituation& s, const std::function<double()>& rnd);

// How a chosen raise is made at the table.
struct RaiseLimits {
  std::int32_t ToCall = 0;
  std::int32_t Chips = 0;
  std::int32_t LastRaise = 0;
  std::int32_t MaxRaise = 1000;
  int RaiseCount = 0;
  int MaxRaises = 3;
  int ActiveCount = 2;
};
enum class RaiseAct { Call, AllIn, BetOrRaise };
struct ResolvedRaise {
  RaiseAct act = RaiseAct::Call;
  std::int32_t amount = 0;
};
// No raise allowed: a call. Otherwise the raise is cut to MaxRaise and lifted to the last raise;
// more than the chips behind: all-in; nothing left to raise: a call.
ResolvedRaise ResolveBotRaise(std::int32_t raise, const RaiseLimits& limits);

}  // namespace corvane
