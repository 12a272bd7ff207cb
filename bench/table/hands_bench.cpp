// Headless hands per second: each bench table of `corvane --bench` (every built-in game, the stock
// games and the bots' dealer's choice) played whole by the same table runner, one benchmark per
// table. items_per_second is hands per second.
#include <benchmark/benchmark.h>

#include <string>

#include "app/bench_table_run.h"
#include "app/bench_tables.h"

namespace corvane {
namespace {

void PlayTable(benchmark::State& state, const BenchTable& table) {
  std::int64_t hands = 0;
  for (auto _ : state) {
    TranscriptSignature signature;
    const BenchTableRun run = PlayBenchTable(table, signature);
    if (run.status != 0) {
      state.SkipWithError(run.error.c_str());
      return;
    }
    hands += run.hands;
  }
  state.SetItemsProcessed(hands);
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  for (const corvane::BenchTable& table : corvane::BenchTables()) {
    benchmark::RegisterBenchmark(("Hands/" + std::string(table.name)).c_str(), corvane::PlayTable,
                                 table)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
