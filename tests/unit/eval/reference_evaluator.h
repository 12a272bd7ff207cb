// A plain evaluator written step by step after the rules, with local count tables, for checking
// the fast evaluator and the wild-card search against.
#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "eval/evaluator.h"
#include "table/card.h"

namespace corvane::reference {

inline std::string Rank(int r) {
  return std::string(RankName[static_cast<std::size_t>(r == 14 ? 1 : r)]);
}

inline HandValue Evaluate(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly,
                          int flags, std::string& description,
                          std::vector<CardNumber>* kickers = nullptr) {
  if (kickers != nullptr) kickers->clear();
  std::array<int, 15> rankCount{};
  std::array<int, 5> suitCount{};
  std::array<int, 6> singles{};  // 1..5
  std::array<int, 4> pairs{};    // 1..3
  int three = 0, four = 0, five = 0, distinct = 0, considered = 0, singleCount = 0;
  std::vector<int> slots;
  for (int i = 1; i <= 7; ++i) {
    const int c = hand[static_cast<std::size_t>(i)];
    if (c < 1 || c > 52) continue;
    if (showingOnly && !faceUp[static_cast<std::size_t>(i)]) continue;
    ++considered;
    slots.push_back(i);
    ++rankCount[static_cast<std::size_t>(CardRank(c))];
    ++suitCount[static_cast<std::size_t>(CardSuit(c))];
  }
  rankCount[14] = rankCount[1];
  for (int r = 14; r >= 2; --r) {
    const int n = rankCount[static_cast<std::size_t>(r)];
    if (n == 0) continue;
    const int stored = r == 14 ? 1 : r;
    ++distinct;
    if (n == 1) {
      if (singleCount < 5) singles[static_cast<std::size_t>(++singleCount)] = stored;
    } else if (n == 2 || (n == 3 && three != 0)) {
      for (int p = 1; p <= 3; ++p) {
        if (pairs[static_cast<std::size_t>(p)] == 0) {
          pairs[static_cast<std::size_t>(p)] = stored;
          break;
        }
      }
    } else if (n == 3) {
      three = stored;
    } else if (n == 4) {
      four = stored;
    } else {
      five = stored;
      break;
    }
  }
  const auto high = [](int r) { return r == 1 ? 14 : r; };
  int flushSuit = 0, straight = 0, straightFlush = 0;
  std::vector<int> flushList;
  if (considered >= 5 && distinct >= 5 && five == 0 && four == 0) {
    for (int s = 1; s <= 4; ++s) {
      if (suitCount[static_cast<std::size_t>(s)] >= 5) {
        flushSuit = s;
        break;
      }
    }
    for (int top = 14; top >= 5 && straight == 0; --top) {
      bool all = true;
      for (int r = top - 4; r <= top; ++r) all = all && rankCount[static_cast<std::size_t>(r)] > 0;
      if (all) straight = top;
    }
    if (flushSuit != 0) {
      for (int i : slots) {
        const int c = hand[static_cast<std::size_t>(i)];
        if (CardSuit(c) != flushSuit) continue;
        flushList.push_back(PlayRank(c));
        if (CardRank(c) == 1) flushList.push_back(1);
      }
      std::sort(flushList.begin(), flushList.end(), std::greater<>());
      if (straight != 0) {
        for (std::size_t p = 0; p + 4 < flushList.size(); ++p) {
          bool run = true;
          for (std::size_t j = 0; j < 4; ++j)
            run = run && flushList[p + j] - flushList[p + j + 1] == 1;
          if (run) {
            straightFlush = flushList[p];
            break;
          }
        }
      }
    }
  }
  int category = 1;
  std::array<int, 5> t{};
  std::string d;
  int kicker = 0;
  int record = 0;
  std::string clauseStart = " with a ", clauseEnd = " kicker";
  if (five != 0) {
    category = 10;
    t = {five};
    d = "Five of a kind in " + Rank(five) + "s.";
  } else if (straightFlush != 0) {
    category = 9;
    t = {straightFlush};
    d = "Straight Flush " + Rank(straightFlush) + " high.";
  } else if (four != 0) {
    category = 8;
    const int k = std::max({high(singles[1]), high(pairs[1]), high(three)});
    t = {four, k};
    d = "Four of a kind in " + Rank(four) + "s ";
    kicker = k;
    record = 1;
  } else if (three != 0 && pairs[1] != 0) {
    category = 7;
    t = {three, pairs[1]};
    d = "Full house " + Rank(three) + "s and " + Rank(pairs[1]) + "s";
  } else if (flushSuit != 0) {
    category = 6;
    for (std::size_t i = 0; i < 5; ++i) t[i] = flushList[i];
    d = "Flush " + Rank(flushList[0]) + " high";
  } else if (straight != 0) {
    category = 5;
    t = {straight};
    d = "Straight  " + Rank(straight) + " high";
  } else if (three != 0) {
    category = 4;
    t = {three, singles[1], singles[2]};
    d = "three of a kind in " + Rank(three) + "s ";
    kicker = singles[1];
    clauseEnd = " kicker.";
    record = 2;
  } else if (pairs[2] != 0) {
    category = 3;
    const int k = (pairs[3] != 0 && high(pairs[3]) > high(singles[1])) ? pairs[3] : singles[1];
    t = {pairs[1], pairs[2], k};
    d = "Two pairs, " + Rank(pairs[1]) + "s and " + Rank(pairs[2]) + "s ";
    kicker = k;
    clauseStart = "with a ";
    record = 1;
  } else if (pairs[1] != 0) {
    category = 2;
    t = {pairs[1], singles[1], singles[2], singles[3]};
    d = "Pair of " + Rank(pairs[1]) + "s ";
    kicker = singles[1];
    record = 3;
  } else {
    t = {singles[1], singles[2], singles[3], singles[4], singles[5]};
    d = considered == 0 ? "not showing" : Rank(singles[1]) + " high";
    kicker = singles[2];
    clauseEnd = " kicker.";
    record = 5;
  }
  if ((flags & kKickerClause) != 0 && kicker != 0) d += clauseStart + Rank(kicker) + clauseEnd;
  description = d;
  if ((flags & kRecordKickers) != 0 && kickers != nullptr) {
    for (int s = 5; s >= 1 && record > 0; --s) {
      if (singles[static_cast<std::size_t>(s)] == 0) continue;
      for (int i : slots) {
        const int c = hand[static_cast<std::size_t>(i)];
        if (CardRank(c) == singles[static_cast<std::size_t>(s)]) {
          kickers->push_back(static_cast<CardNumber>(c));
          --record;
          break;
        }
      }
    }
  }
  return MakeHandValue(category, t[0], t[1], t[2], t[3], t[4]);
}

// The plain search: every card 1..52 for each wild slot in turn, keeping the first
// substitution that gives a strictly greater value. `value` evaluates a trial hand.
template <typename Valuer>
HandValue BestWithWilds(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly,
                        const WildList& wilds, std::string& description, HandSlots& best,
                        Valuer value) {
  HandSlots trial{};
  for (std::size_t i = 1; i <= 7; ++i) {
    if (!showingOnly || faceUp[i]) trial[i] = hand[i];
  }
  std::vector<std::size_t> wildSlots;
  int highest = 0;
  for (std::size_t i = 1; i <= 7; ++i) {
    const int c = trial[i];
    if (c < 1 || c > 52) continue;
    if (std::find(wilds.begin() + 1, wilds.end(), c) != wilds.end()) {
      wildSlots.push_back(i);
    } else {
      highest = std::max(highest, PlayRank(c));
    }
  }
  HandValue bestValue = 0;
  best = trial;
  const auto tryIt = [&] {
    const HandValue v = value(trial);
    if (v > bestValue) {
      bestValue = v;
      best = trial;
    }
  };
  const std::size_t k = wildSlots.size();
  if (k == 0) {
    tryIt();
  } else if (k >= 5) {
    for (auto s : wildSlots) trial[s] = 1;
    tryIt();
  } else if (k == 4) {
    const int r = (highest == 0 || highest == 14) ? 1 : highest;
    for (std::size_t j = 0; j < 4; ++j)
      trial[wildSlots[j]] = static_cast<CardNumber>(r + 13 * static_cast<int>(j));
    tryIt();
  } else {
    for (int a = 1; a <= 52; ++a) {
      trial[wildSlots[0]] = static_cast<CardNumber>(a);
      if (k == 1) {
        tryIt();
        continue;
      }
      for (int b = 1; b <= 52; ++b) {
        trial[wildSlots[1]] = static_cast<CardNumber>(b);
        if (k == 2) {
          tryIt();
          continue;
        }
        for (int c = 1; c <= 52; ++c) {
          trial[wildSlots[2]] = static_cast<CardNumber>(c);
          tryIt();
        }
      }
    }
  }
  Evaluate(best, faceUp, showingOnly, 0, description);
  return bestValue;
}

}  // namespace corvane::reference
