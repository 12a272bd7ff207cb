// Hands, face-up slots and wild-card lists written as text for the evaluator's tests.
#pragma once

#include <string_view>

#include "eval/evaluator.h"
#include "support/cards.h"

namespace corvane::testing {

// "Js Jh -- Ac": slots 1, 2 and 4 of a hand.
inline HandSlots Hand(std::string_view text) {
  HandSlots hand{};
  std::size_t slot = 1;
  for (const CardNumber card : Cards(text)) hand[slot++] = card;
  return hand;
}

// "..UU.U.": slots 3, 4 and 6 face up; an empty text, every slot face down.
inline FaceUpSlots FaceUp(std::string_view mask) {
  FaceUpSlots faceUp{};
  for (std::size_t i = 0; i < mask.size(); ++i) faceUp[i + 1] = mask[i] == 'U';
  return faceUp;
}

inline WildList Wilds(std::string_view text) {
  WildList wilds{};
  std::size_t entry = 1;
  for (const CardNumber card : Cards(text)) wilds[entry++] = card;
  return wilds;
}

}  // namespace corvane::testing
