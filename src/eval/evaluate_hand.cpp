#include <bit>

#include "eval/evaluator.h"
#include "eval/hand_description.h"
#include "eval/hand_key.h"
#include "eval/hand_ranking.h"
#include "eval/hand_tables.h"

namespace corvane {

namespace {

// The card of a slot if it is considered, else 0: face-down slots are skipped in showing-only
// mode, empty slots and numbers that are no card always.
unsigned ConsideredCard(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly,
                        std::size_t slot) {
  const auto c = static_cast<std::uint16_t>(cards[slot]);
  const bool counted = (!showingOnly || faceUp[slot]) && c >= 1 && c <= 52;
  return counted ? c : 0u;
}

// Collects the considered cards of slots 1..7 in slot order.
int ConsiderCards(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly,
                  RankCounts& counts, std::array<CardNumber, 7>& considered) {
  int n = 0;
  for (std::size_t i = 1; i <= 7; ++i) {
    const unsigned c = ConsideredCard(cards, faceUp, showingOnly, i);
    if (c == 0) continue;
    counts.Add(static_cast<int>(c));
    considered[static_cast<std::size_t>(n++)] = static_cast<CardNumber>(c);
  }
  return n;
}

// The value through the tables; a suit of five cards or more that holds some card twice is ranked
// step by step.
HandValue ValueOf(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly) {
  HandKey key;
  for (std::size_t i = 1; i <= 7; ++i) key.Add(ConsideredCard(cards, faceUp, showingOnly, i));
  const HandValue value = HandTables::Instance().Value(key);
  if (value != HandTables::kNeedsCards) [[likely]]
    return value;
  RankCounts counts;
  std::array<CardNumber, 7> considered{};
  ConsiderCards(cards, faceUp, showingOnly, counts, considered);
  return RankCards(counts, considered.data());
}

// How many cards outside the made hand are recorded, by category.
int KickerCardsToRecord(int category) {
  switch (category) {
    case 8:
      return 1;
    case 4:
      return 2;
    case 3:
      return 1;
    case 2:
      return 3;
    case 1:
      return 5;
    default:
      return 0;
  }
}

// The singles from the lowest up; for each, the first considered card of that rank.
void RecordKickerCards(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly,
                       HandValue value, std::vector<CardNumber>& kickers) {
  RankCounts counts;
  std::array<CardNumber, 7> considered{};
  const int n = ConsiderCards(cards, faceUp, showingOnly, counts, considered);
  // The ranks held once, lowest first; only the five highest of them are singles.
  std::uint32_t singles = counts.AtLeast[1] & ~counts.AtLeast[2];
  while (CountRanks(singles) > 5) singles &= singles - 1;
  int wanted = KickerCardsToRecord(value / 1000000);
  for (; singles != 0 && wanted > 0; singles &= singles - 1) {
    const int rank = std::countr_zero(singles);
    for (int i = 0; i < n; ++i) {
      if (PlayRank(considered[static_cast<std::size_t>(i)]) == rank) {
        kickers.push_back(considered[static_cast<std::size_t>(i)]);
        --wanted;
        break;
      }
    }
  }
}

}  // namespace

HandValue EvaluateHandValue(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly) {
  return ValueOf(cards, faceUp, showingOnly);
}

HandValue EvaluateHand(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly,
                       int describeFlags, std::string& description,
                       std::vector<CardNumber>* kickers) {
  if (kickers != nullptr) kickers->clear();
  const HandValue value = ValueOf(cards, faceUp, showingOnly);
  description.clear();
  AppendHandDescription(description, value, (describeFlags & kKickerClause) != 0);
  if ((describeFlags & kRecordKickers) != 0 && kickers != nullptr)
    RecordKickerCards(cards, faceUp, showingOnly, value, *kickers);
  return value;
}

}  // namespace corvane
