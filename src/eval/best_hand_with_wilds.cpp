// The best hand with wild cards. The value of a hand depends only on which cards it holds, not on
// their slots, and a card of a suit that can never reach five cards in the hand is as good as the
// same rank in any other such suit. So the first substitution in the order of trying (every card
// 1..52 for the first wild slot, inside it for the second, inside that for the third) that reaches
// the best value has its cards in rising order, each the lowest-numbered card of its kind. The
// search walks only those substitutions, in the same order, skips every branch that cannot beat
// the best value found so far, and leaves a branch as soon as the best value reaches what the
// branch can give at most: the substitutions after it could only tie, and on a tie the first one
// stays. Each substitution is valued through the lookup tables of eval/hand_tables.h.
#include <algorithm>

#include "eval/evaluator.h"
#include "eval/hand_description.h"
#include "eval/hand_key.h"
#include "eval/hand_ranking.h"
#include "eval/hand_tables.h"
#include "eval/straight_windows.h"

namespace corvane {

namespace {

constexpr int kMaxSearchedWilds = 3;

// Bit c set for each card c of the wild list.
std::uint64_t WildCards(const WildList& wilds) {
  std::uint64_t mask = 0;
  for (std::size_t i = 1; i < wilds.size(); ++i) {
    if (IsCardNumber(wilds[i])) mask |= std::uint64_t{1} << wilds[i];
  }
  return mask;
}

std::uint32_t AtLeastOrAll(const RankCounts& h, int k) {
  return k <= 0 ? kAllRanks : h.AtLeast[static_cast<std::size_t>(k)];
}

// The highest top rank of five consecutive ranks of which at most `missing` (0..3) are absent
// from the mask (Ace also below the Two), or 0.
int BestWindow(const StraightWindows& windows, std::uint32_t mask, int missing) {
  return windows.Best(WithLowAce(mask), missing);
}

// No flush of these cards and `m` more beats the suit's own ranks with every new card an Ace
// (a card may be given twice). A suit that already holds some card twice gets no closer bound.
HandValue FlushBound(const RankCounts& h, const HandKey& key, int m) {
  HandValue best = 0;
  for (int s = 1; s <= 4; ++s) {
    const int held = key.SuitCount(s);
    if (held + m < 5) continue;
    std::uint32_t ranks = h.RanksOfSuit(s);
    if (CountRanks(ranks) != held) return ValueOfTies(kFlush, 14, 14, 14, 14, 14);
    std::array<int, 5> t{};
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (static_cast<int>(i) < m) {
        t[i] = 14;
      } else if (ranks != 0) {
        t[i] = TopRank(ranks);
        ranks &= ~(1u << t[i]);
      }
    }
    best = std::max(best, ValueOfTies(kFlush, t[0], t[1], t[2], t[3], t[4]));
  }
  return best;
}

// No hand made of these cards and `m` more can be worth more than this. `key` holds the same cards
// as `h`.
HandValue UpperBound(const StraightWindows& windows, const RankCounts& h, const HandKey& key,
                     int m) {
  if (const std::uint32_t five = AtLeastOrAll(h, 5 - m))
    return ValueOfTies(kFiveOfAKind, TopRank(five), 0, 0, 0, 0);
  const int total = h.Count + m;
  bool flushable = false;
  if (total >= 5) {
    int top = 0;
    for (int s = 1; s <= 4; ++s) {
      if (key.SuitCount(s) + m < 5) continue;
      flushable = true;
      top = std::max(top, BestWindow(windows, h.RanksOfSuit(s), m));
    }
    if (top != 0) return ValueOfTies(kStraightFlush, top, 0, 0, 0, 0);
  }
  if (const std::uint32_t fours = AtLeastOrAll(h, 4 - m)) {
    const int r = TopRank(fours);
    const int spare = m - std::max(0, 4 - key.RankCount(r));
    const std::uint32_t others = h.AtLeast[1] & ~(1u << r);
    const int kicker = spare > 0 ? 14 : (others ? TopRank(others) : 0);
    return ValueOfTies(kFourOfAKind, r, kicker, 0, 0, 0);
  }
  const std::uint32_t threes = AtLeastOrAll(h, 3 - m);
  if (total >= 5) {
    // The highest rank that can make three with a pair of another rank from the cards left.
    for (std::uint32_t xs = threes; xs != 0; xs &= ~(1u << TopRank(xs))) {
      const int x = TopRank(xs);
      const int left = m - std::max(0, 3 - key.RankCount(x));
      const std::uint32_t ys = AtLeastOrAll(h, 2 - left) & ~(1u << x);
      if (ys != 0) return ValueOfTies(kFullHouse, x, TopRank(ys), 0, 0, 0);
    }
  }
  if (flushable) return FlushBound(h, key, m);
  if (total >= 5) {
    if (const int top = BestWindow(windows, h.AtLeast[1], m))
      return ValueOfTies(kStraight, top, 0, 0, 0, 0);
  }
  if (threes != 0) {
    return ValueOfTies(kThreeOfAKind, TopRank(threes), total >= 4 ? 14 : 0, total >= 5 ? 14 : 0, 0,
                       0);
  }
  if (total >= 4) return ValueOfTies(kTwoPair, 14, 14, 14, 0, 0);
  if (total >= 2) return ValueOfTies(kOnePair, 14, 14, 14, 14, 0);
  if (total >= 1) return ValueOfTies(kHighCard, 14, 14, 14, 14, 14);
  return ValueOfTies(kHighCard, 0, 0, 0, 0, 0);
}

// A depth-first walk over rising substitutions of representative cards.
class WildSearch {
 public:
  WildSearch(const std::array<CardNumber, 7>& naturals, int naturalCount, int wildCount)
      : cards_(naturals), naturalCount_(naturalCount), wildCount_(wildCount) {
    for (int i = 0; i < naturalCount; ++i) {
      counts_.Add(cards_[static_cast<std::size_t>(i)]);
      key_.Add(static_cast<unsigned>(cards_[static_cast<std::size_t>(i)]));
    }
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
    Visit(counts_, key_, 0, 0, UpperBound(windows_, counts_, key_, wildCount_));
    pick = bestPick_;
    return best_;
  }

