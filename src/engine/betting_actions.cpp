// The actions of a seat's turn in a betting round: the seat's choice is checked and applied here.
// Check or call, bet or raise, go all-in, fold, as the betting menu offers them; and check or
// fold, call, raise, resolved against the table's limits, as the bots' ladder decides them.
#include <fmt/format.h>

#include <algorithm>

#include "engine/betting_menu.h"
#include "engine/bot_ladder.h"
#include "engine/deck.h"
#include "engine/hand_engine.h"
#include "engine/pay_in.h"
#include "table/chips.h"

namespace corvane {

void HandEngine::PayIn(int seat, std::int32_t amount) {
  corvane::PayIn(table_, hand_, seat, amount);
}

void HandEngine::ApplyBet(int seat, const BetChoice& choice) {
  CheckGameOver();
  switch (choice.action) {
    case BetAction::Pass:
      // Only a seat that owes nothing, or has nothing left to bet with, lets its turn go by.
      if (hand_.ToCall[seat] > 0 && !hand_.AllIn[seat]) CheckOrFold(seat);
      return;
    case BetAction::CheckOrCall:
    case BetAction::BetOrRaise:
    case BetAction::AllIn:
    case BetAction::Fold:
      if (!MenuOffers(seat, choice)) {
        CheckOrFold(seat);
      } else if (choice.action == BetAction::CheckOrCall) {
        CheckOrCall(seat);
      } else if (choice.action == BetAction::BetOrRaise) {
        BetOrRaise(seat, choice.amount);
      } else if (choice.action == BetAction::AllIn) {
        GoAllIn(seat);
      } else {
        Fold(seat);
      }
      return;
    case BetAction::CheckOrFold:
      CheckOrFold(seat);
      return;
    case BetAction::Call:
      Call(seat);
      return;
    case BetAction::Raise:
      Raise(seat, choice.amount);
      return;
  }
}

bool HandEngine::MenuOffers(int seat, const BetChoice& choice) const {
  const GameSettings& limits = table_.settings;
  const std::int32_t chips = table_.players.Chips[seat];
  const BettingSituation situation{
      Name(seat),       chips,           hand_.ToCall[seat], hand_.LastRaise,
      limits.Ante,      limits.MaxRaise, hand_.RaiseCount,   limits.MaxRaises,
      hand_.ActiveCount};
  const BettingMenu menu = BuildBettingMenu(situation);
  const char* key = choice.action == BetAction::CheckOrCall  ? "C"
                    : choice.action == BetAction::BetOrRaise ? "R"
                    : choice.action == BetAction::AllIn      ? "I"
                                                             : "F";
  if (std::find(menu.keys.begin() + 1, menu.keys.end(), key) == menu.keys.end()) return false;
  if (choice.action != BetAction::BetOrRaise) return true;
  // A raise of at least the last raise (or the ante) and at most the table's limit, which the
  // chips left after the call must cover.
  const std::int32_t minRaise = std::max(hand_.LastRaise, limits.Ante);
  const std::int32_t maxAllowed = std::min(limits.MaxRaise, chips - hand_.ToCall[seat]);
  return choice.amount >= minRaise && choice.amount <= maxAllowed;
}

void HandEngine::CheckOrCall(int seat) {
  const std::int32_t amount = std::min(hand_.ToCall[seat], table_.players.Chips[seat]);
  PayIn(seat, amount);
  hand_.ToCall[seat] = 0;
  if (amount == 0) {
    SeatSound("check.wav", seat);
    Say(Name(seat) + " checks.");
  } else {
    ChipSound(seat, amount);
    Say(fmt::format("{} calls, {} chips.", Name(seat), amount));
    Pause(1);
  }
}

void HandEngine::BetOrRaise(int seat, std::int32_t raise) {
  const std::int32_t toCall = hand_.ToCall[seat];
  if (toCall > 0) {
    Say(fmt::format("{} sees the {} chips and raises {} chips.", Name(seat), toCall, raise));
  } else {
    Say(fmt::format("{} bets {}", Name(seat), raise));
  }
  hand_.EndSeat = static_cast<std::int16_t>(seat);
  ++hand_.RaiseCount;
  hand_.LastRaise = raise;
  PayIn(seat, toCall + raise);
  hand_.ToCall[seat] = 0;
  for (int s = 1; s <= table_.PlayerCount; ++s) {
    if (s != seat && !hand_.Folded[s]) hand_.ToCall[s] += raise;
  }
  ChipSound(seat, toCall + raise);
  Pause(1);
}

void HandEngine::GoAllIn(int seat) {
  const std::int32_t chips = table_.players.Chips[seat];
  if (chips <= 0) return;
  Say(fmt::format("{} is going all in for {}", Name(seat), chips));
  std::int32_t raisePart = chips - hand_.ToCall[seat];
  table_.players.Chips[seat] = 0;
  AddChips(hand_.HandContribution[seat], chips);
  AddChips(hand_.OpenContribution[seat], chips);
  AddChips(hand_.Pot, chips);
  if (raisePart <= 0) {
    // All-in for the call or less: a call, and the round ends where it would have.
    raisePart = 0;
  } else if (raisePart > hand_.LastRaise) {
    hand_.LastRaise = raisePart;
    ++hand_.RaiseCount;
    hand_.EndSeat = static_cast<std::int16_t>(seat);
  } else {
    // A raise part of more than half the last raise counts as a raise; either way everyone else
    // acts again.
    if (2 * raisePart > hand_.LastRaise) ++hand_.RaiseCount;
    hand_.EndSeat = static_cast<std::int16_t>(seat);
  }
  for (int s = 1; s <= table_.PlayerCount; ++s) {
    if (s != seat && !hand_.Folded[s] && !hand_.AllIn[s]) hand_.ToCall[s] += raisePart;
  }
  hand_.ToCall[seat] = 0;
  hand_.PendingAllIn[seat] = true;
  hand_.AllIn[seat] = true;
  ChipSound(seat, chips);
}

void HandEngine::Fold(int seat) {
  if (hand_.AllIn[seat]) return;
  Pause(1);
  Say(Name(seat) + " folds.");
  SeatSound("fold*2.wav", seat);
  hand_.Folded[seat] = true;
  const GameDefinition& game = table_.game;
  for (int slot = 1; slot <= game.RoundCount; ++slot) {
    CardNumber& card = table_.Cards[seat][slot];
    if (card == 0) continue;
    // A community card stays on the table for the others; only the seat's own cards are thrown.
    if (!(game.Rounds[slot].Shared && game.HasShared)) {
      Discard(table_, card);
      if (game.Rounds[slot].FaceUp) hand_.SeenDiscards |= std::uint64_t{1} << card;
    }
    card = 0;
  }
  ++hand_.FoldCount;
}

void HandEngine::CheckOrFold(int seat) {
  if (hand_.ToCall[seat] == 0) {
    Say(Name(seat) + " checks");
  } else {
    Fold(seat);
  }
}

void HandEngine::Call(int seat) {
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

void HandEngine::Raise(int seat, std::int32_t raise) {
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
      Call(seat);
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
