// The user's preferences: the game settings ("Settings.sav") and the voice ("CV config.ini").
#pragma once

#include <cstdint>

namespace corvane {

struct UserSettings {
  std::int16_t PartyVolume = -3000;  // background party sound, -5000..-1000
  std::int16_t TableVolume = 0;      // table sounds, -3500..0
  std::int16_t CardLeftKey = 37;     // 0 when the arrows do not move through the cards
  std::int16_t CardRightKey = 39;
  bool BotsDealersChoice = false;
  std::int16_t SapiVoice = 1;
  std::int16_t SapiRate = 0;
  std::int16_t SapiVolume = 95;
};

}  // namespace corvane
