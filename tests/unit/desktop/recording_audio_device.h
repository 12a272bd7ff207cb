// An audio device for the desktop engine tests: plays nothing, keeps the speech it is given,
// phrase by phrase, whichever thread hands it over.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio_device.h"

namespace corvane::testing {

class RecordingAudioDevice : public AudioDevice {
 public:
  bool Open() override { return true; }
  void Close() override {}
  SoundId Load(const std::string&) override { return kNoSound; }
  void Release(SoundId) override {}
  void Play(int, SoundId, bool, std::uint32_t) override {}
  void Stop(int) override {}
  bool IsPlaying(int) override { return false; }
  void SetVolume(int, int) override {}
  void SetPan(int, int) override {}
  void SetFrequency(int, int) override {}
  int Frequency(int) override { return 0; }

  void QueueSpeech(const std::vector<std::int16_t>& samples, int sampleRate) override {
    std::lock_guard<std::mutex> guard(lock_);
    arriving_.insert(arriving_.end(), samples.begin(), samples.end());
    rate_ = sampleRate;
    ++pieces_;
    changed_.notify_all();
  }
  void EndSpeechPhrase() override {
    std::lock_guard<std::mutex> guard(lock_);
    phrases_.push_back(std::move(arriving_));
    arriving_.clear();
    changed_.notify_all();
  }
  void StopSpeech() override {
    std::lock_guard<std::mutex> guard(lock_);
    arriving_.clear();
    ++stops_;
    piecesAtStop_ = pieces_;
  }
  bool SpeechPlaying() override { return false; }

  // The complete phrases, once `count` of them have come (fewer after 10 seconds).
  std::vector<std::vector<std::int16_t>> Phrases(std::size_t count) {
    std::unique_lock<std::mutex> guard(lock_);
    changed_.wait_for(guard, std::chrono::seconds(10), [&] { return phrases_.size() >= count; });
    return phrases_;
  }
  // Waits for the first piece of speech; false after 10 seconds without one.
  bool WaitForSpeech() {
    std::unique_lock<std::mutex> guard(lock_);
    return changed_.wait_for(guard, std::chrono::seconds(10), [&] { return pieces_ > 0; });
  }
  int Rate() {
    std::lock_guard<std::mutex> guard(lock_);
    return rate_;
  }
  int Stops() {
    std::lock_guard<std::mutex> guard(lock_);
    return stops_;
  }
  // Pieces handed over after the last StopSpeech.
  int PiecesSinceStop() {
    std::lock_guard<std::mutex> guard(lock_);
    return pieces_ - piecesAtStop_;
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::vector<std::int16_t> arriving_;
  std::vector<std::vector<std::int16_t>> phrases_;
  int rate_ = 0;
  int pieces_ = 0;
  int piecesAtStop_ = 0;
  int stops_ = 0;
};

}  // namespace corvane::testing
