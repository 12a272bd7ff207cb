#include "platform/peak_limiter.h"

#include <algorithm>
#include <cmath>

namespace corvane {

PeakLimiter::PeakLimiter(int rate, int channels)
    : channels_(std::max(channels, 1)),
      attackStep_(static_cast<float>(1 / std::max(1.0, rate * kAttackSeconds))),
      releaseStep_(static_cast<float>(1 / std::max(1.0, rate * kReleaseSeconds))) {}

void PeakLimiter::Process(std::span<const float> mix, std::span<std::int16_t> out) {
  const std::size_t channels = static_cast<std::size_t>(channels_);
  const std::size_t frames = std::min(mix.size(), out.size()) / channels;
  needed_.resize(frames);
  for (std::size_t f = 0; f < frames; ++f) {
    float peak = 0;
    for (std::size_t c = 0; c < channels; ++c)
      peak = std::max(peak, std::abs(mix[f * channels + c]));
    needed_[f] = peak > kCeiling ? kCeiling / peak : 1.0f;
  }
  // From the end of the period back: the gain falls towards each loud frame over the attack.
  float next = 1;
  for (std::size_t f = frames; f-- > 0;)
    next = needed_[f] = std::min(needed_[f], next + attackStep_);
  // Forwards: it rises again no faster than the release allows.
  for (std::size_t f = 0; f < frames; ++f) {
    gain_ = std::min(needed_[f], gain_ + releaseStep_);
    for (std::size_t c = 0; c < channels; ++c) {
      const float sample = std::nearbyint(mix[f * channels + c] * gain_);
      out[f * channels + c] = static_cast<std::int16_t>(std::clamp(sample, -32768.0f, 32767.0f));
    }
  }
}

}  // namespace corvane
