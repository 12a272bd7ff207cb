#include "sound/seat_sounds.h"

#include <algorithm>
#include <cstdlib>

#include "table/rounding.h"

namespace corvane {

SeatPlacement PlaceSeat(int playerCount, int seat) {
  SeatPlacement place;
  // The user sits straight ahead; with three or more players the others sit on an arc in front.
  if (playerCount >= 3 && seat >= 2) {
    const double step = (180.0 - 360.0 / playerCount) / (playerCount - 2);
    place.angle = static_cast<int>(RoundHalfEven(step * (seat - (playerCount + 2) / 2.0)));
  }
  if (seat == 0) {
    place.volume = -500;  // the table itself
  } else if (playerCount == 2 && seat == 2) {
    place.volume = -1400;  // the one opponent, straight ahead across the table
  } else {
    place.volume = (std::abs(place.angle) - 70) * 15;
  }
  place.pan = static_cast<int>(RoundHalfEven(place.angle * 33.333));
  return place;
}

void PlaySeatSound(SoundEngine& sound, const std::string& name, int playerCount, int seat,
                   int volumeOffset, int tableVolume) {
  const SeatPlacement place = PlaceSeat(playerCount, seat);
  sound.PlaySound(name, place.volume + volumeOffset + tableVolume, -1, place.pan, 0, 0);
}

int ChipSoundCount(int amount, int ante) {
  if (ante < 1) return 1;
  const auto n = RoundHalfEven(double(amount) / (2.0 * ante) + 1.0);
  return static_cast<int>(std::clamp<std::int64_t>(n, 1, 50));
}

}  // namespace corvane
