#include "sound/seat_sounds.h"

namespace corvane {

void PlayChipSound(SoundEngine& sound, GamePauses& pauses, Random& cosmetic, int playerCount,
                   int seat, int amount, int ante, int tableVolume) {
  const int coins = ChipSoundCount(amount, ante);
  for (int i = 0; i < coins; ++i) {
    PlaySeatSound(sound, "coin*4.wav", playerCount, seat, -800, tableVolume);
    // Keys pressed while the coins fall are answered at once, as in every pause of a hand: a
    // pause that only stored them would lose them, since nothing reads them afterwards.
    pauses.Pause(PauseOf::Play, cosmetic.Rnd() / 10);
  }
}

}  // namespace corvane
