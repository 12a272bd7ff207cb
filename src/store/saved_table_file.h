// "CV SavedTable.sav": the one table kept between runs. Binary, little-endian, signed, without
// gaps: PlayerCount (2); for each seat 1..PlayerCount its name (30), Chips (4) and the attributes
// Bluffing, Intelligence, Aggressiveness and RiskTaker (single-precision, 4 each, in this order);
// MaxRaises (2), MaxRaise (4), Ante (4), StartingChips (4), Dealer (2), GameEndRule (2),
// GameEndAmount (4), a reserved value (4), ElapsedSeconds (4), RoundEndSeat (4), DealerRounds (4),
// LeftTableCount (2) and the LeftTable texts (30 each). Text fields are Windows-1252, cut at 30
// characters and padded with blanks. Two players and nobody gone make 142 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/data_file.h"
#include "table/table_state.h"

namespace corvane {

inline constexpr int kMostPlayersLeft = 6;

struct SavedTable {
  std::int16_t PlayerCount = 0;
  // Seats 1..PlayerCount: PlayerName, Chips and the four attributes.
  Players players;
  GameSettings settings;
  std::int16_t Dealer = 0;
  // Written back as it was last read; 0 for a table that was never restored.
  std::int32_t Reserved = 0;
  std::int32_t ElapsedSeconds = 0;
  std::int32_t RoundEndSeat = 0;
  std::int32_t DealerRounds = 0;
  std::int16_t LeftTableCount = 0;
  // Entries 1..LeftTableCount.
  std::array<std::string, kMostPlayersLeft + 1> LeftTable{};
};

// The size of the file for a number of players and of players who left.
std::size_t SavedTableFileSize(int player_count, int left_count);

// The file's bytes. Names are written as they are, cut at 30 characters; the LeftTable texts
// without their blanks at both ends, cut at 30. Counts beyond what the file can hold (more than
// 7 players, more than 6 who left) are written as the most it holds.
std::string SerializeSavedTable(const SavedTable& table);

// Takes the table from the file's bytes when the file is whole and sound: its size matches its
// counts, 2..7 players, 0..6 who left (never more than the seats that emptied), no negative chips
// or counters, no more chips than a table of seven can hold (seven times the starting chips),
// attributes 0..1, game variables within their setup ranges, the dealer 0..7 and the round end
// seat 1..7. Names and LeftTable texts are trimmed of blanks at both ends. Otherwise returns false
// and changes nothing.
bool ParseSavedTable(std::string_view bytes, SavedTable& table);

// Reads the file at path; kRead only when it was read and sound, and only then is table changed.
FileRead LoadSavedTable(const std::string& path, SavedTable& table);
// Writes the file, replacing the old one only when the new one is complete. On failure returns
// false with the system's description of the error in error.
bool SaveSavedTable(const std::string& path, const SavedTable& table, std::string& error);

}  // namespace corvane
