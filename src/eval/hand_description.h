// The spoken wording of an evaluated hand. Every phrase follows from the value alone: the ranks
// that decided the hand are its tie-break ranks.
#pragma once

#include <string>

#include "eval/evaluator.h"

namespace corvane {

// The name of a rank 1..14 (14 and 1 are both the Ace); an empty text for any other number.
std::string_view RankWord(int rank);

// Appends the description of the value to `out`; with `kickerClause`, the kicker clause of four
// of a kind, three of a kind, two pairs, one pair and high card when that kicker is not 0.
void AppendHandDescription(std::string& out, HandValue value, bool kickerClause);

}  // namespace corvane
