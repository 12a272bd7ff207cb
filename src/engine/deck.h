// The deck and the discard pile: shuffling, dealing one card, discarding, and turning the discard
// pile into the rest of the deck when the deck runs out.
#pragma once

#include "table/random.h"
#include "table/table_state.h"

namespace corvane {

// Fills Deck 1..52 with every card once, in random order drawn from `game`.
void Shuffle(TableState& table, Random& game);

// When all 52 cards have been dealt, the discard pile (DiscardTop..52) is put in random order and
// becomes the rest of the deck; dealing carries on with it. Otherwise nothing happens.
void RefillDeck(TableState& table, Random& game);

// The next card of the deck; 0 when no card is left at all (the deck and the pile are empty).
CardNumber DealCard(TableState& table, Random& game);

// Puts a card on the discard pile.
void Discard(TableState& table, CardNumber card);

}  // namespace corvane
