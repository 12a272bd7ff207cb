// The player at the keyboard. In a betting round the hand is described, then a spoken menu offers
// the actions that the player's chips and the bets of the round allow. In a draw the player marks
// the cards to throw in a multi-select menu. A wild card is paid for or folded in a menu of two.
#include "engine/keyboard_player.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "engine/betting_menu.h"
#include "engine/seat_valuation.h"

namespace corvane {

namespace {

constexpr const char* kDiscardTitle =
    "Press space to select card to discard. Press Enter when done.";

}  // namespace

BetChoice KeyboardPlayer::ChooseBet(int seat, const TableView& view) {
  const TableState& table = view.table;
  const HandState& hand = view.hand;
  const GameSettings& limits = table.settings;
  // A question answered after the table was quit changes nothing: the engine leaves the hand.
  constexpr BetChoice kQuit{BetAction::Pass};
  for (;;) {
    std::string description;
    ValueSeat(table, hand, seat, false, description);
    Say("???You have " + description);

    const BettingSituation situation{table.players.PlayerName[seat],
                                     table.players.Chips[seat],
                                     hand.ToCall[seat],
                                     hand.LastRaise,
                                     limits.Ante,
                                     limits.MaxRaise,
                                     hand.RaiseCount,
                                     limits.MaxRaises,
                                     hand.ActiveCount};
    BettingMenu menu = BuildBettingMenu(situation);
    for (const std::string& notice : menu.notices) {
      Say(notice);
      if (table.GameOver) return kQuit;
    }
    // Nothing to decide: the player checks without being asked.
    if (menu.count() == 1 && menu.keys[1] == "C" && hand.ToCall[seat] == 0) return {};

    int key = 0;
    while (key == 0) {
      key = prompts_.Menu("???What would you like to do?", menu.items, menu.keys, menu.count(), 1,
                          kMenuKeyCode, false);
      if (table.GameOver) return kQuit;
    }
    switch (std::toupper(key)) {
      case 'C':
        return {BetAction::CheckOrCall};
      case 'I':
        return {BetAction::AllIn};
      case 'F':
        return {BetAction::Fold};
      case 'R': {
        const std::int32_t chips = table.players.Chips[seat];
        const std::int32_t minRaise = std::max(hand.LastRaise, limits.Ante);
        const std::int32_t maxAllowed = std::min(limits.MaxRaise, chips - hand.ToCall[seat]);
        if (maxAllowed < minRaise) {
          Say("You have insufficient chips to raise the bet. You can go all in instead by "
              "pressing I.");
          if (table.GameOver) return kQuit;
          break;
        }
        const std::int32_t amount = prompts_.InputNumber("Amount to bet or raise?", minRaise,
                                                         maxAllowed, minRaise, 1, limits.Ante);
        if (table.GameOver) return kQuit;
        if (amount < minRaise || amount > maxAllowed) break;  // cancelled: the menu again
        return {BetAction::BetOrRaise, amount};
      }
      default:
        break;
    }
  }
}

DrawChoice KeyboardPlayer::ChooseDiscards(int seat, const TableView& view) {
  const TableState& table = view.table;
  const GameDefinition& game = table.game;
  const int maxDraw = std::max<int>(0, game.Rounds[view.hand.CurrentRound].MaxDrawCards);
  const int lastSlot = std::min<int>(game.RoundCount, kMaxRounds);

  // The cards the player may exchange: face down and not shared, highest rank first (an exchange
  // sort, as every sorted hand of the game).
  std::vector<CardNumber> drawable;
  for (int slot = 1; slot <= lastSlot; ++slot) {
    const CardRound& round = game.Rounds[slot];
    const CardNumber card = table.Cards[seat][slot];
    if (card != 0 && !round.Shared && !round.FaceUp) drawable.push_back(card);
  }
  for (std::size_t i = 0; i + 1 < drawable.size(); ++i) {
    for (std::size_t j = i + 1; j < drawable.size(); ++j) {
      if (PlayRank(drawable[j]) > PlayRank(drawable[i])) std::swap(drawable[i], drawable[j]);
    }
  }
  const int n = static_cast<int>(drawable.size());
  if (n == 0) return {};

  std::vector<std::string> items(static_cast<std::size_t>(n) + 1);
  std::vector<std::string> keys(static_cast<std::size_t>(n) + 1);
  for (int i = 1; i <= n; ++i) items[static_cast<std::size_t>(i)] = CardName(drawable[i - 1], 0);

  // The marked cards; none when the menu was left with Escape.
  std::vector<CardNumber> marked;
  for (;;) {
    // Every showing of the menu starts with nothing marked.
    std::fill(keys.begin(), keys.end(), std::string());
    Say(fmt::format("You may draw up to {} cards", maxDraw));
    if (table.GameOver) return {};
    const int selected =
        prompts_.Menu(kDiscardTitle, items, keys, n, 1, kMenuMultiSelect, false, maxDraw);
    if (table.GameOver) return {};
    marked.clear();
    if (selected > 0) {
      for (int i = 1; i <= n; ++i) {
        if (keys[static_cast<std::size_t>(i)] == "*") marked.push_back(drawable[i - 1]);
      }
    }
    if (selected > maxDraw || static_cast<int>(marked.size()) > maxDraw) {
      Say("Too many cards drawn.");
      if (table.GameOver) return {};
      continue;
    }
    if (selected >= 0) break;
  }

  // The marked cards are thrown in the order of their slots, each replaced at once.
  DrawChoice choice;
  for (int slot = 1; slot <= lastSlot; ++slot) {
    const CardNumber card = table.Cards[seat][slot];
    if (card != 0 && std::find(marked.begin(), marked.end(), card) != marked.end()) {
      choice.slots.push_back(slot);
    }
  }
  return choice;
}

bool KeyboardPlayer::PayForWildCard(int seat, std::int32_t cost, bool queen,
                                    const TableView& view) {
  return PaysOrFolds(
      seat, queen ? "pay for the queen wildcard" : " Pay for the wildcard following the queen ",
      cost, view);
}

bool KeyboardPlayer::PaysOrFolds(int seat, const std::string& text, std::int32_t cost,
                                 const TableView& view) {
  if (cost > view.table.players.Chips[seat]) return false;
  for (;;) {
    std::vector<std::string> items{"", fmt::format("{} {} P", text, cost), "Fold, F"};
    std::vector<std::string> keys{"", "P", "F"};
    const int answer = prompts_.Menu("Pay or Fold?", items, keys, 2, 1, 0, false);
    if (view.table.GameOver) return false;
    if (answer == 1 || answer == 2) return answer == 1;
  }
}

}  // namespace corvane
