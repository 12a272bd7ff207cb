// The custom game builder: the user invents a poker game by answering questions and picking from
// lists, and the game is kept as a .gam file in the data folder, where the custom game menu finds
// it. The answers fill the current game definition as they come, so that what is saved is exactly
// what the answers built.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "speech/prompts.h"
#include "speech/speech.h"
#include "table/game_definition.h"

namespace corvane {

// A description may run to 53 lines in the file (a game reads back the first 20).
inline constexpr int kMaxBuiltDescriptionLines = 53;
// The wild-card pick list allows this many marks.
inline constexpr int kMaxPickedWildCards = 16;

// The bytes of a built game's file: fields 1 to 10 as SerializeGam writes them, then the count of
// description lines and the lines, each 120 bytes padded with blanks.
std::string BuiltGameBytes(const GameDefinition& game, const std::vector<std::string>& description);

// Why a typed name cannot name a game file; empty when it can. Escape ("***"), an empty name or
// one of blanks only, "." and "..", a name with "/", or one longer than the name field's 120
// characters are refused.
std::string GameNameProblem(std::string_view name);

class GameBuilder {
 public:
  // `dataFolder` and `stockFolder` (where the games that come with the program lie) end in "/".
  // The file is written through the atomic writer.
  GameBuilder(Speech& speech, Prompts& prompts, std::string dataFolder, std::string stockFolder);

  // Runs the questions, filling `game` (the current game definition) as they are answered. Returns
  // true when the game was saved; a stop leaves `game` as far as the answers got.
  bool BuildGame(GameDefinition& game);

 private:
  bool AskGameQuestions(GameDefinition& game, bool& anyDraws);
  bool AskWildCards(GameDefinition& game);
  bool AskRounds(GameDefinition& game, bool anyDraws);
  // The name to save the game under, asked until it is not a stock game's; empty when the user
  // gave no usable name (said so).
  std::string AskName();
  std::vector<std::string> AskDescription();
  // An AskYesNo with commands off: 1 Yes, 2 No, 0 Escape.
  int YesNo(const std::string& question, bool startOnYes);

  Speech& speech_;
  Prompts& prompts_;
  std::string dataFolder_;
  std::string stockFolder_;
};

}  // namespace corvane
