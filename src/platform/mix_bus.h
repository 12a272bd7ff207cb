// One period of the output, summed in floating point: each mixer channel adds its 16-bit samples
// at its own gains, at the place in the period it has got to (a channel may come in several
// pieces, when its sound ends or loops within the period), and once every channel is in, the
// limiter turns the sum into the period's 16-bit output. So quiet sounds keep their exact level
// and the sum of loud ones never clips.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/attenuation.h"
#include "platform/peak_limiter.h"

namespace corvane {

class MixBus {
 public:
  // Stereo output at `rate` frames per second, for channels 0..channelCount - 1.
  MixBus(int rate, int channelCount);

  // Adds the next samples of `channel` (left and right in turn) at `gain`.
  void Add(int channel, std::span<const std::int16_t> samples, StereoGain gain);
  // Ends the period: `out` holds what was mixed besides the channels (silence, as a rule); it is
  // replaced by the limited sum, and the next period starts empty.
  void Finish(std::span<std::int16_t> out);

  const PeakLimiter& limiter() const { return limiter_; }

 private:
  static constexpr std::size_t kStereo = 2;
  std::vector<float> sum_;
  std::vector<std::size_t> filled_;  // per channel: the samples it has added in this period
  std::size_t used_ = 0;             // the samples of sum_ that are not silent
  PeakLimiter limiter_;
};

}  // namespace corvane
