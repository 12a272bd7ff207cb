#include "engine/deck.h"

#include <algorithm>
#include <array>
#include <utility>

namespace corvane {

void Shuffle(TableState& table, Random& game) {
  std::array<bool, 53> used{};
  for (int position = 1; position <= 52; ++position) {
    int card = 0;
    do {
      card = static_cast<int>(game.Rnd() * 52) + 1;
    } while (used[card]);
    used[card] = true;
    table.Deck[position] = static_cast<CardNumber>(card);
  }
}

void RefillDeck(TableState& table, Random& game) {
  if (table.DealtCount < 52) return;
  const int top = table.DiscardTop;
  // Each card of the pile gets a random key; an exchange sort orders them by ascending key.
  std::array<double, 53> key{};
  for (int i = top; i <= 52; ++i) key[i] = game.Rnd();
  for (int i = top; i < 52; ++i) {
    for (int j = i + 1; j <= 52; ++j) {
      if (key[j] < key[i]) {
        std::swap(key[i], key[j]);
        std::swap(table.Discards[i], table.Discards[j]);
      }
    }
  }
  table.DealtCount = static_cast<std::int16_t>(top - 1);
  table.Deck = table.Discards;
  table.Discards.fill(0);
  table.DiscardTop = 53;
}

CardNumber DealCard(TableState& table, Random& game) {
  if (table.DealtCount >= 52) RefillDeck(table, game);
  if (table.DealtCount >= 52) return 0;
  ++table.DealtCount;
  return table.Deck[table.DealtCount];
}

void Discard(TableState& table, CardNumber card) {
  if (card == 0 || table.DiscardTop <= 1) return;
  --table.DiscardTop;
  table.Discards[table.DiscardTop] = card;
}

}  // namespace corvane
