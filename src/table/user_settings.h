// The user's preferences: the game settings ("Settings.sav"), the voice ("CV config.ini") and the
// pace of the game ("CV pace.ini").
#pragma once

#include <cstdint>

#include "platform/key_codes.h"

namespace corvane {

// How fast the game plays: at the normal pace every pause is as long as it has always been; the
// quick pace halves them; the fastest leaves out the pauses of the deal and between hands too.
enum class Pace : std::int16_t { Normal = 0, Quick = 1, Fastest = 2 };

struct UserSettings {
  std::int16_t PartyVolume = -3000;  // background party sound, -5000..-1000
  std::int16_t TableVolume = 0;      // table sounds, -3500..0
  // The keys that move through the cards; both 0 when the arrows do not.
  std::int16_t CardLeftKey = kKeyLeft;
  std::int16_t CardRightKey = kKeyRight;
  bool BotsDealersChoice = false;
  std::int16_t SapiVoice = 1;
  std::int16_t SapiRate = 0;
  std::int16_t SapiVolume = 95;
  Pace GamePace = Pace::Normal;
};

// The settings of a player who has saved none.
inline constexpr UserSettings kDefaultUserSettings{};

}  // namespace corvane
