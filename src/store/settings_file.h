// The user's preferences on disk. "Settings.sav" holds the game settings as exactly ten bytes,
// five 16-bit little-endian signed integers: PartyVolume, TableVolume, CardLeftKey, CardRightKey
// and BotsDealersChoice (written -1 on, 0 off; any value other than 0 reads as on). "CV config.ini"
// holds the voice as one line, "rate,volume,voice" and a carriage return and line feed; "0,95,1"
// for the start-up values.
//
// A file that is missing, short, damaged or holds a value the game never sets is ignored as a
// whole: the settings keep the values they had, and the file is left as it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/data_file.h"
#include "table/user_settings.h"

namespace corvane {

inline constexpr std::size_t kSettingsFileSize = 10;

// The ten bytes of "Settings.sav".
std::string SettingsFileBytes(const UserSettings& settings);
// Takes the game settings from the bytes of "Settings.sav" when all of them are sound; otherwise
// returns false and changes nothing.
bool ParseSettingsFile(std::string_view bytes, UserSettings& settings);

// The line of "CV config.ini", its line end included.
std::string VoiceSettingsText(const UserSettings& settings);
// Takes SapiRate, SapiVolume and SapiVoice from the text of "CV config.ini" when the line is
// sound; otherwise returns false and changes nothing. Rates run from -10 to 10, volumes from 0 to
// 100, voices from -1 (none chosen) up.
bool ParseVoiceSettings(std::string_view text, UserSettings& settings);

// Reads the file at path; kRead only when it was read and sound, and only then are the settings
// changed.
FileRead LoadSettings(const std::string& path, UserSettings& settings);
FileRead LoadVoiceSettings(const std::string& path, UserSettings& settings);

// Writes the file at path, replacing it only when the new one is complete. On failure returns
// false with the system's description of the error in error.
bool SaveSettings(const std::string& path, const UserSettings& settings, std::string& error);
bool SaveVoiceSettings(const std::string& path, const UserSettings& settings, std::string& error);

}  // namespace corvane
