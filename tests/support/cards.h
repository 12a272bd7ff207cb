// Cards written as tests read them.
#pragma once

#include "table/card.h"

namespace corvane::testing {

// Cards by rank and suit letter: C(1, 'S') is the Ace of Spades, C(12, 'H') the Queen of Hearts.
inline CardNumber C(int rank, char suit) {
  const int s = suit == 'S' ? 1 : suit == 'H' ? 2 : suit == 'C' ? 3 : 4;
  return MakeCard(s, rank);
}

}  // namespace corvane::testing
