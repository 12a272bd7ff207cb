#include "app/game_settings_questions.h"

#include "app/pace_question.h"

namespace corvane {
namespace {

constexpr int kYes = 1;
constexpr int kNo = 2;
constexpr int kEscape = 0;
constexpr std::int16_t kStartingPartyVolume = -3000;
constexpr std::int16_t kStartingTableVolume = 0;
constexpr std::int16_t kLeftArrow = 37;
constexpr std::int16_t kRightArrow = 39;

}  // namespace

bool GameSettingsQuestions(Speech& speech, Prompts& prompts, UserSettings& settings,
                           GameSettingsKeeper& keeper) {
  int answer = prompts.AskYesNo("Would you like the player bots to have dealer's choice?",
                                settings.BotsDealersChoice ? kYes : kNo, true);
  if (answer == kEscape) return false;
  settings.BotsDealersChoice = answer == kYes;

  answer = prompts.AskYesNo(
      "Would you like the left/right arrows assigned to move through your cards?", kYes, true);
  if (answer == kEscape) return false;
  settings.CardLeftKey = answer == kYes ? kLeftArrow : 0;
  settings.CardRightKey = answer == kYes ? kRightArrow : 0;

  answer = prompts.AskYesNo(
      "Would you like the background party and table sound settings reset back to their initial "
      "values?",
      kNo, true);
  if (answer == kEscape) return false;
  if (answer == kYes) {
    speech.speak("???Sound volumes reset.");
    settings.PartyVolume = kStartingPartyVolume;
    settings.TableVolume = kStartingTableVolume;
    keeper.ApplyPartyVolume(settings.PartyVolume);
  }
  speech.speak("Adjust the table sounds during a game by the use of Page Up and Page Down.");
  speech.speak(
      "Adjust the background party sounds by the use of Shift-Page Up and Shift-Page down. This "
      "may need to be repeated many times, depending on the amount of change.");
  if (!AskPace(prompts, settings)) return false;

  answer = prompts.AskYesNo("Are you ready to save your settings?", kNo, false);
  if (answer != kYes) return false;
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
