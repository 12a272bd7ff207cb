// The pauses of the game, as long as the player's pace makes them; keys pressed in a pause run
// their commands at once. The prompts keep them; sounds that fall one after another wait through
// them.
#pragma once

#include "speech/pace.h"

namespace corvane {

class GamePauses {
 public:
  virtual void Pause(PauseOf kind, double seconds) = 0;

 protected:
  ~GamePauses() = default;
};

}  // namespace corvane
