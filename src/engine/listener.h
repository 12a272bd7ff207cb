// One person's ears at the table: the speech that person hears, the sound engine that plays to
// them and how loud they want the table's sounds.
#pragma once

#include "sound/sound_engine.h"
#include "speech/speech.h"

namespace corvane {

class Listener {
 public:
  virtual Speech& Ears() = 0;
  virtual SoundEngine& Sounds() = 0;
  // The person's table sound setting (hundredths of a decibel, 0 full).
  virtual int TableVolume() const = 0;

 protected:
  ~Listener() = default;
};

}  // namespace corvane
