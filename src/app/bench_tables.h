// The bench's fixed tables: every built-in game, each stock game and a table of the bots' dealer's
// choice, each with its own seed, players and setup answers, and the user's standing answers to
// every question of a hand, played until a number of dealer rounds has been dealt.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

struct BenchTable {
  std::string_view name;      // what the bench prints for the table
  std::uint64_t seed = 0;     // the game's random numbers
  int players = 0;            // 2..7, the user included
  std::int32_t chips = 0;     // the starting chips of every player
  int rounds = 0;             // dealer rounds until the game is over
  std::string_view choose;    // keys at the game selection menu that start the game
  std::string_view strategy;  // the user's standing answers at a betting turn (script lines)
};

// The tables, in the order the bench plays them.
std::span<const BenchTable> BenchTables();

// The script that plays `table` from the start-up of the program to its exit: a new table with
// the table's answers, the game, the standing answers and the end of the game.
std::string BenchScript(const BenchTable& table);

}  // namespace corvane
