// Every conversion of a fraction to a whole number rounds to the nearest, halves to even.
#pragma once

#include <cmath>
#include <cstdint>

namespace corvane {

inline std::int64_t RoundHalfEven(double x) {
  const double floor = std::floor(x);
  const double diff = x - floor;
  if (diff > 0.5) return static_cast<std::int64_t>(floor) + 1;
  if (diff < 0.5) return static_cast<std::int64_t>(floor);
  const auto f = static_cast<std::int64_t>(floor);
  return (f % 2 == 0) ? f : f + 1;
}

}  // namespace corvane
