// One input line of corvane-eval: up to seven card numbers for slots 1 to 7 (0 = empty slot);
// optionally "|" and the wild card numbers; optionally a second "|" and seven characters 1/0
// marking the face-up slots, which turns showing-only mode on.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "eval/evaluator.h"

namespace corvane {

struct EvalLine {
  HandSlots Cards{};
  bool HasWildPart = false;
  WildList Wilds{};
  bool ShowingOnly = false;
  FaceUpSlots FaceUp{};
};

// The parsed line, or the reason it is malformed.
std::variant<EvalLine, std::string> ParseEvalLine(std::string_view line);

// "value<TAB>description": with a "|" part the line is valued with BestHandWithWilds, otherwise
// with EvaluateHand (with the kicker clause when `kickerClause`).
std::string ValueEvalLine(const EvalLine& line, bool kickerClause);

}  // namespace corvane