 private:
  HandValue ValueWith(const std::array<CardNumber, kMaxSearchedWilds>& wilds) {
    HandKey key = key_;
    for (int i = 0; i < wildCount_; ++i)
      key.Add(static_cast<unsigned>(wilds[static_cast<std::size_t>(i)]));
    const HandValue value = tables_.Value(key);
    if (value != HandTables::kNeedsCards) return value;
    RankCounts h = counts_;
    std::array<CardNumber, 7> cards = cards_;
    for (int i = 0; i < wildCount_; ++i) {
      h.Add(wilds[static_cast<std::size_t>(i)]);
      cards[static_cast<std::size_t>(naturalCount_ + i)] = wilds[static_cast<std::size_t>(i)];
    }
    return RankCards(h, cards.data());
  }

  // A value some substitution surely reaches: every wild card joins the rank held most often (the
  // higher on equal counts), or fills the highest straight flush within reach.
  HandValue LowerBound() {
    int bestRank = 14;
    int bestCount = 0;
    for (int r = 14; r >= 2; --r) {
      const int n = key_.RankCount(r);
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
      const int top = BestWindow(windows_, held, wildCount_);
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

  // Tries the candidates from `firstCandidate` on for the wild slot `depth`. No substitution below
  // this node is worth more than `ceiling`, so once the best value reaches it the rest of the node
  // can only tie, and the first substitution found stays.
  void Visit(const RankCounts& counts, const HandKey& key, int depth, int firstCandidate,
             HandValue ceiling) {
    const int left = wildCount_ - depth - 1;
    auto& slot = cards_[static_cast<std::size_t>(naturalCount_ + depth)];
    auto& picked = pick_[static_cast<std::size_t>(depth)];
    if (left == 0) {
      for (int i = firstCandidate; i < candidateCount_; ++i) {
        const CardNumber card = candidates_[static_cast<std::size_t>(i)];
        HandKey next = key;
        next.Add(static_cast<unsigned>(card));
        HandValue value = tables_.Value(next);
        if (value == HandTables::kNeedsCards) {
          RankCounts all = counts;
          all.Add(card);
          slot = card;
          value = RankCards(all, cards_.data());
        }
        if (value > best_) {
          best_ = value;
          picked = card;
          bestPick_ = pick_;
          if (best_ >= ceiling) return;
        }
      }
      return;
    }
    for (int i = firstCandidate; i < candidateCount_; ++i) {
      const CardNumber card = candidates_[static_cast<std::size_t>(i)];
      RankCounts next = counts;
      next.Add(card);
      HandKey nextKey = key;
      nextKey.Add(static_cast<unsigned>(card));
      const HandValue bound = UpperBound(windows_, next, nextKey, left);
      if (bound <= best_) continue;
      slot = card;
      picked = card;
      Visit(next, nextKey, depth + 1, i, bound);
      if (best_ >= ceiling) return;
    }
  }

  const HandTables& tables_ = HandTables::Instance();
  const StraightWindows& windows_ = StraightWindows::Instance();
  std::array<CardNumber, 7> cards_;
  int naturalCount_;
  int wildCount_;
  RankCounts counts_;
  HandKey key_;
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
  const std::uint64_t wildCards = WildCards(wilds);
  for (std::size_t i = 1; i <= 7; ++i) {
    const int c = trial[i];
    if (!IsCardNumber(c)) continue;
    if (((wildCards >> c) & 1u) != 0) {
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
