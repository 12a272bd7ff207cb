// The answer to a key press: a key event handed to a waiting menu, through the keyboard hand-off,
// to the phrase spoken for it. Measured per key over a long run of arrow keys.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"
#include "support/fake_host.h"
#include "support/fake_speech_engines.h"

namespace corvane {
namespace {

void BM_MenuKeyToSpeak(benchmark::State& state) {
  constexpr int kKeysPerRun = 1000;
  testing::FakeHost host;
  testing::FakeSpeechEngineFactory engines;
  Keyboard keyboard(host);
  Speech speech(host, engines);
  speech.TTSSetup(1);
  Prompts prompts(keyboard, speech);
  std::vector<std::string> items{"", "Check", "Raise", "All-In 500", "Fold"};
  std::vector<std::string> keys{"", "C", "R", "I", "F"};
  for (auto _ : state) {
    state.PauseTiming();
    host.spoken.clear();
    for (int i = 0; i < kKeysPerRun; ++i) host.Key(i % 2 == 0 ? kKeyDown : kKeyUp);
    state.ResumeTiming();
    try {
      prompts.Menu("What would you like to do?", items, keys, 4, 1, 0, false);
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
