// Keeps a mix of 16-bit samples summed in floating point under full scale, so that it never clips
// however many sounds play at once. Below the ceiling the samples pass unchanged. Where the sum
// would pass it, the gain falls to just what keeps the loudest sample of each frame under it,
// ramping down over a few milliseconds before the loud frame (looking ahead only within the period
// being played, so the output is not delayed), and recovers over a tenth of a second. Both sides
// share one gain, so a sound keeps its place between them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace corvane {

class PeakLimiter {
 public:
  // 0.3 dB below full scale: the loudest sample the output ever holds.
  static constexpr float kCeiling = 31655;
  static constexpr double kAttackSeconds = 0.002;
  static constexpr double kReleaseSeconds = 0.1;

  // `rate` in frames per second; `channels` samples a frame.
  PeakLimiter(int rate, int channels);

  // Limits one period: `mix` holds whole frames, `out` as many samples.
  void Process(std::span<const float> mix, std::span<std::int16_t> out);

  // The gain of the last frame processed: 1 while nothing has been limited.
  float Gain() const { return gain_; }

 private:
  int channels_;
  float attackStep_;   // the fall of the gain a frame, at most, on the way to a loud frame
  float releaseStep_;  // its rise a frame, at most, afterwards
  float gain_ = 1;
  std::vector<float> needed_;  // per frame of the period: the gain that keeps it under the ceiling
};

}  // namespace corvane
