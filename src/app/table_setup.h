// The new table's questions: players, names, betting limits, ante, starting chips and the end of
// the game; the answers are remembered for the next setup. Then the players are seated with their
// chips and random attributes and the first dealer is drawn.
#pragma once

#include <string>

#include "speech/prompts.h"
#include "speech/speech.h"
#include "table/random.h"
#include "table/table_state.h"

namespace corvane {

class TableSetup {
 public:
  // `setupFile` is the full path of "CV PokerSettings.sav".
  TableSetup(TableState& table, Speech& speech, Prompts& prompts, Random& game,
             std::string setupFile);

  // True when the table is ready; false (with GameOver set) when the user cancelled.
  bool SetupTable();

 private:
  bool Cancel();
  void ReadLastSetup();
  bool AskPlayerCount();
  bool AskNames();
  bool AskLimits();
  bool AskEndRule();
  void StoreSetup();
  void SeatPlayers();

  TableState& table_;
  Speech& speech_;
  Prompts& prompts_;
  Random& game_;
  std::string setupFile_;
};

}  // namespace corvane
