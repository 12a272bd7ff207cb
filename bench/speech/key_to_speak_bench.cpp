// The answer to a key press: a key event handed to a waiting menu, through the keyboard hand-off,
// to the phrase spoken for it, on the script host with the recording engines. Measured per key
// over a long run of arrow keys.
#include <benchmark/benchmark.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/recording_speech.h"
#include "platform/script_host.h"
#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"

namespace corvane {
namespace {

constexpr int kKeysPerRun = 1000;

// One run's host, speech and prompts; the transcript is thrown away.
struct Run {
  explicit Run(const Script& script) : host(script, discarded, discarded, false) {
    speech.TTSSetup(1);
  }
  std::ostream discarded{nullptr};
  ScriptHost host;
  RecordingSpeech engines;
  Keyboard keyboard{host};
  Speech speech{host, engines};
  Prompts prompts{keyboard, speech};
};

void BM_MenuKeyToSpeak(benchmark::State& state) {
  std::string keys = "key";
  for (int i = 0; i < kKeysPerRun; ++i) keys += i % 2 == 0 ? " Down" : " Up";
  const Script script = ParseScriptText(keys + "\n");
  std::vector<std::string> items{"", "Check", "Raise", "All-In 500", "Fold"};
  std::vector<std::string> letters{"", "C", "R", "I", "F"};
  std::optional<Run> run;
  for (auto _ : state) {
    state.PauseTiming();
    run.emplace(script);
    state.ResumeTiming();
    try {
      run->prompts.Menu("What would you like to do?", items, letters, 4, 1, 0, false);
    } catch (const EndProgram&) {
      // The keys ran out: the run is over.
    }
  }
  state.SetItemsProcessed(state.iterations() * kKeysPerRun);
}
BENCHMARK(BM_MenuKeyToSpeak)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
