// The audio device of the script host, of the desktop without sound (--no-sound) and of the tests:
// plays nothing, records the latest sounds started and knows each sound's length from its file, so
// that a sound "plays" on the host's clock until its last sample (a looping sound until it is
// stopped). It needs no sound card. It holds only the sounds the sound engine has loaded and the
// latest plays, so a long table does not make it grow.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/audio_device.h"
#include "platform/wave_file.h"

namespace corvane {

class VirtualAudioDevice : public AudioDevice {
 public:
  // How many of the latest plays are kept: more than the fifty coins of the biggest chip sound.
  static constexpr std::size_t kKeptPlays = 64;

  // `clock` gives the host's seconds.
  explicit VirtualAudioDevice(std::function<double()> clock);

  // One sound started on a channel, with the channel's settings at that moment.
  struct Play {
    int channel = 0;
    std::string path;  // as loaded
    std::string name;  // the file name without its folder
    int volume = 0;
    int pan = 0;
    int frequency = 0;  // 0: the file's own rate
    bool loop = false;
    std::uint32_t startByte = 0;
    double at = 0;
  };

  bool Open() override;
  void Close() override;
  SoundId Load(const std::string& path) override;
  void Release(SoundId sound) override;
  void Play(int channel, SoundId sound, bool loop, std::uint32_t startByte) override;
  void Stop(int channel) override;
  bool IsPlaying(int channel) override;
  void SetVolume(int channel, int hundredthsDb) override;
  void SetPan(int channel, int pan) override;
  void SetFrequency(int channel, int samplesPerSecond) override;
  int Frequency(int channel) override;
  void QueueSpeech(const std::vector<std::int16_t>& samples, int sampleRate) override;
  void StopSpeech() override;
  bool SpeechPlaying() override;

  // What tests and the script host look at.
  void FailOpen(bool fail) { failOpen_ = fail; }  // Open() then reports no sound device
  bool IsOpen() const { return open_; }
  // The latest plays (at most kKeptPlays), oldest first.
  const std::deque<struct Play>& Plays() const { return plays_; }
  void ClearPlays() { plays_.clear(); }
  int LoadCount() const { return loads_; }                               // files read so far
  int LoadedSounds() const { return static_cast<int>(sounds_.size()); }  // not yet released

 private:
  struct Channel {
    SoundId sound = kNoSound;
    bool playing = false;
    bool loop = false;
    double endsAt = 0;
    int volume = 0;
    int pan = 0;
    int frequency = 0;
  };
  Channel& At(int channel);
  const Channel* Find(int channel) const;

  std::function<double()> clock_;
  bool failOpen_ = false;
  bool open_ = false;
  int loads_ = 0;
  SoundId nextId_ = 1;
  struct Sound {
    std::string path;
    WaveFormat format;
  };
  std::map<SoundId, Sound> sounds_;
  std::map<int, Channel> channels_;
  std::deque<struct Play> plays_;
  double speechEndsAt_ = 0;
};

}  // namespace corvane
