// The sound engine of the sound window: a table of 30 slots holding loaded sounds, reused when the
// same sound is asked for again and recycled by class when the table is full. Each file is read
// once: its decoded sound stays loaded for the run, shared by every slot that plays it, so a slot
// recycled and filled with the same sound again costs no reading.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "platform/audio_device.h"
#include "platform/host.h"
#include "sound/folder_index.h"
#include "table/random.h"
#include "table/user_settings.h"

namespace corvane {

inline constexpr int kSlotCount = 30;
// The shuffling ambience of the card room plays again after a random interval in this range, in
// milliseconds.
inline constexpr int kShortestShuffleInterval = 1;
inline constexpr int kLongestShuffleInterval = 10000;

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
  kDS3D = 0x400,  // a 3D buffer: the game places its sounds by pan, so this flag is ignored
  kDSOnlyIfNotPlaying = 0x800,
};

class SoundEngine {
 public:
  // `programFolder` ends in "/"; `cosmetic` picks sound variants.
  SoundEngine(PersonOutput& host, AudioDevice& device, Random& cosmetic, std::string programFolder);

  // Opens the device; on failure says so in a message box, with the way out (--no-sound), and
  // ends the program.
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
  void ShutdownForm1();
  // One tick of the shuffling ambience; returns the next interval in milliseconds.
  int Timer1(int partyVolume);

  // Loads `file` (a name without wildcard) into slot `index`; ok is 1 on success, else 0 after the
  // "Error opening file " message.
  void OpenSound(std::int16_t index, const std::string& file, std::int16_t& ok);

  // The slot table as it stands.
  const std::string& SoundName(int slot) const { return slots_.at(slot).SoundName; }
  int SlotClass(int slot) const { return slots_.at(slot).SlotClass; }
  bool HasBuffer(int slot) const { return slots_.at(slot).sound != kNoSound; }

  std::int16_t SlotCount = 0;    // slots in use (30 after DSInit)
  std::int16_t CurrentSlot = 0;  // the slot the last PlaySound used or loaded
  bool FrequencyControl = true;  // PlaySound honours a frequency
  bool SoftwareBuffers = false;  // the mixer has no hardware buffers: kept for callers that read it

 private:
  static constexpr int kMaxSlots = 100;
  struct Slot {
    std::string SoundName;  // in capitals; empty when free
    SoundId sound = kNoSound;
    std::int16_t SlotClass = 0;
  };

  bool ValidSlot(int index) const { return index >= 1 && index <= kMaxSlots; }
  // The wildcard step: false (after the message) when the name is malformed.
  bool SubstituteWildcard(const std::string& file, std::string& name);
  // Starts the slot's sound after the volume, pan, frequency and position are set.
  bool StartSlot(int slot, std::int16_t& Volume, std::int32_t Frequency, std::int16_t Pan,
                 std::int32_t& StartPosition, std::int16_t DSFlags, const std::string& played);
  // The sound of the file at `path`, read the first time it is asked for; kNoSound when it
  // cannot be read (tried again the next time).
  SoundId LoadOnce(const std::string& path);

  PersonOutput& host_;
  AudioDevice& device_;
  Random& cosmetic_;
  FolderIndex programFiles_;  // the sound files
  std::array<Slot, kMaxSlots + 1> slots_{};
  std::map<std::string, SoundId> loaded_;  // by path: at most the program folder's sound files
};

// The one sound in the background: the music of the start and of the main menu, the party at the
// table. It has one owner, which holds its handle.
class BackgroundSound {
 public:
  explicit BackgroundSound(SoundEngine& sound) : sound_(sound) {}

  // Starts `file` as the background (the sound before it is left to end by itself).
  void Start(const std::string& file, int volume = 0, int flags = 0);
  // Stops the background and starts `file` in its place.
  void Replace(const std::string& file, int volume = 0, int flags = 0);
  void Stop();
  void SetVolume(int volume);
  // Moves the party volume by `step`, within its range, and applies it to the background.
  void ChangePartyVolume(UserSettings& settings, int step);

 private:
  SoundEngine& sound_;
  std::int16_t handle_ = 0;
};

}  // namespace corvane
