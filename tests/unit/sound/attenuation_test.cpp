// The volumes and pans of the game as the linear gains the desktop's mixer plays them at: exact,
// so that every step of the volume settings changes the level by its 2 dB and nothing the game
// plays at the quietest settings is silent.
#include "platform/attenuation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "sound/seat_sounds.h"

namespace corvane {
namespace {

TEST(Attenuation, HundredthsOfADecibelBecomeLinearGains) {
  const struct {
    int volume, pan;
    double left, right;
  } rows[] = {
      {0, 0, 1, 1},
      {-600, 0, 0.501187, 0.501187},
      {-2000, 0, 0.1, 0.1},
      {-4800, 0, 0.00398107, 0.00398107},
      {-5000, 0, 0.00316228, 0.00316228},
      {-9999, 0, 1.00115e-5, 1.00115e-5},
      {-10000, 0, 0, 0},       // silence, as DirectSound's -10000
      {500, 0, 1, 1},          // no gain above full
      {0, 1000, 0.316228, 1},  // a pan attenuates the other side
      {0, -2000, 1, 0.1},
      {0, 10000, 0, 1},
      {-3000, 1750, 0.00421697, 0.0316228},
  };
  for (const auto& row : rows) {
    const StereoGain gain = ChannelGain(row.volume, row.pan);
    const std::string at = std::to_string(row.volume) + " " + std::to_string(row.pan);
    EXPECT_NEAR(gain.left, row.left, row.left * 1e-5 + 1e-12) << at;
    EXPECT_NEAR(gain.right, row.right, row.right * 1e-5 + 1e-12) << at;
  }
}

// The party volume (-5000..-1000) and the table volume (-3500..0) move in steps of 200 (the table's
// last one, from -3400 to -3500, is 100): each step changes the level by as many decibels at every
// seat of every table, down to the quietest sound the game plays, a coin (800 below the seat) at
// the quietest seat with the table volume at its lowest, or the shuffling ambience at the lowest
// party volume panned to the side. The generated sounds peak above a quarter of full scale, so
// even those keep a peak of several steps of the 16-bit output.
TEST(Attenuation, EveryVolumeStepIsHeardAtEverySeat) {
  constexpr double kQuarterScale = 32767 / 4.0;
  double quietest = 1;
  const auto check = [&](int quieter, int louder, int pan, const std::string& at) {
    const StereoGain gain = ChannelGain(quieter, pan), more = ChannelGain(louder, pan);
    const double step = std::pow(10.0, (louder - quieter) / 2000.0);
    for (const auto& [quiet, loud] : {std::pair{gain.left, more.left}, {gain.right, more.right}}) {
      EXPECT_NEAR(loud / quiet, step, 1e-5) << at;
      quietest = std::min<double>(quietest, quiet);
    }
  };
  for (int party = -5000; party < -1000; party += 200) {
    for (const int pan : {-1750, 0, 1750}) {
      check(party, party + 200, pan, "party " + std::to_string(party));
    }
  }
  for (int players = 2; players <= 7; ++players) {
    for (int seat = 0; seat <= players; ++seat) {
      const SeatPlacement place = PlaceSeat(players, seat);
      for (int table = 0; table > -3500; table -= 200) {
        const int quieter = std::max(table - 200, -3500);
        for (const int offset : {0, -800}) {
          check(place.volume + offset + quieter, place.volume + offset + table, place.pan,
                std::to_string(players) + "/" + std::to_string(seat) + " " +
                    std::to_string(quieter) + " " + std::to_string(offset));
        }
      }
    }
  }
  EXPECT_GT(quietest * kQuarterScale, 3.0) << quietest;
}

}  // namespace
}  // namespace corvane
