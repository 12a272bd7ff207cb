// Cards are numbered 1..52 as (suit - 1) * 13 + rank; 0 is no card.
// Ranks: 1 Ace, 2..10, 11 Jack, 12 Queen, 13 King. Suits: 1 Spades, 2 Hearts, 3 Clubs, 4 Diamonds.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

using CardNumber = std::int16_t;

constexpr int CardRank(int n) {
  return n % 13 == 0 ? 13 : n % 13;
}
constexpr int CardSuit(int n) {
  return (n - 1) / 13 + 1;
}
// The rank for play: the Ace counts 14.
constexpr int PlayRank(int n) {
  return CardRank(n) == 1 ? 14 : CardRank(n);
}
constexpr CardNumber MakeCard(int suit, int rank) {
  return static_cast<CardNumber>((suit - 1) * 13 + rank);
}

// Entry 0 is unused, as in every table of the game.
inline constexpr std::array<std::string_view, 5> SuitName{"", "Spades", "Hearts", "Clubs",
                                                          "Diamonds"};
inline constexpr std::array<std::string_view, 14> RankName{"",     "Ace",  "Two",   "Three", "Four",
                                                           "Five", "Six",  "Seven", "Eight", "Nine",
                                                           "Ten",  "Jack", "Queen", "King"};

// Form 0: "Queen of Hearts"; form 1: the suit alone; form 2: the rank alone. Card 0 is "Empty".
std::string CardName(int n, int form);

}  // namespace corvane
