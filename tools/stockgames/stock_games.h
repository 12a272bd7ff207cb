// The custom games that ship with the program: constant data, written as .gam files into the
// program folder at build time and copied into the data folder at every start.
#pragma once

#include <vector>

#include "table/game_definition.h"

namespace corvane {

// Every stock game as a custom game (GameCode 30), rounds past RoundCount empty.
std::vector<GameDefinition> StockGames();

}  // namespace corvane
