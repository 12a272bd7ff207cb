#include "store/statistics_file.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>

#include "store/atomic_file.h"

namespace corvane {

namespace {

constexpr std::string_view kFirstLine = "Corvane statistics 1";
constexpr char kFieldEnd = '\t';
constexpr char kLineEnd = '\n';
// More digits than any count of hands can reach; fewer than overflow a 64-bit number.
constexpr std::size_t kMostDigits = 15;

// A count: plain decimal digits, nothing else.
bool ParseCount(std::string_view field, std::int64_t& value) {
  if (field.empty() || field.size() > kMostDigits ||
      field.find_first_not_of("0123456789") != std::string_view::npos) {
    return false;
  }
  std::from_chars(field.data(), field.data() + field.size(), value);
  return true;
}

constexpr std::string_view kNoName = "No name";

}  // namespace

std::string TallyName(std::string_view game) {
  if (game.empty()) return std::string(kNoName);
  std::string name(game);
  std::replace_if(
      name.begin(), name.end(), [](char c) { return c == kFieldEnd || c == '\r' || c == kLineEnd; },
      ' ');
  return name;
}

std::string FormatStatistics(const std::vector<GameTally>& tallies) {
  std::string text = std::string(kFirstLine) + kLineEnd;
  for (const GameTally& tally : tallies) {
    text += fmt::format("{}{}{}{}{}{}", tally.played, kFieldEnd, tally.won, kFieldEnd,
                        TallyName(tally.game), kLineEnd);
  }
  return text;
}

bool ParseStatistics(std::string_view bytes, std::vector<GameTally>& tallies) {
  if (bytes.empty() || bytes.back() != kLineEnd) return false;
  std::vector<GameTally> read;
  bool first = true;
  while (!bytes.empty()) {
    const auto end = bytes.find(kLineEnd);
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 1);
    if (first) {
      if (line != kFirstLine) return false;
      first = false;
      continue;
    }
    const auto tab1 = line.find(kFieldEnd);
    if (tab1 == std::string_view::npos) return false;
    const auto tab2 = line.find(kFieldEnd, tab1 + 1);
    if (tab2 == std::string_view::npos) return false;
    GameTally tally;
    tally.game = std::string(line.substr(tab2 + 1));
    if (!ParseCount(line.substr(0, tab1), tally.played) ||
        !ParseCount(line.substr(tab1 + 1, tab2 - tab1 - 1), tally.won) ||
        tally.won > tally.played || tally.game.empty() ||
        tally.game.find_first_of("\t\r") != std::string::npos) {
      return false;
    }
    const bool repeated = std::any_of(
        read.begin(), read.end(), [&](const GameTally& other) { return other.game == tally.game; });
    if (repeated) return false;
    read.push_back(std::move(tally));
  }
  tallies = std::move(read);
  return true;
}

FileRead LoadStatistics(const std::string& path, std::vector<GameTally>& tallies) {
  return LoadDataFile(
      path, [&tallies](std::string_view bytes) { return ParseStatistics(bytes, tallies); });
}

bool SaveStatistics(const std::string& path, const std::vector<GameTally>& tallies,
                    std::string& error) {
  return WriteFileAtomically(path, FormatStatistics(tallies), error);
}

}  // namespace corvane
