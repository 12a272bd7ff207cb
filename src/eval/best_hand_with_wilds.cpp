// The best hand with wild cards. The value of a hand depends only on which cards it holds, not on
// their slots, and a card of a suit that can never reach five cards in the hand is as good as the
// same rank in any other such suit. So the first substitution in the order of trying (every card
// 1..52 for the first wild slot, inside it for the second, inside that for the third) that reaches
// the best value has its cards in rising order, each the lowest-numbered card of its kind. The
// search walks only those substitutions, in the same order, and skips every branch that cannot
// beat the best value found so far.
#include <algorithm>

#include "eval/evaluator.h"
#include "eval/hand_description.h"
#include "eval/hand_ranking.h"

namespace corvane {

namespace {

constexpr int kMaxSearchedWilds = 3;

bool IsWild(int card, const WildList& wilds) {
  for (std::size_t i = 1; i < wilds.size(); ++i) {
    if (wilds[i] != 0 && wilds[i] == card) return true;
  }
  return false;
}

std::uint32_t AtLeastOrAll(const RankCounts& h, int k) {
  return k <= 0 ? kAllRanks : h.AtLeast[static_cast<std::size_t>(k)];
}

// The highest top rank of five consecutive ranks of which at most `missing` are absent from the
// mask (Ace also below the Two), or 0.
int BestWindow(std::uint32_t mask, int missing) {
  const std::uint32_t m = WithLowAce(mask);
  for (int top = 14; top >= 5; --top) {
    const std::uint32_t window = 31u << (top - 4);
    if (5 - std::popcount(m & window) <= missing) return top;
  }
  return 0;
}

// No hand made of these cards and `m` more can be worth more than this.
HandValue UpperBound(const RankCounts& h, int m) {
  if (const std::uint32_t five = AtLeastOrAll(h, 5 - m))
    return ValueOfTies(10, TopRank(five), 0, 0, 0, 0);
  const int total = h.Count + m;
  bool flushable = false;
  if (total >= 5) {
    int top = 0;
    for (int s = 1; s <= 4; ++s) {
      if (h.SuitCount(s) + m < 5) continue;
      flushable = true;
      top = std::max(top, BestWindow(h.RanksOfSuit(s), m));
    }
    if (top != 0) return ValueOfTies(9, top, 0, 0, 0, 0);
  }
  if (const std::uint32_t fours = AtLeastOrAll(h, 4 - m)) {
    const int r = TopRank(fours);
    const int spare = m - std::max(0, 4 - h.RankCount(r));
    const std::uint32_t others = h.AtLeast[1] & ~(1u << r);
    const int kicker = spare > 0 ? 14 : (others ? TopRank(others) : 0);
    return ValueOfTies(8, r, kicker, 0, 0, 0);
  }
  const std::uint32_t threes = AtLeastOrAll(h, 3 - m);
  if (total >= 5 && threes != 0) return ValueOfTies(7, TopRank(threes), 14, 0, 0, 0);
  if (flushable) return ValueOfTies(6, 14, 14, 14, 14, 14);
  if (total >= 5) {
    if (const int top = BestWindow(h.AtLeast[1], m)) return ValueOfTies(5, top, 0, 0, 0, 0);
  }
  if (threes != 0) {
    return ValueOfTies(4, TopRank(threes), total >= 4 ? 14 : 0, total >= 5 ? 14 : 0, 0, 0);
  }
  if (total >= 4) return ValueOfTies(3, 14, 14, 14, 0, 0);
  if (total >= 2) return ValueOfTies(2, 14, 14, 14, 14, 0);
  if (total >= 1) return ValueOfTies(1, 14, 14, 14, 14, 14);
  return ValueOfTies(1, 0, 0, 0, 0, 0);
}

// A depth-first walk over rising substitutions of representative cards.
class WildSearch {
 public:
  WildSearch(const std::array<CardNumber, 7>& naturals, int naturalCount, int wildCount)
      : cards_(naturals), naturalCount_(naturalCount), wildCount_(wildCount) {
    for (int i = 0; i < naturalCount; ++i) counts_.Add(cards_[static_cast<std::size_t>(i)]);
    // Suits that may reach five cards are tried one by one; of the others only the lowest.
    bool lowestOtherTaken = false;
    for (int s = 1; s <= 4; ++s) {
      const bool flushable = counts_.SuitCount(s) + wildCount >= 5;
      if (!flushable) {
        if (lowestOtherTaken) continue;
        lowestOtherTaken = true;
      }
      for (int r = 1; r <= 13; ++r) candidates_[candidateCount_++] = MakeCard(s, r);
    }
  }

  // Returns the best value; `pick` receives the first substitution that reaches it.
  HandValue Run(std::array<CardNumber, kMaxSearchedWilds>& pick) {
    best_ = LowerBound() - 1;
    Visit(counts_, 0, 0);
    pick = bestPick_;
    return best_;
  }

 private:
  HandValue ValueWith(const std::array<CardNumber, kMaxSearchedWilds>& wilds) {
    RankCounts h = counts_;
    std::array<CardNumber, 7> cards = cards_;
    for (int i = 0; i < wildCount_; ++i) {
      h.Add(wilds[static_cast<std::size_t>(i)]);
      cards[static_cast<std::size_t>(naturalCount_ + i)] = wilds[static_cast<std::size_t>(i)];
    }
    return RankCards(h, cards.data(), nullptr);
  }

