// A bot. In a betting round it estimates the best hand it is up against, values its own, climbs
// the ladder of bot_ladder.h and acts through the engine's actions. In a draw it throws what the
// rules of bot_discard.h say. It pays for a wild card whenever its chips allow.
#include "engine/bot_player.h"

#include <fmt/format.h>

#include <algorithm>
#include <vector>

#include "engine/bot_constants.h"
#include "engine/bot_discard.h"
#include "engine/bot_ladder.h"
#include "engine/hand_engine.h"

namespace corvane {

void BotPlayer::ChooseBet(int seat) {
  const TableState& table = engine_.table();
  const HandState& hand = engine_.hand();
  if (hand.AllIn[seat]) return;
  if (table.players.Chips[seat] <= 0) {
    engine_.CheckOrFold(seat);
    return;
  }
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
      const HandValue value = engine_.ValueHand(other, true, description);
      lastShowing = value;
      if (value > oppValue) {
        oppValue = value;
        oppCategory = HandCategory(value);
      }
    }
  }
  // Nothing showing: the bot assumes a hand for the round.
  if (oppCategory == 0) {
    if (game.HasWildCards) engine_.BuildHandWildCards(seat, false);
    oppValue = AssumedOpponentValue(game, hand.CurrentRound, hand.DrawsLeft, hand.HandWildCount);
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
  s.MyValue = engine_.ValueHand(seat, false, description);
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
      engine_.CheckOrFold(seat);
      break;
    case BotMove::Call:
      engine_.Call(seat);
      break;
    case BotMove::Raise:
      engine_.Raise(seat, choice.amount);
      break;
  }
}

void BotPlayer::ChooseDiscards(int seat) {
  const TableState& table = engine_.table();
  const GameDefinition& game = table.game;
  const int maxDraw = game.Rounds[engine_.hand().CurrentRound].MaxDrawCards;
  const HandSlots cards = HandOf(table, seat);
  // A bot exchanges its own cards, never a community card.
  DrawableSlots drawable{};
  for (int slot = 1; slot <= std::min<int>(game.RoundCount, kMaxRounds); ++slot) {
    drawable[static_cast<std::size_t>(slot)] =
        cards[static_cast<std::size_t>(slot)] != 0 && !game.Rounds[slot].Shared;
  }

  int count = 0;
  if (game.HasWildCards) {
    // The bot keeps every card that is wild in its hand now, its own little ones included.
    engine_.BuildHandWildCards(seat, false);
    const WildList wilds = engine_.hand().HandWildCards;
    for (const int slot : WildBotDiscard(cards, drawable, wilds, maxDraw)) {
      engine_.ThrowCard(seat, slot);
      engine_.DealReplacement(seat, slot);
      ++count;
    }
  } else {
    std::vector<int> thrown = BotDiscard(cards, drawable, maxDraw);
    for (const int slot : thrown) engine_.ThrowCard(seat, slot);
    std::sort(thrown.begin(), thrown.end());
    for (const int slot : thrown) {
      engine_.DealReplacement(seat, slot);
      ++count;
    }
  }

  if (count > 0) {
    engine_.Say(fmt::format("{} draws {} cards.", engine_.Name(seat), count));
    engine_.Pause(1);
  } else {
    engine_.Say(engine_.Name(seat) + " draws no cards.");
  }
}

bool BotPlayer::PayForWildCard(int seat, std::int32_t cost, bool /*queen*/) {
  return engine_.table().players.Chips[seat] >= cost;
}

}  // namespace corvane
