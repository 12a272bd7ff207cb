// What the command keys ask of the program around the table: help, the voice settings, the last
// hand read again and the user's statistics.
#pragma once

namespace corvane {

class CommandServices {
 public:
  virtual ~CommandServices() = default;
  // F2 (0, the game) and Shift-F2 (1, the keys).
  virtual void ReadHelp(int kind) = 0;
  // O in the game's own voice.
  virtual void VoiceSettingsMenu() = 0;
  // V: the last hand, or the hand so far, read again.
  virtual void ReadLastHand() = 0;
  // G: the user's statistics.
  virtual void SpeakStatistics() = 0;
  // T: a line typed for everyone at the table to hear.
  virtual void Talk() = 0;
};

}  // namespace corvane
