#include "engine/hand_wild_cards.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr int kQueen = 12;
constexpr int kKing = 13;

// The lowest rank of 2..12 among the cards, or 0 when the hand holds none (only Aces and Kings).
int LittleOne(const GameDefinition& game, const HandSlots& cards) {
  const int last = std::clamp<int>(game.RoundCount, 0, kMaxRounds);
  int lowest = kKing;
  for (int slot = 1; slot <= last; ++slot) {
    const CardNumber card = cards[static_cast<std::size_t>(slot)];
    if (card < 1 || card > 52) continue;
    const int rank = CardRank(card);
    if (rank >= 2 && rank < lowest) lowest = rank;
  }
  return lowest == kKing ? 0 : lowest;
}

}  // namespace

void PutRank(WildList& list, int first, int rank) {
  for (int k = 0; k < 4; ++k) {
    list[static_cast<std::size_t>(first + k)] = static_cast<CardNumber>(rank + 13 * k);
  }
}

bool IsOnWildList(const WildList& list, CardNumber card) {
  if (card == 0) return false;
  for (std::size_t i = 1; i < list.size(); ++i) {
    if (list[i] == card) return true;
  }
  return false;
}

HandWilds WildCardsOfHand(const GameDefinition& game, const HandSlots& cards, int followRank,
                          bool fixedOnly) {
  HandWilds wilds;
  switch (game.GameCode) {
    case kKingsAndLittleOnes: {
      PutRank(wilds.cards, 1, kKing);
      wilds.count = 4;
      if (fixedOnly) break;
      // A hand of nothing but Aces and Kings has the Kings alone: they fill the little ones' place.
      const int little = LittleOne(game, cards);
      PutRank(wilds.cards, 5, little == 0 ? kKing : little);
      wilds.count = 8;
      break;
    }
    case kFollowTheQueen:
      PutRank(wilds.cards, 1, kQueen);
      wilds.count = 4;
      if (followRank >= 1 && followRank <= 13) {
        PutRank(wilds.cards, 5, followRank);
        wilds.count = 8;
      }
      break;
    case kCustomGame: {
      if (!game.HasWildCards) break;
      const int count = std::clamp<int>(game.WildCount, 0, kMaxWildCards);
      for (int i = 1; i <= count; ++i) {
        wilds.cards[static_cast<std::size_t>(i)] = game.WildCards[static_cast<std::size_t>(i)];
      }
      wilds.count = static_cast<std::int16_t>(count);
      break;
    }
    default:
      break;
  }
  return wilds;
}

}  // namespace corvane
