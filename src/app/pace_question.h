// The last of the game settings questions: how fast the game plays.
#pragma once

#include "speech/prompts.h"
#include "table/user_settings.h"

namespace corvane {

// Asks "How fast should the game play?", starting on the current pace, and takes the answer.
// Returns false when it was left with Escape, which ends the questions without saving.
bool AskPace(Prompts& prompts, UserSettings& settings);

}  // namespace corvane
