#include "eval_line.h"

#include <charconv>
#include <vector>

namespace corvane {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// Whitespace-separated whole numbers 0..52, or the reason they are not.
std::variant<std::vector<int>, std::string> CardNumbers(std::string_view part,
                                                        std::string_view what) {
  std::vector<int> numbers;
  std::size_t pos = 0;
  while (true) {
    pos = part.find_first_not_of(kBlanks, pos);
    if (pos == std::string_view::npos) break;
    const auto end = std::min(part.find_first_of(kBlanks, pos), part.size());
    const std::string_view word = part.substr(pos, end - pos);
    int value = 0;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || ptr != word.data() + word.size()) {
      return std::string(what) + ": not a card number: " + std::string(word);
    }
    if (value < 0 || value > 52) {
      return std::string(what) + ": card number out of range 0..52: " + std::string(word);
    }
    numbers.push_back(value);
    pos = end;
  }
  return numbers;
}

}  // namespace

std::variant<EvalLine, std::string> ParseEvalLine(std::string_view line) {
  EvalLine result;
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const auto bar = line.find('|', start);
    parts.push_back(line.substr(start, bar == std::string_view::npos ? line.npos : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  if (parts.size() > 3) return std::string("more than two '|' parts");

  auto cards = CardNumbers(parts[0], "cards");
  if (auto* error = std::get_if<std::string>(&cards)) return *error;
  const auto& cardList = std::get<std::vector<int>>(cards);
  if (cardList.size() > 7) return std::string("more than seven cards");
  for (std::size_t i = 0; i < cardList.size(); ++i) {
    result.Cards[i + 1] = static_cast<CardNumber>(cardList[i]);
  }

  if (parts.size() >= 2) {
    result.HasWildPart = true;
    auto wilds = CardNumbers(parts[1], "wild cards");
    if (auto* error = std::get_if<std::string>(&wilds)) return *error;
    const auto& wildList = std::get<std::vector<int>>(wilds);
    if (wildList.size() > 20) return std::string("more than twenty wild cards");
    for (std::size_t i = 0; i < wildList.size(); ++i) {
      result.Wilds[i + 1] = static_cast<CardNumber>(wildList[i]);
    }
  }

  if (parts.size() == 3) {
    const std::string_view marks = Trim(parts[2]);
    if (marks.size() != 7 || marks.find_first_not_of("01") != std::string_view::npos) {
      return std::string("face-up slots: seven characters 1 or 0 expected: ") + std::string(marks);
    }
    result.ShowingOnly = true;
    for (std::size_t i = 0; i < 7; ++i) result.FaceUp[i + 1] = marks[i] == '1';
  }
  return result;
}

std::string ValueEvalLine(const EvalLine& line, bool kickerClause) {
  std::string description;
  HandValue value = 0;
  if (line.HasWildPart) {
    value = BestHandWithWilds(line.Cards, line.FaceUp, line.ShowingOnly, line.Wilds, description);
  } else {
    value = EvaluateHand(line.Cards, line.FaceUp, line.ShowingOnly,
                         kickerClause ? kKickerClause : 0, description);
  }
  return std::to_string(value) + '\t' + description;
}

}  // namespace corvane
