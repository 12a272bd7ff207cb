// Help: the full help opened in the desktop's viewer, and the two spoken kinds read line by line
// with the arrows, the list of keystrokes and the description of the game being played.
#pragma once

#include <string>
#include <vector>

#include "speech/prompts.h"
#include "speech/speech.h"
#include "table/game_definition.h"

namespace corvane {

inline constexpr const char* kHelpPage = "help.html";
inline constexpr const char* kHelpText = "Corvane.txt";

// The keystroke list, from line 1 (entry 0 unused).
const std::vector<std::string>& KeystrokeLines();

// The description lines of a game (entry 0 unused): the built-in games' own texts, a custom game's
// description lines without their padding, nothing for any other game.
std::vector<std::string> DescriptionLines(const GameDefinition& game);

class HelpReader {
 public:
  // `programFolder` holds the help files and ends in "/".
  HelpReader(Speech& speech, Prompts& prompts, std::string programFolder);

  // The help-format question: the web page or the plain text file, opened with the desktop's
  // viewer; a missing file or a viewer that cannot be started is said. Returns the choice: 1 the
  // page, 2 the text, 0 Escape.
  int ChooseHelpFormat();

  // Kind 1 reads the keystroke list; any other kind the description of `game`. The reader moves
  // with the arrows (and I, J, K, L), Home and End; Escape leaves.
  void ReadHelp(int kind, const GameDefinition& game);

  // Opens one of the help files beside the program with the desktop's viewer; a failure is said.
  void OpenHelpFile(const std::string& name);

 private:
  // Reads lines 1..n of `lines`, with one empty line after them.
  void ReadLines(std::vector<std::string> lines);

  Speech& speech_;
  Prompts& prompts_;
  std::string programFolder_;
};

}  // namespace corvane
