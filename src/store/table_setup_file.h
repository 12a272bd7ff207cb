// "CV PokerSettings.sav": the answers of the last table setup, offered as the starting values of
// the next one. Binary, little-endian, signed, without gaps: the user's name (30), MaxRaises (2),
// MaxRaise (4), Ante (4), StartingChips (4), PlayerCount (2), the names of seats 2..PlayerCount
// (30 each), GameEndRule (2), GameEndAmount (4). Names are written without their leading blanks,
// cut at 30 characters and padded with blanks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/data_file.h"
#include "table/table_state.h"

namespace corvane {

struct TableSetupRecord {
  // Seats 1..PlayerCount. A name read back empty means the seat keeps its default name.
  std::array<std::string, kMaxSeats + 1> PlayerName{};
  std::int16_t MaxRaises = 0;
  std::int32_t MaxRaise = 0;
  std::int32_t Ante = 0;
  std::int32_t StartingChips = 0;
  std::int16_t PlayerCount = 0;
  std::int16_t GameEndRule = kEndRuleNotChosen;
  std::int32_t GameEndAmount = 0;
};

// The size of the file for a number of players.
std::size_t TableSetupFileSize(int player_count);

std::string TableSetupFileBytes(const TableSetupRecord& setup);

// Takes the setup from the file's bytes when the file is whole and every value lies within the
// range its setup question allows (2..7 players, raises 1..20, highest raise and ante
// 1..1,000,000, starting chips 50..10,000,000, end rule 0..3 with its minutes 5..1000 or dealing
// rounds 1..1000); otherwise returns false and changes nothing. Names are trimmed of blanks at
// both ends, and a name that is then empty or begins with the character of code 0 is read as
// empty.
bool ParseTableSetupFile(std::string_view bytes, TableSetupRecord& setup);

// The answers of a table as the file stores them.
TableSetupRecord TableSetupRecordOf(const TableState& table);
// Puts a setup read from the file into the table: the player count, the game settings and every
// name that is not empty; the other seats keep the names they have.
void ApplyTableSetup(const TableSetupRecord& setup, TableState& table);

// Reads the file at path; kRead only when it was read and sound, and only then is setup changed.
FileRead LoadTableSetup(const std::string& path, TableSetupRecord& setup);
bool SaveTableSetup(const std::string& path, const TableSetupRecord& setup, std::string& error);

}  // namespace corvane
