#include "table/card.h"

namespace corvane {

std::string CardName(int n, int form) {
  if (n < 1 || n > 52) return "Empty";
  const std::string rank(RankName[CardRank(n)]);
  const std::string suit(SuitName[CardSuit(n)]);
  switch (form) {
    case 1:
      return suit;
    case 2:
      return rank;
    default:
      return rank + " of " + suit;
  }
}

}  // namespace corvane
