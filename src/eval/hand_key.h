// The considered cards of a hand packed into two words, built by adding one card at a time, for
// the table lookup of eval/hand_tables.h.
//
// Counts: bits 0..15 hold the number of cards of each suit (four bits a suit, suit s at bit
// 4 * (s - 1)); bits 16..54 hold the number of cards of each rank in base 8 (three bits a rank,
// rank r = 2..14 at bit 16 + 3 * (r - 2), the Ace as 14). A hand holds at most seven cards, so no
// field overflows into the next, even when a card is held more than once.
// Cards: bit c is set for each card c held (suit s holds bits 13 * (s - 1) + 1 .. + 13).
#pragma once

#include <array>
#include <cstdint>

#include "table/card.h"

namespace corvane {

inline constexpr int kRankCountShift = 16;

// Per card 0..52 what it adds to the counts; card 0 (no card) adds nothing.
inline constexpr std::array<std::uint64_t, 53> kCardCountKey = [] {
  std::array<std::uint64_t, 53> keys{};
  for (int c = 1; c <= 52; ++c) {
    keys[static_cast<std::size_t>(c)] =
        (std::uint64_t{1} << (4 * (CardSuit(c) - 1))) +
        (std::uint64_t{1} << (kRankCountShift + 3 * (PlayRank(c) - 2)));
  }
  return keys;
}();

// What a rank (2..14) adds to the rank part of the counts, once shifted down.
constexpr std::uint64_t RankCountUnit(int rank) {
  return std::uint64_t{1} << (3 * (rank - 2));
}

struct HandKey {
  std::uint64_t Counts = 0;
  std::uint64_t Cards = 0;

  // Adds a card 1..52; 0 adds nothing (bit 0 of Cards is never read).
  void Add(unsigned card) {
    Counts += kCardCountKey[card];
    Cards |= std::uint64_t{1} << card;
  }

  // How many cards of suit s (1..4) are held.
  int SuitCount(int s) const { return static_cast<int>((Counts >> (4 * (s - 1))) & 15u); }

  // How often rank r (2..14) is held.
  int RankCount(int r) const {
    return static_cast<int>((Counts >> (kRankCountShift + 3 * (r - 2))) & 7u);
  }

  // The rank counts alone, rank 2 at bit 0.
  std::uint64_t RankCounts() const { return Counts >> kRankCountShift; }
};

}  // namespace corvane
