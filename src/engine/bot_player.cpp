// A bot. In a betting round it estimates the best hand it is up against, values its own and climbs
// the ladder of bot_ladder.h to its move. In a draw it throws what the rules of bot_discard.h say.
// It pays for a wild card whenever its chips allow.
#include "engine/bot_player.h"

#include <algorithm>
#include <vector>

#include "engine/bot_constants.h"
#include "engine/bot_discard.h"
#include "engine/bot_ladder.h"
#include "engine/seat_valuation.h"

namespace corvane {

BetChoice BotPlayer::ChooseBet(int seat, const TableView& view) {
  const TableState& table = view.table;
  const HandState& hand = view.hand;
  if (hand.AllIn[seat]) return {BetAction::Pass};
  if (table.players.Chips[seat] <= 0) return {BetAction::CheckOrFold};
  const GameDefinition& game = table.game;
  const Players& players = table.players;
  std::string description;

  // The best hand showing among the others.
  HandValue oppValue = 0;
  int oppCategory = 0;
  HandValue lastShowing = 0;
  if (game.HasFaceUp) {
    for (int other = 1; other <= table.PlayerCount; ++other) {
      if (other == seat || hand.Folded[other]) continue;
      const HandValue value = ValueSeat(table, hand, other, true, description);
      lastShowing = value;
      if (value > oppValue) {
        oppValue = value;
        oppCategory = HandCategory(value);
      }
    }
  }
  // Nothing showing: the bot assumes a hand for the round.
  if (oppCategory == 0) {
    const int wildCount = game.HasWildCards ? SeatWilds(table, hand, seat, false).count : 0;
    oppValue = AssumedOpponentValue(game, hand.CurrentRound, hand.DrawsLeft, wildCount);
    oppCategory = HandCategory(oppValue);
  }

  BotSituation s;
  s.RiskTaker = players.RiskTaker[seat];
  s.Bluffing = players.Bluffing[seat];
  s.Aggressiveness = players.Aggressiveness[seat];
  s.Ante = table.settings.Ante;
  s.MaxRaise = table.settings.MaxRaise;
  s.StartingChips = table.settings.StartingChips;
  s.CurrentRound = hand.CurrentRound;
  s.RoundCount = game.RoundCount;
  s.ToCall = hand.ToCall[seat];
  s.MyValue = ValueSeat(table, hand, seat, false, description);
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
      return {BetAction::CheckOrFold};
    case BotMove::Call:
      return {BetAction::Call};
    case BotMove::Raise:
      return {BetAction::Raise, choice.amount};
  }
  return {BetAction::CheckOrFold};
}

DrawChoice BotPlayer::ChooseDiscards(int seat, const TableView& view) {
  const TableState& table = view.table;
  const GameDefinition& game = table.game;
  const int maxDraw = game.Rounds[view.hand.CurrentRound].MaxDrawCards;
  const HandSlots cards = HandOf(table, seat);
  // A bot exchanges its own cards, never a community card.
  DrawableSlots drawable{};
  for (int slot = 1; slot <= std::min<int>(game.RoundCount, kMaxRounds); ++slot) {
    drawable[static_cast<std::size_t>(slot)] =
        cards[static_cast<std::size_t>(slot)] != 0 && !game.Rounds[slot].Shared;
  }
  if (game.HasWildCards) {
    // The bot keeps every card that is wild in its hand now, its own little ones included.
    const WildList wilds = SeatWilds(table, view.hand, seat, false).cards;
    return {WildBotDiscard(cards, drawable, wilds, maxDraw), Exchange::CardByCard};
  }
  return {BotDiscard(cards, drawable, maxDraw), Exchange::ThrowAllFirst};
}

bool BotPlayer::PayForWildCard(int seat, std::int32_t cost, bool /*queen*/, const TableView& view) {
  return view.table.players.Chips[seat] >= cost;
}

}  // namespace corvane
