#include "eval/hand_ranking.h"

#include <algorithm>

namespace corvane {

namespace {

// The straight whose high card is highest among the rank mask, or 0.
int StraightTop(std::uint32_t mask) {
  const std::uint32_t m = WithLowAce(mask);
  const std::uint32_t runs = m & (m >> 1) & (m >> 2) & (m >> 3) & (m >> 4);
  return runs == 0 ? 0 : TopRank(runs) + 4;
}

// Takes the highest rank from the mask; 0 when it is empty.
int PopTop(std::uint32_t& mask) {
  if (mask == 0) return 0;
  const int r = TopRank(mask);
  mask &= ~(1u << r);
  return r;
}

struct FlushRanks {
  std::array<int, 5> Top{};
  int StraightFlushTop = 0;
};

// The flush list of a suit that holds some card twice: the ranks of its cards, an Ace both as 14
// and as 1, sorted high first. A straight flush is the first run of five entries each one above
// the next; a repeated rank breaks the run.
FlushRanks FlushFromList(const CardNumber* cards, int count, int suit) {
  std::array<int, 14> list{};
  int length = 0;
  for (int i = 0; i < count; ++i) {
    if (CardSuit(cards[i]) != suit) continue;
    const int r = PlayRank(cards[i]);
    list[static_cast<std::size_t>(length++)] = r;
    if (r == 14) list[static_cast<std::size_t>(length++)] = 1;
  }
  std::sort(list.begin(), list.begin() + length, std::greater<>());
  FlushRanks result;
  for (std::size_t i = 0; i < 5; ++i) result.Top[i] = list[i];
  for (int p = 0; p + 4 < length; ++p) {
    bool run = true;
    for (int j = 0; j < 4 && run; ++j) {
      run = list[static_cast<std::size_t>(p + j)] - list[static_cast<std::size_t>(p + j + 1)] == 1;
    }
    if (run) {
      result.StraightFlushTop = list[static_cast<std::size_t>(p)];
      break;
    }
  }
  return result;
}

}  // namespace

HandValue RankCards(const RankCounts& counts, const CardNumber* cards) {
  const auto& at = counts.AtLeast;
  int category = kHighCard;
  std::array<int, 5> t{};
  const std::uint32_t singles = at[1] & ~at[2];

  if (counts.Count == 0) {
    // Nothing considered: high card with no ranks.
  } else if (at[5] != 0) {
    category = kFiveOfAKind;
    t[0] = TopRank(at[5]);
  } else {
    const std::uint32_t fours = at[4];
    const std::uint32_t threes = at[3] & ~at[4];
    const int four = fours ? TopRank(fours) : 0;
    const int three = threes ? TopRank(threes) : 0;
    // A second three of a kind is stored with the pairs.
    std::uint32_t pairs = (at[2] & ~at[3]) | (threes & ~(1u << three));

    int flushSuit = 0;
    int straight = 0;
    FlushRanks flush;
    if (counts.Count >= 5 && four == 0) {
      // Both need five distinct ranks; the count is taken only when one of them is possible.
      const std::uint32_t fiveOrMore = (counts.SuitCounts + 0x3333u) & 0x8888u;
      straight = StraightTop(at[1]);
      if ((fiveOrMore != 0 || straight != 0) && CountRanks(at[1]) >= 5) {
        if (fiveOrMore != 0) flushSuit = std::countr_zero(fiveOrMore) / 4 + 1;
      } else {
        straight = 0;
      }
      if (flushSuit != 0) {
        const std::uint32_t suitRanks = counts.RanksOfSuit(flushSuit);
        if (CountRanks(suitRanks) == counts.SuitCount(flushSuit)) {
          std::uint32_t m = suitRanks;
          for (auto& r : flush.Top) r = PopTop(m);
          if (straight != 0) flush.StraightFlushTop = StraightTop(suitRanks);
        } else {
          flush = FlushFromList(cards, counts.Count, flushSuit);
          if (straight == 0) flush.StraightFlushTop = 0;
        }
      }
    }

    if (flush.StraightFlushTop != 0) {
      category = kStraightFlush;
      t[0] = flush.StraightFlushTop;
    } else if (four != 0) {
      category = kFourOfAKind;
      t[0] = four;
      // The kicker is the highest other rank held, single or not.
      const std::uint32_t others = at[1] & ~(1u << four);
      t[1] = others ? TopRank(others) : 0;
    } else if (three != 0 && pairs != 0) {
      category = kFullHouse;
      t[0] = three;
      t[1] = TopRank(pairs);
    } else if (flushSuit != 0) {
      category = kFlush;
      t = flush.Top;
    } else if (straight != 0) {
      category = kStraight;
      t[0] = straight;
    } else if (three != 0) {
      category = kThreeOfAKind;
      t[0] = three;
      std::uint32_t s = singles;
      t[1] = PopTop(s);
      t[2] = PopTop(s);
    } else if (CountRanks(pairs) >= 2) {
      category = kTwoPair;
      t[0] = PopTop(pairs);
      t[1] = PopTop(pairs);
      const int third = PopTop(pairs);
      const int single = singles ? TopRank(singles) : 0;
      t[2] = third > single ? third : single;
    } else if (pairs != 0) {
      category = kOnePair;
      t[0] = TopRank(pairs);
      std::uint32_t s = singles;
      t[1] = PopTop(s);
      t[2] = PopTop(s);
      t[3] = PopTop(s);
    } else {
      std::uint32_t s = singles;
      for (auto& r : t) r = PopTop(s);
    }
  }

  return ValueOfTies(category, t[0], t[1], t[2], t[3], t[4]);
}

}  // namespace corvane
