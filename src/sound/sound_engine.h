// The sound engine of the sound window: a table of 30 slots holding loaded sounds, reused when the
// same sound is asked for again and recycled by class when the table is full.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/audio_device.h"
#include "platform/host.h"
#include "table/random.h"

namespace corvane {

inline constexpr int kSlotCount = 30;

// PlaySound flags.
enum DSFlags : int {
  kDSNoReuse = 1,
  kDSClass3 = 2,
  kDSLoadOnly = 4,
  kDSLoop = 8,
  kDSRestart = 0x20,
  kDSClass2 = 0x40,
  kDSClass1 = 0x80,
  kDSClassMinus1 = 0x100,
  kDSNotStatic = 0x200,
  kDS3D = 0x400,
  kDSOnlyIfNotPlaying = 0x800,
};

class SoundEngine {
 public:
  // `programFolder` ends in "/"; `cosmetic` picks sound variants.
  SoundEngine(Host& host, AudioDevice& device, Random& cosmetic, std::string programFolder);

  // Opens the device; on failure shows "Unable to initialize DirectSound - sound card may not be
  // present" and ends the program.
  void DSInit();
  // Arguments are by reference as the callers rely on the clamps written back.
  void PlaySound(const std::string& file, std::int16_t& Volume, std::int32_t& Frequency,
                 std::int16_t& Pan, std::int32_t& StartPosition, std::int16_t DSFlags,
                 std::int16_t& index);
  // Convenience for callers that do not read the clamps back.
  std::int16_t PlaySound(const std::string& file, int volume = 0, int frequency = -1, int pan = 0,
                         int startPosition = 0, int flags = 0);
  bool IsPlaying(std::int16_t index);
  void StopPlay(std::int16_t index);
  void DeleteSound(std::int16_t& index);
  void SetVolume(std::int16_t index, int volume);
  void SetPan(std::int16_t index, int pan);
  void SetFrequency(std::int16_t index, std::int32_t frequency);
  std::int32_t GetFrequency(std::int16_t index);
  void ShutdownForm1();
  // One tick of the shuffling ambience; returns the next interval in milliseconds.
  int Timer1(int partyVolume);
};

}  // namespace corvane
