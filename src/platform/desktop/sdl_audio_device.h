// The audio device of the desktop program, on SDL2_mixer: mixer channels 1..30 are the sound
// engine's slots and one more channel carries the game's own voice. A loaded sound is a mixer
// chunk that duplicates share. The output is always 22,050 Hz 16-bit stereo, the format of our
// sounds and of espeak-ng (SDL converts for a sound card that wants another), so the voice's
// pieces are converted one by one without a seam.
//
// Every channel plays at full mixer volume through an effect of our own that hands its samples, at
// the exact linear gains of its volume and pan (a pan attenuates the other side by as many
// hundredths of a decibel), to a sum in floating point; after the mixer's own pass the sum is
// limited into the output (MixBus, PeakLimiter). So the quietest volume steps are as fine as the
// loud ones, and many sounds at once never clip. SDL_mixer cannot change a channel's playback
// speed: a frequency is kept and reported back, but the sound plays at its own rate.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/attenuation.h"
#include "platform/audio_device.h"
#include "platform/mix_bus.h"

struct Mix_Chunk;

namespace corvane {

class SdlAudioDevice : public AudioDevice {
 public:
  SdlAudioDevice();
  ~SdlAudioDevice() override;
  SdlAudioDevice(const SdlAudioDevice&) = delete;
  SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

  // Opens 22,050 Hz 16-bit stereo on SDL's default output (SDL_AUDIODRIVER chooses another).
  bool Open() override;
  void Close() override;
  SoundId Load(const std::string& path) override;
  void Release(SoundId sound) override;
  // `startByte` counts in the engine's buffer format, 4 bytes a sample frame at 22,050 Hz.
  void Play(int channel, SoundId sound, bool loop, std::uint32_t startByte) override;
  void Stop(int channel) override;
  bool IsPlaying(int channel) override;
  void SetVolume(int channel, int hundredthsDb) override;
  void SetPan(int channel, int pan) override;
  void SetFrequency(int channel, int samplesPerSecond) override;
  int Frequency(int channel) override;
  void QueueSpeech(const std::vector<std::int16_t>& samples, int sampleRate) override;
  void EndSpeechPhrase() override;
  void StopSpeech() override;
  bool SpeechPlaying() override;

  // The output as opened (it may differ from what was asked for).
  int OutputRate() const { return rate_; }
  int OutputChannels() const { return outputChannels_; }

 private:
  static constexpr int kSlots = 30;
  static constexpr int kSpeechChannel = kSlots + 1;
  static constexpr int kMixerChannels = kSpeechChannel + 1;

  struct Channel {
    SoundId sound = kNoSound;
    Mix_Chunk* slice = nullptr;  // the part of the sound after a start position
    int volume = 0;
    int pan = 0;
    int frequency = 0;
  };
  // The game's voice, shared with the mixer's thread and the voice's own.
  struct SpeechQueue;
  // What the mixer's thread mixes with: the sum of a period and each channel's gains, which the
  // game's thread sets while a sound plays.
  struct Mixing {
    explicit Mixing(int rate) : bus(rate, kMixerChannels) {}
    MixBus bus;
    std::array<std::atomic<float>, kMixerChannels> left{};
    std::array<std::atomic<float>, kMixerChannels> right{};
  };

  static bool ValidChannel(int channel) { return channel >= 1 && channel <= kSlots; }
  void FreeSlice(Channel& c);
  void ApplyGain(int channel);
  // The mixer's thread: a channel's samples into the sum, the voice's likewise, the sum limited.
  static void ChannelEffect(int channel, void* stream, int length, void* data);
  static void SpeechEffect(int channel, void* stream, int length, void* data);
  static void LimitMix(void* data, std::uint8_t* stream, int length);

  bool open_ = false;
  int rate_ = 0;
  int outputChannels_ = 0;
  std::uint16_t format_ = 0;
  int frameBytes_ = 0;
  SoundId nextId_ = 1;
  std::map<SoundId, Mix_Chunk*> sounds_;
  std::array<Channel, kMixerChannels> channels_{};
  std::unique_ptr<SpeechQueue> speech_;
  std::unique_ptr<Mixing> mixing_;  // while the output is open
  std::vector<std::uint8_t> silence_;
  Mix_Chunk* silenceChunk_ = nullptr;
};

}  // namespace corvane