  // A value some substitution surely reaches: every wild card joins the rank held most often (the
  // higher on equal counts), or fills the highest straight flush within reach.
  HandValue LowerBound() {
    int bestRank = 14;
    int bestCount = 0;
    for (int r = 14; r >= 2; --r) {
      const int n = counts_.RankCount(r);
      if (n > bestCount) {
        bestCount = n;
        bestRank = r;
      }
    }
    std::array<CardNumber, kMaxSearchedWilds> wilds{};
    wilds.fill(MakeCard(1, bestRank == 14 ? 1 : bestRank));
    HandValue bound = ValueWith(wilds);
    for (int s = 1; s <= 4; ++s) {
      if (counts_.SuitCount(s) + wildCount_ < 5) continue;
      const std::uint32_t held = WithLowAce(counts_.RanksOfSuit(s));
      const int top = BestWindow(held, wildCount_);
      if (top == 0) continue;
      int used = 0;
      for (int r = top; r > top - 5; --r) {
        if ((held >> r) & 1u) continue;
        wilds[static_cast<std::size_t>(used++)] = MakeCard(s, r == 14 ? 1 : r);
      }
      while (used < wildCount_)
        wilds[static_cast<std::size_t>(used++)] = MakeCard(s, top == 14 ? 1 : top);
      bound = std::max(bound, ValueWith(wilds));
    }
    return bound;
  }

  void Visit(const RankCounts& counts, int depth, int firstCandidate) {
    const int left = wildCount_ - depth - 1;
    auto& slot = cards_[static_cast<std::size_t>(naturalCount_ + depth)];
    for (int i = firstCandidate; i < candidateCount_; ++i) {
      const CardNumber card = candidates_[static_cast<std::size_t>(i)];
      RankCounts next = counts;
      next.Add(card);
      slot = card;
      pick_[static_cast<std::size_t>(depth)] = card;
      if (left == 0) {
        const HandValue value = RankCards(next, cards_.data(), nullptr);
        if (value > best_) {
          best_ = value;
          bestPick_ = pick_;
        }
      } else if (UpperBound(next, left) > best_) {
        Visit(next, depth + 1, i);
      }
    }
  }

  std::array<CardNumber, 7> cards_;
  int naturalCount_;
  int wildCount_;
  RankCounts counts_;
  std::array<CardNumber, 52> candidates_{};
  int candidateCount_ = 0;
  HandValue best_ = 0;
  std::array<CardNumber, kMaxSearchedWilds> pick_{};
  std::array<CardNumber, kMaxSearchedWilds> bestPick_{};
};

}  // namespace

HandValue BestHandWithWilds(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly,
                            const WildList& wilds, std::string& description,
                            HandSlots* bestTrialHand) {
  // The trial hand: in showing-only mode the face-down slots stay empty.
  HandSlots trial{};
  for (std::size_t i = 1; i <= 7; ++i) {
    if (!showingOnly || faceUp[i]) trial[i] = cards[i];
  }
  std::array<int, 7> wildSlots{};
  int wildCount = 0;
  std::array<CardNumber, 7> naturals{};
  int naturalCount = 0;
  int highestNatural = 0;  // Ace high
  for (std::size_t i = 1; i <= 7; ++i) {
    const int c = trial[i];
    if (!IsCardNumber(c)) continue;
    if (IsWild(c, wilds)) {
      wildSlots[static_cast<std::size_t>(wildCount++)] = static_cast<int>(i);
    } else {
      naturals[static_cast<std::size_t>(naturalCount++)] = static_cast<CardNumber>(c);
      highestNatural = std::max(highestNatural, PlayRank(c));
    }
  }
  const auto setWild = [&](int k, int card) {
    trial[static_cast<std::size_t>(wildSlots[static_cast<std::size_t>(k)])] =
        static_cast<CardNumber>(card);
  };

  HandValue value = 0;
  if (wildCount >= 1 && wildCount <= kMaxSearchedWilds) {
    std::array<CardNumber, kMaxSearchedWilds> pick{};
    value = WildSearch(naturals, naturalCount, wildCount).Run(pick);
    for (int k = 0; k < wildCount; ++k) setWild(k, pick[static_cast<std::size_t>(k)]);
  } else {
    if (wildCount >= 5) {
      // Five or more wild cards are five Aces.
      for (int k = 0; k < wildCount; ++k) setWild(k, 1);
    } else if (wildCount == 4) {
      // Four wild cards join the highest natural rank, the Ace high; with none they are Aces.
      const int rank = (highestNatural == 0 || highestNatural == 14) ? 1 : highestNatural;
      for (int k = 0; k < 4; ++k) setWild(k, rank + 13 * k);
    }
    value = EvaluateHandValue(trial, faceUp, showingOnly);
  }

  description.clear();
  AppendHandDescription(description, value, false);
  if (bestTrialHand != nullptr) *bestTrialHand = trial;
  return value;
}

}  // namespace corvane
