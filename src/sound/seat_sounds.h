// Sounds placed round the table by seat, as the listener hears them: seat 1 (the listener's own)
// straight ahead, the others on an arc.
#pragma once

#include <string>

#include "sound/sound_engine.h"

namespace corvane {

// Plays `name` (wildcards allowed) at `seat` of a table of `playerCount`; seat 0 is the table
// itself. `tableVolume` is the user's table sound setting.
void PlaySeatSound(SoundEngine& sound, const std::string& name, int playerCount, int seat,
                   int volumeOffset, int tableVolume);

// Where a seat's sounds are placed: the volume (before the caller's offset and the table volume)
// and the pan handed to the sound engine.
struct SeatPlacement {
  int angle = 0;  // degrees, 0 straight ahead, negative to the left
  int volume = 0;
  int pan = 0;
};
SeatPlacement PlaceSeat(int playerCount, int seat);

// How many coins a chip sound of `amount` plays: amount / (2 x ante) + 1, halves to even, at
// least 1 and at most 50 (1 when there is no ante to measure by).
int ChipSoundCount(int amount, int ante);

}  // namespace corvane
