// A random stream. The application owns two: one for the game (shuffles, bots, first dealer,
// attributes) and one for cosmetics (sound variants, the shuffling ambience), both seeded from the
// clock or from --seed, so a change to the sounds never changes the cards a seed deals.
#pragma once

#include <cstdint>
#include <random>

namespace corvane {

class Random {
 public:
  explicit Random(std::uint64_t seed) : engine_(seed) {}
  void Seed(std::uint64_t seed) { engine_.seed(seed); }
  // A value in [0, 1), as Rnd.
  double Rnd() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }
  // A whole number in [low, high].
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

 private:
  std::mt19937_64 engine_;
};

}  // namespace corvane
