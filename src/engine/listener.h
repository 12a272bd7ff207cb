// One person at the table as the table sees them: the speech that person hears, the sound engine
// that plays to them, how loud they want the table's sounds, and the prompts through which the
// table asks them what is theirs to decide (the game of their own deal).
#pragma once

#include "sound/sound_engine.h"
#include "speech/prompts.h"
#include "speech/speech.h"

namespace corvane {

class Listener {
 public:
  virtual Speech& Ears() = 0;
  virtual SoundEngine& Sounds() = 0;
  // The person's table sound setting (hundredths of a decibel, 0 full).
  virtual int TableVolume() const = 0;
  virtual Prompts& Questions() = 0;

 protected:
  ~Listener() = default;
};

}  // namespace corvane
