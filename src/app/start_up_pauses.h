// The pauses of the start-up, from the intro sound to the main menu's music. At the normal pace
// they are as long as they have always been and keys pressed during them run their commands. At a
// faster pace they are shorter, and the first key pressed ends them all, so the main menu follows
// at once; every phrase of the start-up is still said.
#pragma once

#include "speech/pace.h"
#include "speech/prompts.h"

namespace corvane {

class StartUpPauses {
 public:
  explicit StartUpPauses(Prompts& prompts) : prompts_(prompts) {}

  // A pause that lasts `seconds` at the normal pace.
  void Pause(double seconds);
  // How long a wait of `kind` that lasts `seconds` at the normal pace lasts now: nothing once a key
  // has ended the start-up.
  double Length(PauseOf kind, double seconds) const;

 private:
  Prompts& prompts_;
  bool skipped_ = false;  // a key ended the start-up's pauses
};

}  // namespace corvane
