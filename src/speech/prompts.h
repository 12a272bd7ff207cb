// The spoken prompts: menus (single and multi-select), yes/no and OK questions, number and text
// entry and the card browser. Each speaks its question, then waits for keys; keys it does not know
// go to the command dispatcher unless the caller turns commands off.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "speech/game_pauses.h"
#include "speech/keyboard.h"
#include "speech/pace.h"
#include "speech/speech.h"
#include "table/card.h"
#include "table/user_settings.h"

namespace corvane {

// Menu flags.
enum MenuFlags : int {
  kMenuNoRepeat = 1,     // Space or Enter does not repeat the item
  kMenuMultiSelect = 2,  // Space toggles; keys "*" mark the selected items
  kMenuDelete = 4,       // Delete returns the negated position
  kMenuKeyCode = 8,      // return the character code of the chosen item's key
};

// A row of a menu of rows (the main menu, the game selection): its words and the key that
// chooses it.
struct MenuRow {
  std::string text;
  int key = 0;
};

// How the rows' keys are matched: the command key as pressed, or its key code whatever the shift.
enum class RowKeys { AsPressed, IgnoringShift };

// What ChooseRow returns: the row chosen (0 for none) and the key that ended the wait.
struct RowAnswer {
  int row = 0;
  int key = 0;
};

// What AskYesNo returns; a menu too returns kAnswerEscape when it is left with Escape.
inline constexpr std::int16_t kAnswerEscape = 0;
inline constexpr std::int16_t kAnswerYes = 1;
inline constexpr std::int16_t kAnswerNo = 2;

// InputText's flags.
enum TextFlags : int {
  kTextCommands = 1,  // a key that is not typed before anything was typed runs its command
  kTextAddress = 2,   // the punctuation of an address may be typed too: colon, hyphen, brackets
};

// What InputText returns when the user leaves it with Escape.
inline constexpr const char* kEscapedText = "***";
// The key of the card browser's last row, "Done, Escape": no key types it, the arrows reach it.
inline constexpr const char* kUntypableKey = "88";

class Prompts : public GamePauses {
 public:
  // The prompts read the player's card-review keys and pace from `settings` as they are asked.
  Prompts(Keyboard& keyboard, Speech& speech, const UserSettings& settings = kDefaultUserSettings);

  // Pauses; with blockKeys false keys run their commands at once, with true they are only stored.
  void Wait(double seconds, bool blockKeys);
  // A pause of the game, as long as the player's pace makes it; keys run their commands at once.
  void Pause(PauseOf kind, double seconds) override;
  Pace pace() const { return settings_.GamePace; }
  // Items and keys are used from index 1 (index 0 is ignored); both may be changed by the menu.
  // A multi-select list lets the user mark at most `markLimit` items.
  std::int16_t Menu(std::string prompt, std::vector<std::string>& items,
                    std::vector<std::string>& keys, int count, int position, int flags,
                    bool commandsOff, int markLimit = 0);
  std::int16_t AskOK(const std::string& prompt);
  // kAnswerYes, kAnswerNo, or kAnswerEscape for Escape or a command key.
  std::int16_t AskYesNo(const std::string& prompt, int position, bool commandsOff);
  // -1 on Escape.
  std::int32_t InputNumber(const std::string& prompt, std::int32_t min, std::int32_t max,
                           std::int32_t def, int flags, std::int32_t step);
  // kEscapedText on Escape.
  std::string InputText(const std::string& prompt, const std::string& def, int flags);
  // A menu of rows whose texts are spoken as they are reached and kept in the phrase history
  // (rows from index 1; `current` the row under the cursor, moved by Home, End, Left and Up, Right
  // and Down, never past either end, each move saying the row reached). Enter chooses the current
  // row and a row's key chooses that row; any other key ends the wait unanswered, for the caller.
  RowAnswer ChooseRow(const std::vector<MenuRow>& rows, int& current, RowKeys keys);
  // A menu over `cards`, indexed by slot from 1 (empty slots, 0, are left out); each row's key is
  // its slot number.
  std::int16_t ChooseCard(const std::string& prompt, const std::vector<CardNumber>& cards);

  Keyboard& keyboard() { return keyboard_; }
  Speech& speech() { return speech_; }

 private:
  void EraseLastCharacter(std::string& entry);
  // Takes the keyboard and blocks until a key of the person asked comes.
  PressedKey WaitForKey();

  Keyboard& keyboard_;
  Speech& speech_;
  const UserSettings& settings_;
};

}  // namespace corvane
