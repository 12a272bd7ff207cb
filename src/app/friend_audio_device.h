// A friend's sound device, on the hosting machine: the host's sound engine for the friend's seat
// plays through it, and every call is passed on to the friend's program, which plays the same
// files from its own folder. Whether a sound still plays is answered here, from the sound's length
// on the host's clock, so the table never waits on the network.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "app/friend_output.h"
#include "platform/virtual_audio_device.h"

namespace corvane {

class FriendAudioDevice : public AudioDevice {
 public:
  FriendAudioDevice(std::function<double()> clock, FriendOutput& output)
      : timing_(std::move(clock)), output_(output) {}

  // The friend's program is new (a rejoin): it is told again of every sound loaded for it.
  void SendLoadedSounds();

  bool Open() override { return timing_.Open(); }
  void Close() override { timing_.Close(); }
  SoundId Load(const std::string& path) override;
  void Release(SoundId sound) override;
  void Play(int channel, SoundId sound, bool loop, std::uint32_t startByte) override;
  void Stop(int channel) override;
  bool IsPlaying(int channel) override { return timing_.IsPlaying(channel); }
  void SetVolume(int channel, int hundredthsDb) override;
  void SetPan(int channel, int pan) override;
  void SetFrequency(int channel, int samplesPerSecond) override {
    timing_.SetFrequency(channel, samplesPerSecond);
  }
  int Frequency(int channel) override { return timing_.Frequency(channel); }
  // The friend's speech is their program's: nothing of it plays here.
  void QueueSpeech(const std::vector<std::int16_t>& /*samples*/, int /*rate*/) override {}
  void StopSpeech() override {}
  bool SpeechPlaying() override { return false; }

 private:
  VirtualAudioDevice timing_;
  FriendOutput& output_;
  std::map<SoundId, std::string> files_;  // the sounds loaded, by the file's plain name
};

}  // namespace corvane
