// The statistics file, "Statistics.txt" in the data folder: the user's hands played and won over
// all tables, per game. Plain UTF-8 text with "\n" line ends:
//
//   Corvane statistics 1
//   40<TAB>11<TAB>Texas Holdem
//   12<TAB>3<TAB>Five Card Draw Poker
//
// The first line names the file and its layout; then one line per game, in the order the games
// were first played: hands played, a tab, hands won, a tab, the game's name. The counts are plain
// decimal numbers, the won never above the played; a name is not empty, holds no tab or line
// break and appears once. Anything else is a damaged file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data_file.h"

namespace corvane {

inline constexpr std::string_view kStatisticsFileName = "Statistics.txt";
// Where a damaged statistics file is kept when it is set aside.
inline constexpr std::string_view kDamagedStatisticsFileName = "Statistics.damaged.txt";

struct GameTally {
  std::string game;
  std::int64_t played = 0;
  std::int64_t won = 0;

  bool operator==(const GameTally&) const = default;
};

// The name a game is counted under: its name with each tab or line break made a blank, or
// "No name" for a game without one.
std::string TallyName(std::string_view game);

// The file's bytes for `tallies`, each name written as TallyName gives it.
std::string FormatStatistics(const std::vector<GameTally>& tallies);
// False for a damaged file; `tallies` is then left as it was.
bool ParseStatistics(std::string_view bytes, std::vector<GameTally>& tallies);

// Reads the file at path (kMissing when there is none, kRefused when it is damaged).
FileRead LoadStatistics(const std::string& path, std::vector<GameTally>& tallies);
// Writes it through the atomic writer; false with the system's description in `error`.
bool SaveStatistics(const std::string& path, const std::vector<GameTally>& tallies,
                    std::string& error);

}  // namespace corvane
