// The settings of the game's own voice: which voice speaks, how fast and how loud. Each change is
// heard at once and lasts for the run; the settings menu then offers to keep it in the voice's
// configuration file. The adjust prompts do nothing unless the game's own voice is speaking.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "speech/prompts.h"
#include "speech/speech.h"
#include "table/user_settings.h"

namespace corvane {

// Writes SapiRate, SapiVolume and SapiVoice to the configuration file; false with the reason in
// `error` when the file could not be written (the old file then stays as it was).
using SaveVoiceFunction = std::function<bool(const UserSettings& settings, std::string& error)>;

class VoiceSettings {
 public:
  VoiceSettings(Speech& speech, Prompts& prompts, UserSettings& settings, SaveVoiceFunction save);

  // Up and Down (or J/I and K/L) step through the installed voices, each heard in its own voice;
  // Enter or Escape keeps the voice reached. The voice starts before the first (-1), so Enter at
  // once leaves -1. No voice at all is reported in a message box.
  void AdjustVoice(std::int16_t& currentVoice);
  // Up and Down change the rate one step within -10..10; Enter or Escape keeps it.
  void AdjustRate(std::int16_t& currentRate);
  // Up and Down change the volume five steps within 0..100; Enter or Escape keeps it.
  void AdjustVolume(std::int16_t& currentVolume);
  // The menu of the three adjustments, then the question whether to save them.
  void SapiSettingsMenu();

 private:
  bool VoiceSpeaking();
  // Takes the keyboard and blocks until a key is stored; returns its code.
  int NextKey();
  void SaveQuestion();

  Speech& speech_;
  Prompts& prompts_;
  UserSettings& settings_;
  SaveVoiceFunction save_;
};

}  // namespace corvane
