// The .gam file of a custom game: no header, 16-bit little-endian signed integers, text fields of
// 120 Windows-1252 bytes padded with blanks. In order: name; round count; the wild-card, face-up,
// high-face-up-bets-first, shared-cards and ante flags; only with wild cards, the wild count and
// the wild cards; for each round its announcement, betting, face-up, shared, draws, most cards a
// draw and betting-after-draw; the description count and the description lines.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "table/game_definition.h"

namespace corvane {

inline constexpr std::size_t kGamTextSize = 120;
inline constexpr std::size_t kGamRoundSize = kGamTextSize + 6 * 2;

// Reads a .gam file. The name and announcements come back with blanks trimmed from both ends, the
// description lines whole (120 characters with their padding); a file with more than 20 lines
// keeps the first 20. The result has GameCode 30 and empty rounds past RoundCount. Returns nothing
// for a damaged file: shorter than the fields it declares, a round count outside 1..7, a wild
// count outside 1..16 or a wild card outside 1..52 when the game has wild cards, draws outside
// -1..5 or a draw limit outside 0..5, or a negative description count. Bytes after the last
// description line are not read.
std::optional<GameDefinition> ParseGam(std::span<const unsigned char> bytes);

// The bytes of the file that ParseGam reads back as this game: fields 8 and 9 only with wild
// cards, texts cut at 120 bytes, flags written -1 and 0.
std::vector<unsigned char> SerializeGam(const GameDefinition& game);

// The whole file, or nothing when it cannot be read: not a regular file, far too large, or
// unreadable (see platform/data_file.h).
std::optional<std::vector<unsigned char>> ReadWholeFile(const std::string& path);

// Reads and parses a .gam file; nothing when it cannot be read or is damaged.
std::optional<GameDefinition> ReadGamFile(const std::string& path);

// Writes the file whole; false when it cannot be written.
bool WriteGamFile(const std::string& path, const GameDefinition& game);

}  // namespace corvane
