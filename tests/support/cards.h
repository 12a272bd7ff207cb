// Cards written as tests read them: "As" is the Ace of Spades, "Th" the Ten of Hearts, "Qd" the
// Queen of Diamonds, "--" no card.
#pragma once

#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "table/card.h"

namespace corvane::testing {

// C(1, 'S') is the Ace of Spades, C(12, 'H') the Queen of Hearts.
constexpr CardNumber C(int rank, char suit) {
  return MakeCard(suit == 'S' ? 1 : suit == 'H' ? 2 : suit == 'C' ? 3 : 4, rank);
}

// The cards of a text such as "As Kh -- 7c", in order, 0 for "--". A plain number stands for
// itself: a slot that holds something that is no card.
inline std::vector<CardNumber> Cards(std::string_view text) {
  constexpr std::string_view kRanks = "A23456789TJQK";
  constexpr std::string_view kSuits = "shcd";
  std::vector<CardNumber> cards;
  std::istringstream in{std::string(text)};
  for (std::string word; in >> word;) {
    const auto rank = kRanks.find(word[0]);
    const auto suit = word.size() == 2 ? kSuits.find(word[1]) : std::string_view::npos;
    if (word == "--") {
      cards.push_back(0);
    } else if (rank != std::string_view::npos && suit != std::string_view::npos) {
      cards.push_back(MakeCard(static_cast<int>(suit) + 1, static_cast<int>(rank) + 1));
    } else {
      cards.push_back(static_cast<CardNumber>(std::stoi(word)));
    }
  }
  return cards;
}

}  // namespace corvane::testing
