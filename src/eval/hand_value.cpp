#include "eval/evaluator.h"
#include "eval/hand_ranking.h"

namespace corvane {

HandValue MakeHandValue(int category, int r1, int r2, int r3, int r4, int r5) {
  const auto high = [](int r) { return r == 1 ? 14 : r; };
  return ValueOfTies(category, high(r1), high(r2), high(r3), high(r4), high(r5));
}

int HandCategory(HandValue value) {
  // (value - 500,000) / 1,000,000 rounded to the nearest whole number, halves to even.
  const std::int64_t n = static_cast<std::int64_t>(value) - 500000;
  std::int64_t q = n / 1000000;
  std::int64_t r = n % 1000000;
  if (r < 0) {
    r += 1000000;
    --q;
  }
  if (r > 500000 || (r == 500000 && q % 2 != 0)) ++q;
  return static_cast<int>(q);
}

}  // namespace corvane
