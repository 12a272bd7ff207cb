// The game settings questions: the bots' dealer's choice, the arrows through the cards, a reset of
// the two sound volumes, the pace of the game, and whether to keep the answers in "Settings.sav".
// Escape at any question ends them at once: what was already changed stays in force for the run,
// nothing is saved.
#pragma once

#include <functional>
#include <string>

#include "speech/prompts.h"
#include "speech/speech.h"
#include "table/user_settings.h"

namespace corvane {

struct GameSettingsHooks {
  // Writes "Settings.sav"; false with the reason in `error` when it could not be written (the old
  // file then stays as it was).
  std::function<bool(const UserSettings& settings, std::string& error)> save;
  // Gives the playing background sound the party volume at once.
  std::function<void(int volume)> applyPartyVolume;
  // Asks the last question before saving, how fast the game plays; false when it was left with
  // Escape. Not asked when empty.
  std::function<bool()> askPace;
};

// Returns true when the settings were saved.
bool GameSettingsQuestions(Speech& speech, Prompts& prompts, UserSettings& settings,
                           const GameSettingsHooks& hooks);

}  // namespace corvane
