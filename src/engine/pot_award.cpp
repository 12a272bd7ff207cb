#include "engine/pot_award.h"

#include <algorithm>

#include "table/chips.h"

namespace corvane {

void RankHands(std::vector<RankedHand>& ranked) {
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const RankedHand& a, const RankedHand& b) { return a.value > b.value; });
}

PotAward AwardPots(const std::vector<RankedHand>& ranked, const HandState& hand, int dealer,
                   int playerCount) {
  PotAward award;
  award.share.assign(ranked.size(), 0);
  const int potCount = std::min<int>(hand.PotCount, kMaxPots);
  std::array<HandValue, kMaxPots + 1> firstValue{};

  for (const RankedHand& h : ranked) {
    for (int p = 1; p <= potCount; ++p) {
      auto& winners = award.winners[p];
      if (winners.empty()) {
        winners.push_back(h.seat);
        firstValue[p] = h.value;
      } else if (h.value == firstValue[p]) {
        winners.push_back(h.seat);
        ++award.tieCount;
      }
      if (h.seat == hand.PotCap[p]) break;
    }
  }

  // A pot that no hand still in may claim (everyone who paid into it folded later, to a wild-card
  // payment) goes to the winners of the pot below it.
  for (int p = 2; p <= potCount; ++p) {
    if (award.winners[p].empty()) award.winners[p] = award.winners[p - 1];
  }

  // Seat order starting left of the dealer, for the odd chips.
  const auto leftOfDealer = [&](int seat) {
    const int n = std::max(playerCount, 1);
    return ((seat - dealer - 1) % n + n) % n;
  };
  const auto indexOf = [&](int seat) {
    for (std::size_t k = 0; k < ranked.size(); ++k) {
      if (ranked[k].seat == seat) return k;
    }
    return ranked.size();
  };

  for (int p = 1; p <= potCount; ++p) {
    std::vector<int> winners = award.winners[p];
    if (winners.empty()) continue;
    std::sort(winners.begin(), winners.end(),
              [&](int a, int b) { return leftOfDealer(a) < leftOfDealer(b); });
    const auto count = static_cast<std::int32_t>(winners.size());
    const std::int32_t each = hand.PotAmount[p] / count;
    std::int32_t odd = hand.PotAmount[p] % count;
    for (const int seat : winners) {
      const std::size_t k = indexOf(seat);
      if (k == ranked.size()) continue;
      AddChips(award.share[k], each + (odd > 0 ? 1 : 0));
      if (odd > 0) --odd;
    }
  }
  return award;
}

}  // namespace corvane
