// The best-hand evaluator: the value of the best five-card hand in up to seven cards, with or
// without wild cards, and its spoken description.
//
// A HandValue is category * 1,000,000 plus five tie-break ranks in base 15; hands compare as plain
// integers. Every function here is reentrant: it keeps no state between calls.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "table/card.h"

namespace corvane {

struct TableState;

using HandValue = std::int32_t;

// Slots 1..7 of one hand (slot 0 unused), and which of them are dealt face up.
using HandSlots = std::array<CardNumber, 8>;
using FaceUpSlots = std::array<bool, 8>;
// The cards that are wild in one hand: entries 1..20, 0 for empty.
using WildList = std::array<CardNumber, 21>;

enum DescribeFlags : int {
  kRecordKickers = 1,  // fill the kicker cards, lowest rank first
  kKickerClause = 2,   // the description names the kicker
};

// The categories of hands, from the lowest.
enum HandCategories : int {
  kHighCard = 1,
  kOnePair = 2,
  kTwoPair = 3,
  kThreeOfAKind = 4,
  kStraight = 5,
  kFlush = 6,
  kFullHouse = 7,
  kFourOfAKind = 8,
  kStraightFlush = 9,
  kFiveOfAKind = 10,
};

HandValue MakeHandValue(int category, int r1, int r2, int r3, int r4, int r5);
// The category of a value (kHighCard .. kFiveOfAKind).
int HandCategory(HandValue value);

// Values the hand; in showing-only mode only the face-up slots count. `kickers` (may be null)
// receives the kicker cards when describeFlags has kRecordKickers.
HandValue EvaluateHand(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly,
                       int describeFlags, std::string& description,
                       std::vector<CardNumber>* kickers = nullptr);

// The value alone, as EvaluateHand gives it, without building a description: the fast path for
// callers that only compare hands.
HandValue EvaluateHandValue(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly);

// The best value over every substitution of the wild cards; `bestTrialHand` (may be null)
// receives the cards of the winning substitution. The description has no kicker clause.
HandValue BestHandWithWilds(const HandSlots& cards, const FaceUpSlots& faceUp, bool showingOnly,
                            const WildList& wilds, std::string& description,
                            HandSlots* bestTrialHand = nullptr);

// The same on a hand of the table, with the face-up slots of the current game.
HandSlots HandOf(const TableState& table, int hand);
FaceUpSlots FaceUpOf(const TableState& table);

}  // namespace corvane
