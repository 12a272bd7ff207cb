#include "platform/mix_bus.h"

#include <algorithm>

namespace corvane {

MixBus::MixBus(int rate, int channelCount)
    : filled_(static_cast<std::size_t>(std::max(channelCount, 0))), limiter_(rate, kStereo) {}

void MixBus::Add(int channel, std::span<const std::int16_t> samples, StereoGain gain) {
  if (channel < 0 || static_cast<std::size_t>(channel) >= filled_.size()) return;
  std::size_t& at = filled_[static_cast<std::size_t>(channel)];
  if (sum_.size() < at + samples.size()) sum_.resize(at + samples.size());
  const float gains[kStereo] = {gain.left, gain.right};
  for (std::size_t i = 0; i < samples.size(); ++i) {
    sum_[at + i] += static_cast<float>(samples[i]) * gains[(at + i) % kStereo];
  }
  at += samples.size();
  used_ = std::max(used_, at);
}

void MixBus::Finish(std::span<std::int16_t> out) {
  if (sum_.size() < out.size()) sum_.resize(out.size());
  for (std::size_t i = 0; i < out.size(); ++i) sum_[i] += static_cast<float>(out[i]);
  limiter_.Process(std::span<const float>(sum_).first(out.size()), out);
  std::fill(sum_.begin(), sum_.begin() + static_cast<std::ptrdiff_t>(std::max(used_, out.size())),
            0.0f);
  std::fill(filled_.begin(), filled_.end(), 0);
  used_ = 0;
}

}  // namespace corvane
