// An audio device for the desktop engine tests: plays nothing, keeps the speech it is given.
#pragma once

#include <cstdint>
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
  void SetPosition3D(int, int, int) override {}

  void QueueSpeech(const std::vector<std::int16_t>& samples, int sampleRate) override {
    phrases.push_back(samples);
    rate = sampleRate;
  }
  void StopSpeech() override { ++stops; }
  bool SpeechPlaying() override { return false; }

  std::vector<std::vector<std::int16_t>> phrases;
  int rate = 0;
  int stops = 0;
};

}  // namespace corvane::testing
