// The evaluator on random seven-card hands: the value alone, the value with its description, and
// the best hand with one, two and three wild slots; and the building of its lookup tables.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "eval/evaluator.h"
#include "eval/hand_tables.h"
#include "eval/straight_windows.h"

namespace corvane {
namespace {

constexpr std::size_t kHands = 1 << 14;

struct Deal {
  HandSlots hand{};
  WildList wilds{};
};

// Random seven-card hands; the first `wildSlots` cards of each are wild (in random slots).
std::vector<Deal> Deals(int wildSlots, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<Deal> deals(kHands);
  std::array<CardNumber, 52> deck{};
  for (int i = 0; i < 52; ++i) deck[static_cast<std::size_t>(i)] = static_cast<CardNumber>(i + 1);
  for (Deal& d : deals) {
    std::shuffle(deck.begin(), deck.end(), rng);
    for (std::size_t s = 1; s <= 7; ++s) d.hand[s] = deck[s - 1];
    std::array<std::size_t, 7> slots{1, 2, 3, 4, 5, 6, 7};
    std::shuffle(slots.begin(), slots.end(), rng);
    for (int w = 0; w < wildSlots; ++w) {
      d.wilds[static_cast<std::size_t>(w + 1)] = d.hand[slots[static_cast<std::size_t>(w)]];
    }
  }
  return deals;
}

void BM_EvaluateHandValue(benchmark::State& state) {
  const auto deals = Deals(0, 1);
  const FaceUpSlots faceUp{};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(EvaluateHandValue(deals[i].hand, faceUp, false));
    i = (i + 1) & (kHands - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateHandValue);

// The same hands, each chosen by the value before it: the time of one evaluation whose result is
// waited for, rather than of many that overlap.
void BM_EvaluateHandValueChained(benchmark::State& state) {
  const auto deals = Deals(0, 1);
  const FaceUpSlots faceUp{};
  std::size_t i = 0;
  for (auto _ : state) {
    const HandValue value = EvaluateHandValue(deals[i].hand, faceUp, false);
    i = (i + 1 + static_cast<std::size_t>(value & 1)) & (kHands - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateHandValueChained);

void BM_EvaluateHandDescribed(benchmark::State& state) {
  const auto deals = Deals(0, 2);
  const FaceUpSlots faceUp{};
  std::string description;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        EvaluateHand(deals[i].hand, faceUp, false, static_cast<int>(state.range(0)), description));
    benchmark::DoNotOptimize(description.data());
    i = (i + 1) & (kHands - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateHandDescribed)->Arg(0)->Arg(kKickerClause);

void BM_BestHandWithWilds(benchmark::State& state) {
  const auto deals = Deals(static_cast<int>(state.range(0)), 3);
  const FaceUpSlots faceUp{};
  std::string description;
  HandSlots best{};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        BestHandWithWilds(deals[i].hand, faceUp, false, deals[i].wilds, description, &best));
    i = (i + 1) & (kHands - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BestHandWithWilds)->Arg(1)->Arg(2)->Arg(3);

// The tables are built once, on first use; this is the cost of that first use.
void BM_BuildTables(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    const HandTables tables;
    const StraightWindows windows;
    bytes = tables.TableBytes();
    benchmark::DoNotOptimize(&tables);
    benchmark::DoNotOptimize(&windows);
  }
  state.counters["table_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildTables)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
