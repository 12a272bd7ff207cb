// The ranking of the cards a hand considers: counts per rank kept as bit masks, counts per suit,
// and from them the category and the five tie-break ranks of the best five-card hand.
//
// Inside the ranking an Ace is 14 (bit 14 of a rank mask); for straights it also stands below the
// Two as 1. Cards may repeat (a wild card can be given the number of a card already held), so the
// counts are real counts, not presence bits.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "eval/evaluator.h"

namespace corvane {

inline constexpr std::uint32_t kAllRanks = 0x7FFC;  // bits 2..14

constexpr bool IsCardNumber(int n) {
  return n >= 1 && n <= 52;
}

// The number of ranks in a mask. Spelt out where the target has no population-count instruction,
// where the library call would cost more than the ranking itself.
constexpr int CountRanks(std::uint32_t mask) {
#if defined(__POPCNT__)
  return std::popcount(mask);
#else
  mask = mask - ((mask >> 1) & 0x55555555u);
  mask = (mask & 0x33333333u) + ((mask >> 2) & 0x33333333u);
  mask = (mask + (mask >> 4)) & 0x0F0F0F0Fu;
  return static_cast<int>((mask * 0x01010101u) >> 24);
#endif
}

// The highest set bit of a non-zero mask.
inline int TopRank(std::uint32_t mask) {
  return std::bit_width(mask) - 1;
}

// The rank mask with the Ace also standing below the Two.
constexpr std::uint32_t WithLowAce(std::uint32_t mask) {
  return mask | ((mask >> 13) & 2u);
}

// Per card 1..52: bits 0..15 its rank bit, bits 16..23 its suit index 0..3.
inline constexpr std::array<std::uint32_t, 53> kCardBits = [] {
  std::array<std::uint32_t, 53> bits{};
  for (int c = 1; c <= 52; ++c) {
    bits[static_cast<std::size_t>(c)] =
        (1u << PlayRank(c)) | (static_cast<std::uint32_t>(CardSuit(c) - 1) << 16);
  }
  return bits;
}();

// The cards considered so far, as counts.
struct RankCounts {
  // Bit r of AtLeast[k] is set when rank r is held at least k times (k = 1..5).
  std::array<std::uint32_t, 6> AtLeast{kAllRanks, 0, 0, 0, 0, 0};
  // Four bits per suit: suit s (1..4) at bits 4 * (s - 1).
  std::uint32_t SuitCounts = 0;
  // The ranks held in each suit: suit s at bits 16 * (s - 1).
  std::uint64_t SuitRanks = 0;
  int Count = 0;

  // Adds a card 1..52.
  void Add(int card) {
    const std::uint32_t bits = kCardBits[static_cast<std::size_t>(card)];
    const std::uint32_t bit = bits & 0xFFFFu;
    const std::uint32_t suit = bits >> 16;
    AtLeast[5] |= AtLeast[4] & bit;
    AtLeast[4] |= AtLeast[3] & bit;
    AtLeast[3] |= AtLeast[2] & bit;
    AtLeast[2] |= AtLeast[1] & bit;
    AtLeast[1] |= bit;
    SuitCounts += 1u << (4 * suit);
    SuitRanks |= static_cast<std::uint64_t>(bit) << (16 * suit);
    ++Count;
  }

  std::uint32_t RanksOfSuit(int suit) const {
    return static_cast<std::uint32_t>((SuitRanks >> (16 * (suit - 1))) & 0xFFFFu);
  }

  int SuitCount(int suit) const { return static_cast<int>((SuitCounts >> (4 * (suit - 1))) & 15u); }

  // How often rank r (2..14) is held.
  int RankCount(int r) const {
    int n = 0;
    for (int k = 1; k <= 5; ++k)
      n += static_cast<int>((AtLeast[static_cast<std::size_t>(k)] >> r) & 1u);
    return n;
  }
};

// The value of the considered cards; `cards` are the same cards as in `counts` (read only when a
// flush suit holds the same card twice).
HandValue RankCards(const RankCounts& counts, const CardNumber* cards);

constexpr HandValue ValueOfTies(int category, int t1, int t2, int t3, int t4, int t5) {
  return category * 1000000 + (((t1 * 15 + t2) * 15 + t3) * 15 + t4) * 15 + t5;
}

}  // namespace corvane
