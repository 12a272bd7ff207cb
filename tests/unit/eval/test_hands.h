// Small helpers to write hands in tests: C(12, 'H') is the Queen of Hearts.
#pragma once

#include <initializer_list>

#include "eval/evaluator.h"

namespace corvane::testing {

constexpr CardNumber C(int rank, char suit) {
  const int s = suit == 'S' ? 1 : suit == 'H' ? 2 : suit == 'C' ? 3 : 4;
  return MakeCard(s, rank);
}

inline HandSlots Hand(std::initializer_list<CardNumber> cards) {
  HandSlots h{};
  std::size_t i = 1;
  for (CardNumber c : cards) h[i++] = c;
  return h;
}

inline FaceUpSlots AllDown() {
  return FaceUpSlots{};
}

}  // namespace corvane::testing
