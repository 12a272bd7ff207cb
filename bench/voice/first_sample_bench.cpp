// The game's own voice: the time from speak to the first sample handed to the audio device, for a
// short and a long phrase, on the real espeak-ng voice and the SDL audio device. SDL's dummy
// driver is used unless SDL_AUDIODRIVER names another. Each run purges what the phrase left.
//
// "speak_returned_us" is how long speak kept the game from answering keys, in microseconds.
#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/espeak_voice.h"
#include "platform/desktop/sdl_audio_device.h"

namespace corvane {
namespace {

using Clock = std::chrono::steady_clock;

// 20 characters: a main menu item.
constexpr std::string_view kShortPhrase = "Start a New Table, T";
// 400 characters: Seven Card Stud's description, as F2 reads it, and one sentence more.
constexpr std::string_view kLongPhrase =
    "Seven Card Stud is the most common form of stud poker. Each player pays an ante to the pot,  "
    "and are delt seven cards, two face-down, four dealt face up, and the final card dealt "
    "face-down. There is betting after every face up card dealt, and a final betting round after "
    "the last face down card. The player selects five cards of his seven cards to make their best "
    "poker hand. The best hands win pots.";

// The SDL device, noting when the first speech samples of a phrase reach it (from whichever
// thread hands them over).
class StampedDevice : public SdlAudioDevice {
 public:
  void QueueSpeech(const std::vector<std::int16_t>& samples, int sampleRate) override {
    SdlAudioDevice::QueueSpeech(samples, sampleRate);
    const Clock::time_point now = Clock::now();
    std::lock_guard<std::mutex> guard(lock_);
    if (!firstSamples_) firstSamples_ = now;
    arrived_.notify_all();
  }
  void Reset() {
    std::lock_guard<std::mutex> guard(lock_);
    firstSamples_.reset();
  }
  // When the first samples since Reset arrived; nothing after a second without them.
  std::optional<Clock::time_point> FirstSamples() {
    std::unique_lock<std::mutex> guard(lock_);
    arrived_.wait_for(guard, std::chrono::seconds(1), [this] { return firstSamples_.has_value(); });
    return firstSamples_;
  }

 private:
  std::mutex lock_;
  std::condition_variable arrived_;
  std::optional<Clock::time_point> firstSamples_;
};

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

void BM_SpeakToFirstSample(benchmark::State& state, std::string_view phrase) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  StampedDevice device;
  if (!device.Open()) {
    state.SkipWithError("the audio device did not open");
    return;
  }
  std::string error;
  std::unique_ptr<Voice> voice = StartEspeakVoice(device, error);
  if (!voice) {
    state.SkipWithError(error.c_str());
    return;
  }
  double returned = 0;
  for (auto _ : state) {
    device.Reset();
    const Clock::time_point start = Clock::now();
    voice->Speak(phrase);
    const Clock::time_point back = Clock::now();
    const std::optional<Clock::time_point> first = device.FirstSamples();
    voice->Purge();
    if (!first) {
      state.SkipWithError("no samples reached the audio device");
      return;
    }
    state.SetIterationTime(Milliseconds(start, *first) / 1000.0);
    returned += Milliseconds(start, back) * 1000.0;
  }
  state.counters["chars"] = static_cast<double>(phrase.size());
  state.counters["speak_returned_us"] =
      benchmark::Counter(returned, benchmark::Counter::kAvgIterations);
  device.Close();
}
BENCHMARK_CAPTURE(BM_SpeakToFirstSample, short_phrase, kShortPhrase)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SpeakToFirstSample, long_phrase, kLongPhrase)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
