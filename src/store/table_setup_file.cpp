#include "store/table_setup_file.h"

#include <algorithm>

#include "store/atomic_file.h"
#include "store/byte_fields.h"
#include "store/file_ranges.h"

namespace corvane {

namespace {

constexpr std::size_t kNameWidth = 30;

bool Within(std::int32_t value, std::int32_t lowest, std::int32_t highest) {
  return value >= lowest && value <= highest;
}

// Trimmed of blanks at both ends; empty when nothing is left or it begins with code 0.
std::string StoredName(std::string_view field) {
  std::string name = TrimBlanks(field);
  if (!name.empty() && name.front() == '\0') name.clear();
  return name;
}

}  // namespace

std::size_t TableSetupFileSize(int player_count) {
  const std::size_t others = player_count > 1 ? static_cast<std::size_t>(player_count - 1) : 0;
  return kNameWidth + 2 + 4 + 4 + 4 + 2 + kNameWidth * others + 2 + 4;
}

std::string TableSetupFileBytes(const TableSetupRecord& setup) {
  ByteWriter out;
  out.Text(TrimLeadingBlanks(setup.PlayerName[1]), kNameWidth);
  out.Int16(setup.MaxRaises);
  out.Int32(setup.MaxRaise);
  out.Int32(setup.Ante);
  out.Int32(setup.StartingChips);
  // A count beyond the seats of a table is written as the most there are.
  const auto players = static_cast<std::int16_t>(std::clamp<int>(setup.PlayerCount, 0, kMaxSeats));
  out.Int16(players);
  for (int seat = 2; seat <= players; ++seat) {
    out.Text(TrimLeadingBlanks(setup.PlayerName[seat]), kNameWidth);
  }
  out.Int16(setup.GameEndRule);
  out.Int32(setup.GameEndAmount);
  return out.bytes();
}

bool ParseTableSetupFile(std::string_view bytes, TableSetupRecord& setup) {
  ByteReader in(bytes);
  TableSetupRecord read;
  std::string field;
  if (!in.Text(kNameWidth, field)) return false;
  read.PlayerName[1] = StoredName(field);
  TableSetupRecord& s = read;
  if (!in.Int16(s.MaxRaises) || !in.Int32(s.MaxRaise) || !in.Int32(s.Ante) ||
      !in.Int32(s.StartingChips) || !in.Int16(read.PlayerCount)) {
    return false;
  }
  if (!Within(read.PlayerCount, kFewestPlayers, kMaxSeats)) return false;
  if (bytes.size() != TableSetupFileSize(read.PlayerCount)) return false;
  for (int seat = 2; seat <= read.PlayerCount; ++seat) {
    if (!in.Text(kNameWidth, field)) return false;
    read.PlayerName[seat] = StoredName(field);
  }
  if (!in.Int16(s.GameEndRule) || !in.Int32(s.GameEndAmount)) return false;

  if (!Within(s.MaxRaises, 1, kMostRaises)) return false;
  if (!Within(s.MaxRaise, 1, kHighestRaiseLimit)) return false;
  if (!Within(s.Ante, 1, kHighestAnte)) return false;
  if (!Within(s.StartingChips, kFewestStartingChips, kMostStartingChips)) return false;
  if (!EndRuleWithinRange(s.GameEndRule, s.GameEndAmount)) return false;
  setup = std::move(read);
  return true;
}

TableSetupRecord TableSetupRecordOf(const TableState& table) {
  TableSetupRecord setup;
  for (int seat = 1; seat <= kMaxSeats; ++seat) {
    setup.PlayerName[seat] = table.players.PlayerName[seat];
  }
  const GameSettings& s = table.settings;
  setup.MaxRaises = s.MaxRaises;
  setup.MaxRaise = s.MaxRaise;
  setup.Ante = s.Ante;
  setup.StartingChips = s.StartingChips;
  setup.PlayerCount = table.PlayerCount;
  setup.GameEndRule = s.GameEndRule;
  setup.GameEndAmount = s.GameEndAmount;
  return setup;
}

void ApplyTableSetup(const TableSetupRecord& setup, TableState& table) {
  table.PlayerCount = setup.PlayerCount;
  GameSettings& s = table.settings;
  s.MaxRaises = setup.MaxRaises;
  s.MaxRaise = setup.MaxRaise;
  s.Ante = setup.Ante;
  s.StartingChips = setup.StartingChips;
  s.GameEndRule = setup.GameEndRule;
  s.GameEndAmount = setup.GameEndAmount;
  const int last = std::min<int>(setup.PlayerCount, kMaxSeats);
  for (int seat = 1; seat <= last; ++seat) {
    if (!setup.PlayerName[seat].empty()) table.players.PlayerName[seat] = setup.PlayerName[seat];
  }
}

FileRead LoadTableSetup(const std::string& path, TableSetupRecord& setup) {
  return LoadDataFile(path,
                      [&](std::string_view bytes) { return ParseTableSetupFile(bytes, setup); });
}

bool SaveTableSetup(const std::string& path, const TableSetupRecord& setup, std::string& error) {
  return WriteFileAtomically(path, TableSetupFileBytes(setup), error);
}

}  // namespace corvane
