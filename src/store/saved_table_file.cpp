#include "store/saved_table_file.h"

#include <algorithm>
#include <cmath>

#include "store/atomic_file.h"
#include "store/byte_fields.h"
#include "store/file_ranges.h"

namespace corvane {

namespace {

constexpr std::size_t kTextWidth = 30;
constexpr std::size_t kSeatSize = kTextWidth + 4 + 4 * 4;
constexpr std::size_t kVariablesSize = 2 + 4 + 4 + 4 + 2 + 2 + 4 + 4 + 4 + 4 + 4;

bool Within(std::int64_t value, std::int64_t lowest, std::int64_t highest) {
  return value >= lowest && value <= highest;
}

bool AttributeWithinRange(float value) {
  return std::isfinite(value) && value >= 0.0f && value <= 1.0f;
}

}  // namespace

std::size_t SavedTableFileSize(int player_count, int left_count) {
  return 2 + kSeatSize * static_cast<std::size_t>(std::max(player_count, 0)) + kVariablesSize + 2 +
         kTextWidth * static_cast<std::size_t>(std::max(left_count, 0));
}

std::string SerializeSavedTable(const SavedTable& table) {
  const auto players = static_cast<std::int16_t>(std::clamp<int>(table.PlayerCount, 0, kMaxSeats));
  const auto left =
      static_cast<std::int16_t>(std::clamp<int>(table.LeftTableCount, 0, kMostPlayersLeft));
  const Players& p = table.players;
  const GameSettings& s = table.settings;

  ByteWriter out;
  out.Int16(players);
  for (int seat = 1; seat <= players; ++seat) {
    out.Text(p.PlayerName[seat], kTextWidth);
    out.Int32(p.Chips[seat]);
    out.Single(p.Bluffing[seat]);
    out.Single(p.Intelligence[seat]);
    out.Single(p.Aggressiveness[seat]);
    out.Single(p.RiskTaker[seat]);
  }
  out.Int16(s.MaxRaises);
  out.Int32(s.MaxRaise);
  out.Int32(s.Ante);
  out.Int32(s.StartingChips);
  out.Int16(table.Dealer);
  out.Int16(s.GameEndRule);
  out.Int32(s.GameEndAmount);
  out.Int32(table.Reserved);
  out.Int32(table.ElapsedSeconds);
  out.Int32(table.RoundEndSeat);
  out.Int32(table.DealerRounds);
  out.Int16(left);
  for (int k = 1; k <= left; ++k) out.Text(TrimBlanks(table.LeftTable[k]), kTextWidth);
  return out.bytes();
}

bool ParseSavedTable(std::string_view bytes, SavedTable& table) {
  ByteReader in(bytes);
  SavedTable read;
  if (!in.Int16(read.PlayerCount)) return false;
  if (!Within(read.PlayerCount, kFewestPlayers, kMaxSeats)) return false;
  // The left count sits right after the fixed fields; the file's size must match both counts.
  if (bytes.size() < SavedTableFileSize(read.PlayerCount, 0)) return false;

  Players& p = read.players;
  std::string field;
  for (int seat = 1; seat <= read.PlayerCount; ++seat) {
    if (!in.Text(kTextWidth, field) || !in.Int32(p.Chips[seat]) || !in.Single(p.Bluffing[seat]) ||
        !in.Single(p.Intelligence[seat]) || !in.Single(p.Aggressiveness[seat]) ||
        !in.Single(p.RiskTaker[seat])) {
      return false;
    }
    p.PlayerName[seat] = TrimBlanks(field);
    if (p.Chips[seat] < 0) return false;
    if (!AttributeWithinRange(p.Bluffing[seat]) || !AttributeWithinRange(p.Intelligence[seat]) ||
        !AttributeWithinRange(p.Aggressiveness[seat]) || !AttributeWithinRange(p.RiskTaker[seat])) {
      return false;
    }
  }

  GameSettings& s = read.settings;
  if (!in.Int16(s.MaxRaises) || !in.Int32(s.MaxRaise) || !in.Int32(s.Ante) ||
      !in.Int32(s.StartingChips) || !in.Int16(read.Dealer) || !in.Int16(s.GameEndRule) ||
      !in.Int32(s.GameEndAmount) || !in.Int32(read.Reserved) || !in.Int32(read.ElapsedSeconds) ||
      !in.Int32(read.RoundEndSeat) || !in.Int32(read.DealerRounds) ||
      !in.Int16(read.LeftTableCount)) {
    return false;
  }
  // Every player who left emptied a seat of a table that had at most seven.
  if (!Within(read.LeftTableCount, 0, std::min(kMostPlayersLeft, kMaxSeats - read.PlayerCount))) {
    return false;
  }
  if (bytes.size() != SavedTableFileSize(read.PlayerCount, read.LeftTableCount)) return false;
  for (int k = 1; k <= read.LeftTableCount; ++k) {
    if (!in.Text(kTextWidth, field)) return false;
    read.LeftTable[k] = TrimBlanks(field);
  }

  // The ante raised during play scales the highest raise with it, so neither has a ceiling here.
  if (!Within(s.MaxRaises, 1, kMostRaises)) return false;
  if (s.MaxRaise < 1 || s.Ante < 1) return false;
  if (!Within(s.StartingChips, kFewestStartingChips, kMostStartingChips)) return false;
  std::int64_t chips = 0;
  for (int seat = 1; seat <= read.PlayerCount; ++seat) chips += p.Chips[seat];
  if (chips > MostChipsAtATable(s.StartingChips)) return false;
  if (!EndRuleWithinRange(s.GameEndRule, s.GameEndAmount)) return false;
  if (!Within(read.Dealer, 0, kMaxSeats)) return false;
  if (!Within(read.RoundEndSeat, 1, kMaxSeats)) return false;
  if (read.ElapsedSeconds < 0 || read.DealerRounds < 0) return false;

  table = std::move(read);
  return true;
}

FileRead LoadSavedTable(const std::string& path, SavedTable& table) {
  return LoadDataFile(path, [&](std::string_view bytes) { return ParseSavedTable(bytes, table); });
}

bool SaveSavedTable(const std::string& path, const SavedTable& table, std::string& error) {
  return WriteFileAtomically(path, SerializeSavedTable(table), error);
}

}  // namespace corvane
