// The desktop mixer's sum: channels added at their gains where each has got to in the period, the
// sum passed unchanged while it fits and limited, never clipped, when it does not.
#include "platform/mix_bus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr int kRate = 22050;
constexpr std::size_t kPeriod = 2048;  // samples: 1024 stereo frames

// A stereo square wave of `samples` samples of `amplitude`, half a period every 50 frames.
std::vector<std::int16_t> Square(std::size_t samples, int amplitude) {
  std::vector<std::int16_t> wave(samples);
  for (std::size_t i = 0; i < samples; ++i) {
    wave[i] = static_cast<std::int16_t>((i / 100) % 2 ? amplitude : -amplitude);
  }
  return wave;
}

int Peak(const std::vector<std::int16_t>& samples, std::size_t from = 0) {
  int peak = 0;
  for (std::size_t i = from; i < samples.size(); ++i) peak = std::max(peak, std::abs(samples[i]));
  return peak;
}

TEST(MixBus, ChannelsAreSummedAtTheirGainsAndNeverClip) {
  const struct {
    const char* what;
    int channels;  // playing the same square wave at once
    int amplitude;
    StereoGain gain;
    int left, right;  // the first frame of the output
    int peak;         // of the period
  } rows[] = {
      {"one sound at full volume passes unchanged", 1, 16000, {1, 1}, -16000, -16000, 16000},
      {"the gains of each side", 1, 16000, {0.5f, 0.1f}, -8000, -1600, 8000},
      {"two sounds add exactly while they fit", 2, 15000, {1, 1}, -30000, -30000, 30000},
      {"a quiet sound keeps its level", 1, 16000, {0.00316228f, 0.00316228f}, -51, -51, 51},
      {"seven loud sounds reach the ceiling, not full scale",
       7,
       16000,
       {1, 1},
       -31655,
       -31655,
       31655},
  };
  for (const auto& row : rows) {
    MixBus bus(kRate, 8);
    const std::vector<std::int16_t> wave = Square(kPeriod, row.amplitude);
    for (int channel = 1; channel <= row.channels; ++channel) bus.Add(channel, wave, row.gain);
    std::vector<std::int16_t> out(kPeriod);
    bus.Finish(out);
    EXPECT_EQ(out[0], row.left) << row.what;
    EXPECT_EQ(out[1], row.right) << row.what;
    EXPECT_EQ(Peak(out), row.peak) << row.what;
  }
}

TEST(MixBus, AChannelInPiecesAndTheGainAfterALoudPeriod) {
  MixBus bus(kRate, 4);
  // A sound that ends within the period and starts again from its beginning (a loop): the second
  // piece follows the first; the period after it starts empty.
  const std::vector<std::int16_t> wave = Square(1000, 1000);
  bus.Add(1, wave, {1, 1});
  bus.Add(1, wave, {1, 1});
  std::vector<std::int16_t> out(kPeriod);
  // The mixer hands over a silent period, the channels' own samples silenced once added.
  const auto finish = [&bus, &out] {
    std::fill(out.begin(), out.end(), 0);
    bus.Finish(out);
  };
  finish();
  EXPECT_EQ(std::vector<std::int16_t>(out.begin(), out.begin() + 1000), wave);
  EXPECT_EQ(std::vector<std::int16_t>(out.begin() + 1000, out.begin() + 2000), wave);
  EXPECT_EQ(out[2000], 0);
  finish();
  EXPECT_EQ(Peak(out), 0);

  // Four loud sounds: the gain falls before the loud frames and never lets one pass the ceiling;
  // in the quiet periods after them it rises back to 1 within a tenth of a second.
  const std::vector<std::int16_t> loud = Square(kPeriod, 30000);
  for (int channel = 0; channel < 4; ++channel) bus.Add(channel, loud, {1, 1});
  finish();
  EXPECT_EQ(Peak(out), 31655);
  EXPECT_LT(bus.limiter().Gain(), 0.3f);
  const std::vector<std::int16_t> quiet = Square(kPeriod, 1000);
  int periods = 0;
  for (; bus.limiter().Gain() < 1 && periods < 10; ++periods) {
    bus.Add(0, quiet, {1, 1});
    finish();
    EXPECT_LE(Peak(out), 1000);
  }
  EXPECT_EQ(bus.limiter().Gain(), 1.0f);
  EXPECT_LE(periods, 3) << "periods of 46 ms to recover";
  bus.Add(0, quiet, {1, 1});
  finish();
  EXPECT_EQ(out, quiet);
}

}  // namespace
}  // namespace corvane
