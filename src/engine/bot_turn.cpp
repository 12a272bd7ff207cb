// A bot's turn in a betting round: it estimates the best hand it is up against, values its own,
// climbs the ladder of bot_ladder.h and acts through the shared actions.
#include <fmt/format.h>

#include "engine/bot_constants.h"
#include "engine/bot_ladder.h"
#include "engine/hand_engine.h"

namespace corvane {

void HandEngine::BotTurn(int seat) {
  if (hand_.AllIn[seat]) return;
  if (table_.players.Chips[seat] <= 0) {
    BotCheckOrFold(seat);
    return;
  }
  const GameDefinition& game = table_.game;
  const Players& players = table_.players;
  std::string description;

  // The best hand showing among the others.
  HandValue oppValue = 0;
  int oppCategory = 0;
  HandValue lastShowing = 0;
  if (game.HasFaceUp) {
    for (int other = 1; other <= table_.PlayerCount; ++other) {
      if (other == seat || hand_.Folded[other]) continue;
      const HandValue value = ValueHand(other, true, description);
      lastShowing = value;
      if (value > oppValue) {
        oppValue = value;
        oppCategory = HandCategory(value);
      }
    }
  }
  // Nothing showing: the bot assumes a hand for the round.
  if (oppCategory == 0) {
    if (game.HasWildCards) BuildHandWildCards(seat, false);
    oppValue = AssumedOpponentValue(game, hand_.CurrentRound, hand_.DrawsLeft, hand_.HandWildCount);
    oppCategory = HandCategory(oppValue);
  }

  BotSituation s;
  s.RiskTaker = players.RiskTaker[seat];
  s.Bluffing = players.Bluffing[seat];
  s.Aggressiveness = players.Aggressiveness[seat];
  s.Ante = table_.settings.Ante;
  s.MaxRaise = table_.settings.MaxRaise;
  s.StartingChips = table_.settings.StartingChips;
  s.CurrentRound = hand_.CurrentRound;
  s.RoundCount = game.RoundCount;
  s.ToCall = hand_.ToCall[seat];
  s.MyValue = ValueHand(seat, false, description);
  s.MyCategory = HandCategory(s.MyValue);
  s.OppCategory = oppCategory;
  s.LastShowingValue = lastShowing;
  // Where cards are wild or face down among face-up ones, the others' hidden cards count too.
  const bool hidden = game.HasWildCards || game.HasFaceUp;
  s.Diff = CategoryMargin(hidden, s.MyCategory, oppCategory);
  s.OppValue = hidden ? oppValue + bot::kHiddenCardsMargin : oppValue;

  const BotChoice choice = ChooseBotMove(s, [this] { return game_.Rnd(); });
  switch (choice.move) {
    case BotMove::CheckOrFold:
      BotCheckOrFold(seat);
      break;
    case BotMove::Call:
      BotCall(seat);
      break;
    case BotMove::Raise:
      BotRaise(seat, choice.amount);
      break;
  }
}

void HandEngine::BotCheckOrFold(int seat) {
  if (hand_.ToCall[seat] == 0) {
    Say(Name(seat) + " checks");
  } else {
    Fold(seat);
  }
}

void HandEngine::BotCall(int seat) {
  const std::int32_t toCall = hand_.ToCall[seat];
  if (toCall == 0) {
    Pause(1.5);
    Say(Name(seat) + " checks");
    SeatSound("check.wav", seat);
    return;
  }
  if (toCall >= table_.players.Chips[seat]) {
    GoAllIn(seat);
    return;
  }
  PayIn(seat, toCall);
  hand_.ToCall[seat] = 0;
  Pause(1.5);
  Say(fmt::format("{} calls, {}.", Name(seat), toCall));
  ChipSound(seat, toCall);
  Pause(1);
}

void HandEngine::BotRaise(int seat, std::int32_t raise) {
  RaiseLimits limits;
  limits.ToCall = hand_.ToCall[seat];
  limits.Chips = table_.players.Chips[seat];
  limits.LastRaise = hand_.LastRaise;
  limits.MaxRaise = table_.settings.MaxRaise;
  limits.RaiseCount = hand_.RaiseCount;
  limits.MaxRaises = table_.settings.MaxRaises;
  limits.ActiveCount = hand_.ActiveCount;
  const ResolvedRaise resolved = ResolveBotRaise(raise, limits);
  switch (resolved.act) {
    case RaiseAct::Call:
      BotCall(seat);
      break;
    case RaiseAct::AllIn:
      GoAllIn(seat);
      break;
    case RaiseAct::BetOrRaise:
      BetOrRaise(seat, resolved.amount);
      break;
  }
}

}  // namespace corvane
