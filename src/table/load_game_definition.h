// Makes a chosen game the current one.
#pragma once

#include <string>

#include "table/game_definition.h"

namespace corvane {

// Clears every card round (announcements empty, flags False, no draws), sets HasWildCards,
// HasFaceUp, HighShowingBetsFirst and HasShared False and HasAnte True, then fills the game:
// codes 11..16 from the built-in tables, code 30 from the .gam file at `gameFile`. WildCount,
// WildCards and the description stay as they were unless the custom file sets them. Emptying the
// pot and the players' contributions is the caller's work.
//
// Returns false, and leaves `game` unchanged, for any other code and for a custom file that
// cannot be read or is damaged.
bool LoadGameDefinition(GameDefinition& game, int gameCode, const std::string& gameFile);

// Step one alone: the clearing that precedes every load.
void ClearGameRounds(GameDefinition& game);

}  // namespace corvane
