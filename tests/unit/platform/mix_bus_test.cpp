// The desktop mixer's sum: channels added at their gains where each has got to in the period, the
// sum passed unchanged while it fits and limited, never clipped, when it does not.
#include "platform/mix_bus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace corvane {
namespace {

constexpr std::size_t kPeriod = 2048;  // samples: 1024 stereo frames

// A stereo square wave of `samples` samples of `amplitude`, half a period every 50 frames.
std::vector<std::int16_t> Square(std::size_t samples, int amplitude) {
  std::vector<std::int16_t> wave(samples);
  for (std::size_t i = 0; i < samples; ++i) {
    wave[i] = static_cast<std::int16_t>((i / 100) % 2 ? amplitude : -amplitude);
  }
  return wave;
}

int Peak(const std::vector<std::int16_t>& samples) {
  int peak = 0;
  for (const std::int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
  return peak;
}

TEST(MixBus, ChannelsAddWhereTheyAreAndTheSumIsLimitedNeverClipped) {
  MixBus bus(22050, 8);
  std::vector<std::int16_t> out(kPeriod);
  // The mixer hands over a silent period, the channels' own samples silenced once added.
  const auto finish = [&bus, &out] {
    std::fill(out.begin(), out.end(), 0);
    bus.Finish(out);
  };
  // A sound that ends within the period and starts again (a loop) follows itself, at its gains;
  // a second sound adds exactly while the sum fits; the next period starts empty.
  const std::vector<std::int16_t> wave = Square(1000, 15000);
  bus.Add(1, wave, {1, 1});
  bus.Add(1, wave, {1, 1});
  bus.Add(2, wave, {1, 0.5f});
  finish();
  EXPECT_EQ(std::vector<std::int16_t>(out.begin() + 1000, out.begin() + 2000), wave);
  EXPECT_EQ(out[0], -30000);
  EXPECT_EQ(out[1], -22500);
  EXPECT_EQ(out[2000], 0);
  finish();
  EXPECT_EQ(Peak(out), 0);

  // Seven loud sounds: the gain falls before the loud frames and lets none pass the ceiling, 0.3 dB
  // under full scale; in the quiet periods after them it rises back to 1 within a tenth of a
  // second, and a quiet sound passes sample for sample again.
  for (int channel = 1; channel <= 7; ++channel) bus.Add(channel, Square(kPeriod, 16000), {1, 1});
  finish();
  EXPECT_EQ(Peak(out), 31655);
  const std::vector<std::int16_t> quiet = Square(kPeriod, 1000);
  int periods = 0;
  for (; bus.limiter().Gain() < 1 && periods < 10; ++periods) {
    bus.Add(0, quiet, {1, 1});
    finish();
    EXPECT_LE(Peak(out), 1000);
  }
  EXPECT_LE(periods, 3) << "periods of 46 ms to recover";
  bus.Add(0, quiet, {1, 1});
  finish();
  EXPECT_EQ(out, quiet);
}

}  // namespace
}  // namespace corvane
