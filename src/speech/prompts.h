// The spoken prompts: menus (single and multi-select), yes/no and OK questions, number and text
// entry and the card browser. Each speaks its question, then waits for keys; keys it does not know
// go to the command dispatcher unless the caller turns commands off.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "speech/keyboard.h"
#include "speech/pace.h"
#include "speech/speech.h"

namespace corvane {

struct TableState;

// Menu flags.
enum MenuFlags : int {
  kMenuNoRepeat = 1,     // Space or Enter does not repeat the item
  kMenuMultiSelect = 2,  // Space toggles; keys "*" mark the selected items
  kMenuDelete = 4,       // Delete returns the negated position
  kMenuKeyCode = 8,      // return the character code of the chosen item's key
};

// What the prompts read from the rest of the game.
struct PromptContext {
  // The multi-select limit: the current card round's MaxDrawCards.
  std::function<int()> maxDrawCards = [] { return 16; };
  // The card-review keys (0 when the arrows are not assigned to the cards).
  std::function<int()> cardLeftKey = [] { return 37; };
  std::function<int()> cardRightKey = [] { return 39; };
  // The player's pace, which sets the length of the game's pauses.
  std::function<Pace()> pace = [] { return Pace::Normal; };
};

class Prompts {
 public:
  Prompts(Keyboard& keyboard, Speech& speech, PromptContext context = {});

  // Pauses; with blockKeys false keys run their commands at once, with true they are only stored.
  void Wait(double seconds, bool blockKeys);
  // A pause of the game, as long as the player's pace makes it; keys run their commands at once.
  void Pause(PauseOf kind, double seconds);
  Pace pace() const { return context_.pace(); }
  // Items and keys are used from index 1 (index 0 is ignored); both may be changed by the menu.
  std::int16_t Menu(std::string prompt, std::vector<std::string>& items,
                    std::vector<std::string>& keys, int count, int position, int flags,
                    bool commandsOff);
  std::int16_t AskOK(const std::string& prompt);
  // 1 Yes, 2 No, 0 Escape or a command key.
  std::int16_t AskYesNo(const std::string& prompt, int position, bool commandsOff);
  // -1 on Escape.
  std::int32_t InputNumber(const std::string& prompt, std::int32_t min, std::int32_t max,
                           std::int32_t def, int flags, std::int32_t step);
  // "***" on Escape.
  std::string InputText(const std::string& prompt, const std::string& def, int flags);
  // A menu over the cards of `hand`, sorted into `scratchHand`.
  std::int16_t ChooseCard(TableState& table, const std::string& prompt, int hand, int scratchHand);
  // A free line of typing, each key said by its character name; empty on Escape.
  std::string EditBox(const std::string& message);

  Keyboard& keyboard() { return keyboard_; }
  Speech& speech() { return speech_; }

 private:
  void EraseLastCharacter(std::string& entry);
  // Resets the last key, takes the keyboard and blocks until a key is stored.
  void WaitForKey();

  Keyboard& keyboard_;
  Speech& speech_;
  PromptContext context_;
};

}  // namespace corvane
