#include "synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace soundgen {

std::uint64_t Rng::Next() {
  // splitmix64
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

double Rng::Uniform() {
  return double(Next() >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::Uniform(double lo, double hi) {
  return lo + (hi - lo) * Uniform();
}

double Rng::Normal() {
  const double u = std::max(Uniform(), 1e-12);
  const double v = Uniform();
  return std::sqrt(-2.0 * std::log(u)) * std::cos(2 * kPi * v);
}

std::size_t Frames(double seconds) {
  return static_cast<std::size_t>(std::max(0.0, seconds) * kRate + 0.5);
}

void Track::Add(const Mono& sound, double seconds, double gain, double pan) {
  const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4;
  const float gl = static_cast<float>(gain * std::cos(angle) * std::sqrt(2.0));
  const float gr = static_cast<float>(gain * std::sin(angle) * std::sqrt(2.0));
  const std::size_t start = Frames(seconds);
  for (std::size_t i = 0; i < sound.size() && start + i < size(); ++i) {
    left_[start + i] += gl * sound[i];
    right_[start + i] += gr * sound[i];
  }
}

void Track::Add(const Track& other, double seconds, double gain) {
  const std::size_t start = Frames(seconds);
  for (std::size_t i = 0; i < other.size() && start + i < size(); ++i) {
    left_[start + i] += static_cast<float>(gain * other.left_[i]);
    right_[start + i] += static_cast<float>(gain * other.right_[i]);
  }
}

float Track::Peak() const {
  float peak = 0;
  for (float s : left_) peak = std::max(peak, std::fabs(s));
  for (float s : right_) peak = std::max(peak, std::fabs(s));
  return peak;
}

void Track::Scale(double factor) {
  for (float& s : left_) s = static_cast<float>(s * factor);
  for (float& s : right_) s = static_cast<float>(s * factor);
}

void Track::Normalize(double peak) {
  const float now = Peak();
  if (now > 0) Scale(peak / now);
}

void Track::NormalizeRms(double rms) {
  double sum = 0;
  for (float s : left_) sum += double(s) * s;
  for (float s : right_) sum += double(s) * s;
  const double now = std::sqrt(sum / double(std::max<std::size_t>(1, 2 * size())));
  if (now > 0) Scale(rms / now);
}

void Track::SoftLimit(double ceiling) {
  for (std::vector<float>* channel : {&left_, &right_}) {
    for (float& s : *channel) s = static_cast<float>(ceiling * std::tanh(s / ceiling));
  }
}

void Track::FadeIn(double seconds) {
  const std::size_t n = std::min(Frames(seconds), size());
  for (std::size_t i = 0; i < n; ++i) {
    const float g = float(i) / float(n);
    left_[i] *= g;
    right_[i] *= g;
  }
}

void Track::FadeOut(double seconds) {
  const std::size_t n = std::min(Frames(seconds), size());
  for (std::size_t i = 0; i < n; ++i) {
    const float g = float(i) / float(n);
    left_[size() - 1 - i] *= g;
    right_[size() - 1 - i] *= g;
  }
}

Biquad::Biquad(Kind kind, double hz, double q) : kind_(kind), q_(q) {
  Retune(hz);
}

Biquad Biquad::LowPass(double hz, double q) {
  return Biquad(Kind::Low, hz, q);
}
Biquad Biquad::HighPass(double hz, double q) {
  return Biquad(Kind::High, hz, q);
}
Biquad Biquad::BandPass(double hz, double q) {
  return Biquad(Kind::Band, hz, q);
}

void Biquad::Retune(double hz) {
  const double w = 2 * kPi * std::clamp(hz, 10.0, kRate * 0.49) / kRate;
  const double alpha = std::sin(w) / (2 * q_);
  const double c = std::cos(w);
  const double a0 = 1 + alpha;
  switch (kind_) {
    case Kind::Low:
      b0_ = (1 - c) / 2;
      b1_ = 1 - c;
      b2_ = (1 - c) / 2;
      break;
    case Kind::High:
      b0_ = (1 + c) / 2;
      b1_ = -(1 + c);
      b2_ = (1 + c) / 2;
      break;
    case Kind::Band:
      b0_ = alpha;
      b1_ = 0;
      b2_ = -alpha;
      break;
  }
  b0_ /= a0;
  b1_ /= a0;
  b2_ /= a0;
  a1_ = -2 * c / a0;
  a2_ = (1 - alpha) / a0;
}

float Biquad::Process(float x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return static_cast<float>(y);
}

void Biquad::Run(Mono& signal) {
  for (float& s : signal) s = Process(s);
}

Mono WhiteNoise(Rng& rng, double seconds) {
  Mono out(Frames(seconds));
  for (float& s : out) s = static_cast<float>(rng.Bipolar());
  return out;
}

Mono BrownNoise(Rng& rng, double seconds) {
  Mono out(Frames(seconds));
  double level = 0;
  for (float& s : out) {
    level = 0.995 * level + 0.1 * rng.Bipolar();
    s = static_cast<float>(level);
  }
  return out;
}

Mono Filtered(Mono signal, Biquad filter) {
  filter.Run(signal);
  return signal;
}

void AttackDecay(Mono& signal, double attack, double decay) {
  const std::size_t a = Frames(attack);
  for (std::size_t i = 0; i < signal.size(); ++i) {
    double g;
    if (i < a) {
      g = double(i) / double(a);
    } else {
      g = std::exp(-double(i - a) / (decay * kRate));
    }
    signal[i] = static_cast<float>(signal[i] * g);
  }
}

Mono Modes(const std::vector<Mode>& modes, double seconds, double phase) {
  Mono out(Frames(seconds));
  for (const Mode& m : modes) {
    const double w = 2 * kPi * m.hz / kRate;
    const double fall = std::exp(-1.0 / (m.decay * kRate));
    double g = m.amplitude;
    for (std::size_t i = 0; i < out.size(); ++i) {
      out[i] += static_cast<float>(g * std::sin(w * double(i) + phase));
      g *= fall;
    }
  }
  return out;
}

Mono Click(Rng& rng, double hz, double q, double seconds) {
  Mono burst = WhiteNoise(rng, seconds);
  AttackDecay(burst, 0.0003, seconds / 4);
  return Filtered(std::move(burst), Biquad::BandPass(hz, q));
}

Mono Silence(double seconds) {
  return Mono(Frames(seconds));
}

namespace {

class Comb {
 public:
  Comb(std::size_t delay, double feedback, double damping)
      : buffer_(delay), feedback_(feedback), damping_(damping) {}
  float Process(float x) {
    const float out = buffer_[pos_];
    store_ = static_cast<float>(out * (1 - damping_) + store_ * damping_);
    buffer_[pos_] = static_cast<float>(x + store_ * feedback_);
    pos_ = (pos_ + 1) % buffer_.size();
    return out;
  }

 private:
  std::vector<float> buffer_;
  double feedback_;
  double damping_;
  float store_ = 0;
  std::size_t pos_ = 0;
};

class AllPass {
 public:
  explicit AllPass(std::size_t delay) : buffer_(delay) {}
  float Process(float x) {
    const float delayed = buffer_[pos_];
    const float out = -x + delayed;
    buffer_[pos_] = x + delayed * 0.5f;
    pos_ = (pos_ + 1) % buffer_.size();
    return out;
  }

 private:
  std::vector<float> buffer_;
  std::size_t pos_ = 0;
};

void RoomChannel(std::vector<float>& signal, double size, double wet, double damping,
                 std::size_t spread) {
  constexpr std::array<std::size_t, 4> kCombs = {558, 594, 638, 678};
  constexpr std::array<std::size_t, 2> kAllPasses = {278, 112};
  std::vector<Comb> combs;
  for (std::size_t d : kCombs) {
    combs.emplace_back(static_cast<std::size_t>(double(d + spread) * size), 0.78, damping);
  }
  std::vector<AllPass> passes;
  for (std::size_t d : kAllPasses) passes.emplace_back(d + spread);
  for (float& s : signal) {
    const float in = s * 0.2f;
    float r = 0;
    for (Comb& c : combs) r += c.Process(in);
    for (AllPass& a : passes) r = a.Process(r);
    s += static_cast<float>(wet * r);
  }
}

}  // namespace

void Room(Track& track, double size, double wet, double damping) {
  RoomChannel(track.left(), size, wet, damping, 0);
  RoomChannel(track.right(), size, wet, damping, 23);
}

}  // namespace soundgen
