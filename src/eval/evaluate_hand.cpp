#include "eval/evaluator.h"
#include "eval/hand_description.h"
#include "eval/hand_ranking.h"

namespace corvane {

namespace {

// Collects the considered cards of slots 1..7: face-down slots are skipped in showing-only mode,
// empty slots and numbers that are no card always.
int ConsiderCards(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly,
                  RankCounts& counts, std::array<CardNumber, 7>& considered) {
  int n = 0;
  for (int i = 1; i <= 7; ++i) {
    const int c = cards[static_cast<std::size_t>(i)];
    if (!IsCardNumber(c) || (showingOnly && !faceUp[static_cast<std::size_t>(i)])) continue;
    counts.Add(c);
    considered[static_cast<std::size_t>(n++)] = static_cast<CardNumber>(c);
  }
  return n;
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

}  // namespace

HandValue EvaluateHandValue(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly) {
  RankCounts counts;
  std::array<CardNumber, 7> considered{};
  ConsiderCards(cards, faceUp, showingOnly, counts, considered);
  return RankCards(counts, considered.data(), nullptr);
}

HandValue EvaluateHand(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly,
                       int describeFlags, std::string& description,
                       std::vector<CardNumber>* kickers) {
  if (kickers != nullptr) kickers->clear();
  RankCounts counts;
  std::array<CardNumber, 7> considered{};
  const int n = ConsiderCards(cards, faceUp, showingOnly, counts, considered);
  RankedHand ranked;
  const HandValue value = RankCards(counts, considered.data(), &ranked);

  description.clear();
  AppendHandDescription(description, value, (describeFlags & kKickerClause) != 0);

  if ((describeFlags & kRecordKickers) != 0 && kickers != nullptr) {
    // The singles from the lowest up; for each, the first considered card of that rank.
    int wanted = KickerCardsToRecord(ranked.Category);
    for (int s = 4; s >= 0 && wanted > 0; --s) {
      const int rank = ranked.Singles[static_cast<std::size_t>(s)];
      if (rank == 0) continue;
      for (int i = 0; i < n; ++i) {
        if (PlayRank(considered[static_cast<std::size_t>(i)]) == rank) {
          kickers->push_back(considered[static_cast<std::size_t>(i)]);
          --wanted;
          break;
        }
      }
    }
  }
  return value;
}

}  // namespace corvane
