#include "app/game_settings_questions.h"

#include "app/pace_question.h"

namespace corvane {

bool GameSettingsQuestions(Speech& speech, Prompts& prompts, UserSettings& settings,
                           GameSettingsKeeper& keeper) {
  int answer = prompts.AskYesNo("Would you like the player bots to have dealer's choice?",
                                settings.BotsDealersChoice ? kAnswerYes : kAnswerNo, true);
  if (answer == kAnswerEscape) return false;
  settings.BotsDealersChoice = answer == kAnswerYes;

  answer =
      prompts.AskYesNo("Would you like the left/right arrows assigned to move through your cards?",
                       kAnswerYes, true);
  if (answer == kAnswerEscape) return false;
  settings.CardLeftKey = answer == kAnswerYes ? std::int16_t{kKeyLeft} : std::int16_t{0};
  settings.CardRightKey = answer == kAnswerYes ? std::int16_t{kKeyRight} : std::int16_t{0};

  answer = prompts.AskYesNo(
      "Would you like the background party and table sound settings reset back to their initial "
      "values?",
      kAnswerNo, true);
  if (answer == kAnswerEscape) return false;
  if (answer == kAnswerYes) {
    speech.speak("???Sound volumes reset.");
    settings.PartyVolume = kDefaultUserSettings.PartyVolume;
    settings.TableVolume = kDefaultUserSettings.TableVolume;
    keeper.ApplyPartyVolume(settings.PartyVolume);
  }
  speech.speak("Adjust the table sounds during a game by the use of Page Up and Page Down.");
  speech.speak(
      "Adjust the background party sounds by the use of Shift-Page Up and Shift-Page down. This "
      "may need to be repeated many times, depending on the amount of change.");
  if (!AskPace(prompts, settings)) return false;

  answer = prompts.AskYesNo("Are you ready to save your settings?", kAnswerNo, false);
  if (answer != kAnswerYes) return false;
  std::string error;
  // The message follows the file: a save that failed is never announced as done.
  if (keeper.SaveGameSettings(settings, error)) {
    speech.speak("settings set.");
    return true;
  }
  speech.speak("File save error: " + (error.empty() ? std::string("not saved") : error));
  return false;
}

}  // namespace corvane
