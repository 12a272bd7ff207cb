// Values every one of the 133,784,560 seven-card hands and compares the number of hands in each
// category with the known counts. Exits 0 when every count matches.
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "eval/evaluator.h"

int main() {
  using corvane::CardNumber;
  constexpr std::array<std::int64_t, 11> kExpected{
      0, 23294460, 58627800, 31433400, 6461620, 6180020, 4047644, 3473184, 224848, 41584, 0};
  std::array<std::int64_t, 12> counts{};
  corvane::HandSlots hand{};
  const corvane::FaceUpSlots faceUp{};
  const auto start = std::chrono::steady_clock::now();
  for (int a = 1; a <= 46; ++a) {
    hand[1] = static_cast<CardNumber>(a);
    for (int b = a + 1; b <= 47; ++b) {
      hand[2] = static_cast<CardNumber>(b);
      for (int c = b + 1; c <= 48; ++c) {
        hand[3] = static_cast<CardNumber>(c);
        for (int d = c + 1; d <= 49; ++d) {
          hand[4] = static_cast<CardNumber>(d);
          for (int e = d + 1; e <= 50; ++e) {
            hand[5] = static_cast<CardNumber>(e);
            for (int f = e + 1; f <= 51; ++f) {
              hand[6] = static_cast<CardNumber>(f);
              for (int g = f + 1; g <= 52; ++g) {
                hand[7] = static_cast<CardNumber>(g);
                const int category = corvane::EvaluateHandValue(hand, faceUp, false) / 1000000;
                ++counts[static_cast<std::size_t>(category < 0 || category > 10 ? 11 : category)];
              }
            }
          }
        }
      }
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::int64_t total = 0;
  bool ok = counts[0] == 0 && counts[11] == 0;
  for (std::size_t k = 1; k <= 10; ++k) {
    std::printf("category %2zu: %10lld (expected %10lld)%s\n", k, static_cast<long long>(counts[k]),
                static_cast<long long>(kExpected[k]),
                counts[k] == kExpected[k] ? "" : "  MISMATCH");
    ok = ok && counts[k] == kExpected[k];
    total += counts[k];
  }
  std::printf("hands: %lld in %.2f s (%.1f ns a hand)\n", static_cast<long long>(total), seconds,
              seconds * 1e9 / static_cast<double>(total));
  ok = ok && total == 133784560;
  std::puts(ok ? "all category counts match" : "category counts differ");
  return ok ? 0 : 1;
}
