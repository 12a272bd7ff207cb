// Attenuation in hundredths of a decibel, as the game gives its volumes and pans, turned into the
// linear gain a mixer multiplies the samples by. The gain is exact for every attenuation, so each
// step of a volume setting changes the level by just its own number of decibels, however quiet.
#pragma once

namespace corvane {

// The attenuation of silence: this and anything lower gives the gain 0.
inline constexpr int kSilentHundredthsDb = -10000;
// A pan's range: -10000 (left) .. 10000 (right).
inline constexpr int kPanRange = 10000;

// 10^(hundredthsDb / 2000): 1 at 0 (or above), 0.1 at -2000; 0 at -10000 and below.
double GainOf(int hundredthsDb);

// The gains of the left and right side of a sound played at `volume` (hundredths of a decibel)
// and `pan`: a pan to one side attenuates the other side by that many hundredths of a decibel.
struct StereoGain {
  float left = 1;
  float right = 1;
};
StereoGain ChannelGain(int volume, int pan);

}  // namespace corvane
