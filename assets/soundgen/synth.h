// The building blocks of our card-room sounds: a seeded noise source, filters, resonators, a small
// room reverb and a stereo track to mix into. Everything runs at 22,050 samples per second.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace soundgen {

inline constexpr int kRate = 22050;
inline constexpr double kPi = 3.14159265358979323846;

// A small, fast generator with a fixed seed, so that every build writes the same files.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next();
  double Uniform();                      // [0, 1)
  double Uniform(double lo, double hi);  // [lo, hi)
  double Bipolar() { return Uniform(-1.0, 1.0); }
  double Normal();

 private:
  std::uint64_t state_;
};

using Mono = std::vector<float>;

std::size_t Frames(double seconds);

// A stereo track; sounds are mixed into it at a time and a place (-1 left .. 1 right).
class Track {
 public:
  explicit Track(double seconds) : left_(Frames(seconds)), right_(Frames(seconds)) {}
  std::size_t size() const { return left_.size(); }
  std::vector<float>& left() { return left_; }
  std::vector<float>& right() { return right_; }
  const std::vector<float>& left() const { return left_; }
  const std::vector<float>& right() const { return right_; }

  // Mixes a mono sound in at `seconds`, constant-power panned; what runs past the end is cut.
  void Add(const Mono& sound, double seconds, double gain, double pan);
  // Mixes another track in at `seconds`.
  void Add(const Track& other, double seconds, double gain);
  float Peak() const;
  void Scale(double factor);
  // Scales so that the loudest sample reaches `peak` (of full scale).
  void Normalize(double peak);
  // Scales so that the root-mean-square level is `rms` (of full scale).
  void NormalizeRms(double rms);
  // Rounds off peaks smoothly so that nothing goes beyond `ceiling`.
  void SoftLimit(double ceiling);
  void FadeIn(double seconds);
  void FadeOut(double seconds);

 private:
  std::vector<float> left_;
  std::vector<float> right_;
};

// A two-pole filter (the usual audio cookbook forms).
class Biquad {
 public:
  static Biquad LowPass(double hz, double q);
  static Biquad HighPass(double hz, double q);
  static Biquad BandPass(double hz, double q);  // peak gain 1
  float Process(float x);
  void Retune(double hz);  // same kind and q, new frequency
  void Run(Mono& signal);

 private:
  enum class Kind { Low, High, Band };
  Biquad(Kind kind, double hz, double q);
  Kind kind_;
  double q_;
  double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

Mono WhiteNoise(Rng& rng, double seconds);
Mono BrownNoise(Rng& rng, double seconds);
Mono Filtered(Mono signal, Biquad filter);

// Shapes a signal: a linear attack then an exponential decay (time constant `decay`).
void AttackDecay(Mono& signal, double attack, double decay);

// A struck body: a sum of decaying sine modes.
struct Mode {
  double hz;
  double decay;  // seconds to fall to 1/e
  double amplitude;
};
Mono Modes(const std::vector<Mode>& modes, double seconds, double phase = 0);

// A short click of noise through a band, the attack of every tap and chip.
Mono Click(Rng& rng, double hz, double q, double seconds);

// Silence of a given length.
Mono Silence(double seconds);

// A small room: combs and all-passes (Schroeder), wet signal added to the track.
void Room(Track& track, double size, double wet, double damping);

}  // namespace soundgen
