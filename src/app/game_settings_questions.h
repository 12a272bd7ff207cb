// The game settings questions: the bots' dealer's choice, the arrows through the cards, a reset of
// the two sound volumes, the pace of the game, and whether to keep the answers in "Settings.sav".
// Escape at any question ends them at once: what was already changed stays in force for the run,
// nothing is saved.
#pragma once

#include <string>

#include "speech/prompts.h"
#include "speech/speech.h"
#include "table/user_settings.h"

namespace corvane {

// What the questions need of the application.
class GameSettingsKeeper {
 public:
  // Writes "Settings.sav"; false with the reason in `error` when it could not be written (the old
  // file then stays as it was).
  virtual bool SaveGameSettings(const UserSettings& settings, std::string& error) = 0;
  // Gives the playing background sound the party volume at once.
  virtual void ApplyPartyVolume(int volume) = 0;

 protected:
  ~GameSettingsKeeper() = default;
};

// The last question before saving is how fast the game plays. Returns true when the settings were
// saved.
bool GameSettingsQuestions(Speech& speech, Prompts& prompts, UserSettings& settings,
                           GameSettingsKeeper& keeper);

}  // namespace corvane
