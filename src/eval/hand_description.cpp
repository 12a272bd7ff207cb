#include "eval/hand_description.h"

#include <array>

#include "table/card.h"

namespace corvane {

namespace {

constexpr HandValue kNothingConsidered = 1000000;

// The first three tie-break ranks, the only ones a description names; each is worked out on its
// own rather than one after the other.
std::array<int, 3> TiesOf(HandValue value) {
  const auto rest = static_cast<std::uint32_t>(value % 1000000);
  return {static_cast<int>(rest / 50625u % 15u), static_cast<int>(rest / 3375u % 15u),
          static_cast<int>(rest / 225u % 15u)};
}

// The plural is the name followed by "s", with no exception: "Sixs".
void AppendPlural(std::string& out, int rank) {
  out += RankWord(rank);
  out += 's';
}

}  // namespace

std::string_view RankWord(int rank) {
  if (rank == 14) rank = 1;
  if (rank < 1 || rank > 13) return {};
  return RankName[static_cast<std::size_t>(rank)];
}

void AppendHandDescription(std::string& out, HandValue value, bool kickerClause) {
  const std::array<int, 3> t = TiesOf(value);
  const int category = value / 1000000;
  int kicker = 0;
  const char* clauseStart = " with a ";
  const char* clauseEnd = " kicker";
  switch (category) {
    case kFiveOfAKind:
      out += "Five of a kind in ";
      AppendPlural(out, t[0]);
      out += '.';
      return;
    case kStraightFlush:
      out += "Straight Flush ";
      out += RankWord(t[0]);
      out += " high.";
      return;
    case kFourOfAKind:
      out += "Four of a kind in ";
      AppendPlural(out, t[0]);
      out += ' ';
      kicker = t[1];
      break;
    case kFullHouse:
      out += "Full house ";
      AppendPlural(out, t[0]);
      out += " and ";
      AppendPlural(out, t[1]);
      return;
    case kFlush:
      out += "Flush ";
      out += RankWord(t[0]);
      out += " high";
      return;
    case kStraight:
      out += "Straight  ";
      out += RankWord(t[0]);
      out += " high";
      return;
    case kThreeOfAKind:
      out += "three of a kind in ";
      AppendPlural(out, t[0]);
      out += ' ';
      kicker = t[1];
      clauseEnd = " kicker.";
      break;
    case kTwoPair:
      out += "Two pairs, ";
      AppendPlural(out, t[0]);
      out += " and ";
      AppendPlural(out, t[1]);
      out += ' ';
      kicker = t[2];
      clauseStart = "with a ";
      break;
    case kOnePair:
      out += "Pair of ";
      AppendPlural(out, t[0]);
      out += ' ';
      kicker = t[1];
      break;
    case kHighCard:
      if (value == kNothingConsidered) {
        out += "not showing";
        return;
      }
      out += RankWord(t[0]);
      out += " high";
      kicker = t[1];
      clauseEnd = " kicker.";
      break;
    default:
      return;  // no hand was valued
  }
  if (kickerClause && kicker != 0) {
    out += clauseStart;
    out += RankWord(kicker);
    out += clauseEnd;
  }
}

}  // namespace corvane
