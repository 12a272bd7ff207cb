// The hands of a table kept for the player: every finished hand is added to the hand history file
// in the data folder, and the V key reads the last hand again, or the hand so far, line by line.
#pragma once

#include <string>

#include "commands/hand_log.h"
#include "speech/keyboard.h"
#include "speech/speech.h"

namespace corvane {

class HandHistory {
 public:
  // `dataFolder` ends in "/"; with none, the hands are kept only for V, never in a file.
  HandHistory(Speech& speech, Keyboard& keyboard, const HandLog& log, std::string dataFolder);

  // Adds a finished hand to the file. A file that cannot be written is said once, and not again
  // until a hand has been written to it; play goes on either way.
  void Keep(const LoggedHand& hand);

  // V: the hand being played so far, else the last finished hand, read with the arrows.
  void ReadAgain();

 private:
  Speech& speech_;
  Keyboard& keyboard_;
  const HandLog& log_;
  std::string path_;
  bool failureSaid_ = false;
};

}  // namespace corvane
