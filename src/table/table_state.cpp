#include "table/table_state.h"

#include <fmt/format.h>

#include "table/rounding.h"

namespace corvane {

void CopyHand(TableState& t, int from, int to) {
  for (int k = 1; k <= 7; ++k) t.Cards[to][k] = t.Cards[from][k];
}

void SortHand(TableState& t, int from, int to) {
  CopyHand(t, from, to);
  auto& hand = t.Cards[to];
  const int count = t.game.RoundCount;
  // An exchange sort: each slot against every later slot, swapped when the later ranks higher.
  for (int i = 1; i < count; ++i) {
    for (int j = i + 1; j <= count; ++j) {
      const int ri = hand[i] == 0 ? 0 : PlayRank(hand[i]);
      const int rj = hand[j] == 0 ? 0 : PlayRank(hand[j]);
      if (rj > ri) std::swap(hand[i], hand[j]);
    }
  }
}

std::vector<CardNumber> SortedHandCards(TableState& t, int from, int to) {
  SortHand(t, from, to);
  std::vector<CardNumber> cards{0};
  for (int slot = 1; slot <= t.game.RoundCount; ++slot) cards.push_back(t.Cards[to][slot]);
  return cards;
}

std::string AttributeText(const TableState& t, int seat) {
  const auto percent = [](float value) {
    return RoundHalfEven(static_cast<double>(value) * 100.0);
  };
  const Players& p = t.players;
  return fmt::format("{} Bluffing {} %, Aggressiveness {}%, Risk Taker {}%, Intelligence {}%",
                     p.PlayerName[seat], percent(p.Bluffing[seat]), percent(p.Aggressiveness[seat]),
                     percent(p.RiskTaker[seat]), percent(p.Intelligence[seat]));
}

void SetDefaults(TableState& t) {
  t.DefaultName = {"", "The Boss", "Susan", "Harry", "Donald", "jill", "Sarah", "John"};
  t.settings = GameSettings{};
  t.PlayerCount = 5;
}

}  // namespace corvane
