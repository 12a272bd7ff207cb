// The cards that are wild in one seat's hand. Kings and Little Ones: the four Kings and all four
// cards of the lowest rank the seat holds (an Ace or a King is never the little one). Follow the
// Queen: the four Queens and the rank that followed the last face-up Queen. A custom game: its own
// list. Every other game has none.
#pragma once

#include <cstdint>

#include "eval/evaluator.h"
#include "table/game_definition.h"

namespace corvane {

struct HandWilds {
  // Entries 1..20, 0 for empty.
  WildList cards{};
  std::int16_t count = 0;
};

// `cards` is the seat's hand (slots 1..RoundCount); `followRank` the rank that follows the last
// face-up Queen (0 for none). With `fixedOnly` the wild cards that depend on the seat's own cards
// (the little ones) are left out.
HandWilds WildCardsOfHand(const GameDefinition& game, const HandSlots& cards, int followRank,
                          bool fixedOnly);

// The four cards of a rank 1..13 in entries first..first + 3.
void PutRank(WildList& list, int first, int rank);

// True when `card` is on the list.
bool IsOnWildList(const WildList& list, CardNumber card);

}  // namespace corvane
