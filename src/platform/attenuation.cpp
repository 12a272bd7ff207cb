#include "platform/attenuation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace corvane {

double GainOf(int hundredthsDb) {
  if (hundredthsDb <= kSilentHundredthsDb) return 0;
  return std::pow(10.0, std::min(hundredthsDb, 0) / 2000.0);
}

StereoGain ChannelGain(int volume, int pan) {
  const int clamped = std::clamp(pan, -kPanRange, kPanRange);
  const double level = GainOf(volume);
  const double other = level * GainOf(-std::abs(clamped));
  return {static_cast<float>(clamped > 0 ? other : level),
          static_cast<float>(clamped < 0 ? other : level)};
}

}  // namespace corvane
