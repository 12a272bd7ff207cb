// The audio device under the sound engine: wave files loaded into sounds, played on channels.
// Implemented on SDL2_mixer for the desktop and virtually (recorded, timed on the host clock)
// for the script host and tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

// A loaded sound; duplicates share it.
using SoundId = int;
inline constexpr SoundId kNoSound = 0;

class AudioDevice {
 public:
  virtual ~AudioDevice() = default;

  // Opens the output; false when there is no sound device.
  virtual bool Open() = 0;
  virtual void Close() = 0;

  // Loads a wave file; kNoSound when it cannot be read.
  virtual SoundId Load(const std::string& path) = 0;
  // Releases a loaded sound once no channel uses it.
  virtual void Release(SoundId sound) = 0;

  // Channels 1..30 are the sound engine's slots.
  virtual void Play(int channel, SoundId sound, bool loop, std::uint32_t startByte) = 0;
  virtual void Stop(int channel) = 0;
  virtual bool IsPlaying(int channel) = 0;
  // Attenuation in hundredths of a decibel (0 full, -10000 silent).
  virtual void SetVolume(int channel, int hundredthsDb) = 0;
  // -10000 (left) .. 10000 (right): the other side is attenuated by that many hundredths of a dB.
  virtual void SetPan(int channel, int pan) = 0;
  // Samples per second; kept even where the device cannot change the playback speed.
  virtual void SetFrequency(int channel, int samplesPerSecond) = 0;
  virtual int Frequency(int channel) = 0;

  // The game's own voice hands its phrases over in pieces as it synthesises them: every piece
  // (mono, 16-bit) is queued behind what came before, and the end of a phrase is marked once its
  // last piece is in (a device that plays pieces as they come needs nothing there). The desktop's
  // voice synthesises on a thread of its own: a device it speaks through takes these four calls
  // from either thread.
  virtual void QueueSpeech(const std::vector<std::int16_t>& samples, int sampleRate) = 0;
  virtual void EndSpeechPhrase() {}
  // Silences the game's own voice at once and drops what is queued.
  virtual void StopSpeech() = 0;
  virtual bool SpeechPlaying() = 0;
};

}  // namespace corvane
