#include "store/settings_file.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "store/atomic_file.h"
#include "store/byte_fields.h"

namespace corvane {

namespace {

constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

// The ranges the game's own keys and questions keep the settings in.
constexpr int kPartyVolumeLowest = -5000;
constexpr int kPartyVolumeHighest = -1000;
constexpr int kTableVolumeLowest = -3500;
constexpr int kTableVolumeHighest = 0;
constexpr std::int16_t kLeftArrow = 37;
constexpr std::int16_t kRightArrow = 39;
constexpr int kRateLowest = -10;
constexpr int kRateHighest = 10;
constexpr int kVolumeLowest = 0;
constexpr int kVolumeHighest = 100;
constexpr int kVoiceLowest = -1;
constexpr int kVoiceHighest = 32767;

bool Within(int value, int lowest, int highest) {
  return value >= lowest && value <= highest;
}

// One decimal integer, with blanks allowed round it.
bool ParseField(std::string_view field, int& value) {
  const auto first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  const auto last = field.find_last_not_of(' ');
  field = field.substr(first, last - first + 1);
  const char* end = field.data() + field.size();
  const auto [ptr, ec] = std::from_chars(field.data(), end, value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

std::string SettingsFileBytes(const UserSettings& settings) {
  ByteWriter out;
  out.Int16(settings.PartyVolume);
  out.Int16(settings.TableVolume);
  out.Int16(settings.CardLeftKey);
  out.Int16(settings.CardRightKey);
  out.Int16(settings.BotsDealersChoice ? kTrue : kFalse);
  return out.bytes();
}

bool ParseSettingsFile(std::string_view bytes, UserSettings& settings) {
  if (bytes.size() != kSettingsFileSize) return false;
  ByteReader in(bytes);
  std::int16_t party = 0, table = 0, left = 0, right = 0, dealers_choice = 0;
  if (!in.Int16(party) || !in.Int16(table) || !in.Int16(left) || !in.Int16(right) ||
      !in.Int16(dealers_choice)) {
    return false;
  }
  if (!Within(party, kPartyVolumeLowest, kPartyVolumeHighest)) return false;
  if (!Within(table, kTableVolumeLowest, kTableVolumeHighest)) return false;
  if (left != 0 && left != kLeftArrow) return false;
  if (right != 0 && right != kRightArrow) return false;
  settings.PartyVolume = party;
  settings.TableVolume = table;
  settings.CardLeftKey = left;
  settings.CardRightKey = right;
  settings.BotsDealersChoice = dealers_choice != kFalse;
  return true;
}

std::string VoiceSettingsText(const UserSettings& settings) {
  return std::to_string(settings.SapiRate) + "," + std::to_string(settings.SapiVolume) + "," +
         std::to_string(settings.SapiVoice) + "\r\n";
}

bool ParseVoiceSettings(std::string_view text, UserSettings& settings) {
  // One line; its line end may be CR LF, a lone LF or missing.
  if (text.ends_with("\r\n")) {
    text.remove_suffix(2);
  } else if (text.ends_with('\n')) {
    text.remove_suffix(1);
  }
  if (text.find_first_of("\r\n") != std::string_view::npos) return false;

  std::array<int, 3> values{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto comma = text.find(',');
    const bool last = i + 1 == values.size();
    if (last != (comma == std::string_view::npos)) return false;
    if (!ParseField(last ? text : text.substr(0, comma), values[i])) return false;
    if (!last) text.remove_prefix(comma + 1);
  }
  const auto [rate, volume, voice] = values;
  if (!Within(rate, kRateLowest, kRateHighest)) return false;
  if (!Within(volume, kVolumeLowest, kVolumeHighest)) return false;
  if (!Within(voice, kVoiceLowest, kVoiceHighest)) return false;
  settings.SapiRate = static_cast<std::int16_t>(rate);
  settings.SapiVolume = static_cast<std::int16_t>(volume);
  settings.SapiVoice = static_cast<std::int16_t>(voice);
  return true;
}

FileRead LoadSettings(const std::string& path, UserSettings& settings) {
  return LoadDataFile(path,
                      [&](std::string_view bytes) { return ParseSettingsFile(bytes, settings); });
}

FileRead LoadVoiceSettings(const std::string& path, UserSettings& settings) {
  return LoadDataFile(path,
                      [&](std::string_view bytes) { return ParseVoiceSettings(bytes, settings); });
}

bool SaveSettings(const std::string& path, const UserSettings& settings, std::string& error) {
  return WriteFileAtomically(path, SettingsFileBytes(settings), error);
}

bool SaveVoiceSettings(const std::string& path, const UserSettings& settings, std::string& error) {
  return WriteFileAtomically(path, VoiceSettingsText(settings), error);
}

}  // namespace corvane
