// "Settings.sav" and "CV config.ini" byte for byte: hand-made files read as the settings they hold
// and written back unchanged; damaged files and values out of range refused, the settings kept.
#include <gtest/gtest.h>

#include <sstream>

#include "store/settings_file.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

// Every setting, in the order of the files: the five of "Settings.sav", then rate, volume and
// voice of "CV config.ini".
std::string Fields(const UserSettings& s) {
  std::ostringstream out;
  out << s.PartyVolume << " " << s.TableVolume << " " << s.CardLeftKey << " " << s.CardRightKey
      << " " << (s.BotsDealersChoice ? "on" : "off") << " | " << s.SapiRate << " " << s.SapiVolume
      << " " << s.SapiVoice;
  return out.str();
}

// Settings unlike the start-up values, that a refused file must leave as they are.
UserSettings Unusual() {
  UserSettings s;
  s.PartyVolume = -2000;
  s.TableVolume = -400;
  s.CardLeftKey = s.CardRightKey = 0;
  s.BotsDealersChoice = true;
  s.SapiRate = 4;
  s.SapiVolume = 50;
  s.SapiVoice = 2;
  return s;
}
const std::string kUnusual = "-2000 -400 0 0 on | 4 50 2";

struct Row {
  std::string bytes;
  std::string fields;  // after reading into Unusual(); kUnusual when refused
  bool writtenBack;    // the fields are written as these very bytes
};

TEST(PreferenceFiles, SettingsSavIsTenBytes) {
  const Row rows[] = {
      {Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, 0, 0}), "-3000 0 37 39 off | 4 50 2", true},
      {Bytes({0x78, 0xEC, 0x54, 0xF2, 0, 0, 39, 0, 0xFF, 0xFF}), "-5000 -3500 0 39 on | 4 50 2",
       true},
      {Bytes({0x18, 0xFC, 0x48, 0xF4, 37, 0, 0, 0, 0, 0}), "-1000 -3000 37 0 off | 4 50 2", true},
      // Any flag other than 0 is on.
      {Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, 1, 0}), "-3000 0 37 39 on | 4 50 2", false},
      {Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, 0, 0x80}), "-3000 0 37 39 on | 4 50 2", false},
      // Short, long, empty.
      {Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, 0}), kUnusual, false},
      {Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, 0, 0, 0}), kUnusual, false},
      {"", kUnusual, false},
      // Party volume -5200 and -800, table volume 200 and -3600, keys other than the arrows.
      {Bytes({0xB0, 0xEB, 0, 0, 37, 0, 39, 0, 0, 0}), kUnusual, false},
      {Bytes({0xE0, 0xFC, 0, 0, 37, 0, 39, 0, 0, 0}), kUnusual, false},
      {Bytes({0x48, 0xF4, 0xC8, 0, 37, 0, 39, 0, 0, 0}), kUnusual, false},
      {Bytes({0x48, 0xF4, 0xF0, 0xF1, 37, 0, 39, 0, 0, 0}), kUnusual, false},
      {Bytes({0x48, 0xF4, 0, 0, 38, 0, 39, 0, 0, 0}), kUnusual, false},
      {Bytes({0x48, 0xF4, 0, 0, 37, 0, 40, 0, 0, 0}), kUnusual, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fields);
    UserSettings settings = Unusual();
    EXPECT_EQ(ParseSettingsFile(row.bytes, settings), row.fields != kUnusual);
    EXPECT_EQ(Fields(settings), row.fields);
    if (row.writtenBack) {
      EXPECT_EQ(SettingsFileBytes(settings), row.bytes);
    }
  }
  EXPECT_EQ(SettingsFileBytes(UserSettings{}), Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, 0, 0}));
}

TEST(PreferenceFiles, CvConfigIniIsOneLine) {
  const Row rows[] = {
      {"0,95,1\r\n", "-2000 -400 0 0 on | 0 95 1", true},
      {"-10,0,-1\r\n", "-2000 -400 0 0 on | -10 0 -1", true},
      {"10,100,7\r\n", "-2000 -400 0 0 on | 10 100 7", true},
      // A lone line feed, no line end, blanks round the numbers.
      {"-2,100,0\n", "-2000 -400 0 0 on | -2 100 0", false},
      {"10,5,2", "-2000 -400 0 0 on | 10 5 2", false},
      {" 1 , 90 , 3 \r\n", "-2000 -400 0 0 on | 1 90 3", false},
      // Damaged lines and values out of range.
      {"", kUnusual, false},
      {"\r\n", kUnusual, false},
      {"0,95\r\n", kUnusual, false},
      {"0,95,1,4\r\n", kUnusual, false},
      {"0,,1\r\n", kUnusual, false},
      {"a,95,1\r\n", kUnusual, false},
      {"0,95,1x\r\n", kUnusual, false},
      {"11,95,1\r\n", kUnusual, false},
      {"-11,95,1\r\n", kUnusual, false},
      {"0,101,1\r\n", kUnusual, false},
      {"0,-5,1\r\n", kUnusual, false},
      {"0,95,-2\r\n", kUnusual, false},
      {"0,95,99999\r\n", kUnusual, false},
      {"0,95,1\r\n0,95,1\r\n", kUnusual, false},
      {"0,95\r,1\r\n", kUnusual, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes);
    UserSettings settings = Unusual();
    EXPECT_EQ(ParseVoiceSettings(row.bytes, settings), row.fields != kUnusual);
    EXPECT_EQ(Fields(settings), row.fields);
    if (row.writtenBack) {
      EXPECT_EQ(VoiceSettingsText(settings), row.bytes);
    }
  }
}

}  // namespace
}  // namespace corvane
