#include "store/settings_file.h"

#include <gtest/gtest.h>

#include "unit/store/test_folder.h"

namespace corvane {
namespace {

TEST(SettingsFile, StartUpValuesAreTenBytes) {
  const UserSettings settings;
  EXPECT_EQ(SettingsFileBytes(settings), Bytes({0x48, 0xF4, 0x00, 0x00, 37, 0, 39, 0, 0x00, 0x00}));
}

TEST(SettingsFile, AfterAVolumeResetHoldsMinus3000AndZeroFirst) {
  UserSettings settings;
  settings.PartyVolume = -1400;
  settings.TableVolume = -2200;
  settings.BotsDealersChoice = true;
  settings.CardLeftKey = 0;
  settings.CardRightKey = 0;
  // The settings questions' reset puts the two volumes back.
  settings.PartyVolume = -3000;
  settings.TableVolume = 0;
  const std::string bytes = SettingsFileBytes(settings);
  ASSERT_EQ(bytes.size(), 10u);
  EXPECT_EQ(bytes, Bytes({0x48, 0xF4, 0x00, 0x00, 0, 0, 0, 0, 0xFF, 0xFF}));
}

TEST(SettingsFile, ReadsEveryField) {
  UserSettings settings;
  // -5000, -3500, 0, 39, True
  ASSERT_TRUE(
      ParseSettingsFile(Bytes({0x78, 0xEC, 0x54, 0xF2, 0, 0, 39, 0, 0xFF, 0xFF}), settings));
  EXPECT_EQ(settings.PartyVolume, -5000);
  EXPECT_EQ(settings.TableVolume, -3500);
  EXPECT_EQ(settings.CardLeftKey, 0);
  EXPECT_EQ(settings.CardRightKey, 39);
  EXPECT_TRUE(settings.BotsDealersChoice);
}

TEST(SettingsFile, RoundTrip) {
  UserSettings written;
  written.PartyVolume = -1000;
  written.TableVolume = -200;
  written.BotsDealersChoice = true;
  UserSettings read;
  read.PartyVolume = -4000;
  ASSERT_TRUE(ParseSettingsFile(SettingsFileBytes(written), read));
  EXPECT_EQ(read.PartyVolume, -1000);
  EXPECT_EQ(read.TableVolume, -200);
  EXPECT_EQ(read.CardLeftKey, 37);
  EXPECT_EQ(read.CardRightKey, 39);
  EXPECT_TRUE(read.BotsDealersChoice);
}

// A refused file changes nothing at all.
void ExpectRefused(const std::string& bytes) {
  UserSettings settings;
  settings.PartyVolume = -2000;
  settings.TableVolume = -400;
  settings.CardLeftKey = 0;
  settings.CardRightKey = 0;
  settings.BotsDealersChoice = true;
  EXPECT_FALSE(ParseSettingsFile(bytes, settings));
  EXPECT_EQ(settings.PartyVolume, -2000);
  EXPECT_EQ(settings.TableVolume, -400);
  EXPECT_EQ(settings.CardLeftKey, 0);
  EXPECT_EQ(settings.CardRightKey, 0);
  EXPECT_TRUE(settings.BotsDealersChoice);
}

TEST(SettingsFile, ShortLongOrEmptyFilesAreRefused) {
  ExpectRefused("");
  ExpectRefused(Bytes({0x48, 0xF4, 0x00, 0x00, 37, 0, 39, 0, 0x00}));
  ExpectRefused(Bytes({0x48, 0xF4, 0x00, 0x00, 37, 0, 39, 0, 0x00, 0x00, 0x00}));
}

TEST(SettingsFile, ValuesOutsideTheirRangesAreRefused) {
  // Party volume -5200 and -800.
  ExpectRefused(Bytes({0xB0, 0xEB, 0, 0, 37, 0, 39, 0, 0, 0}));
  ExpectRefused(Bytes({0xE0, 0xFC, 0, 0, 37, 0, 39, 0, 0, 0}));
  // Table volume 200 and -3600.
  ExpectRefused(Bytes({0x48, 0xF4, 0xC8, 0x00, 37, 0, 39, 0, 0, 0}));
  ExpectRefused(Bytes({0x48, 0xF4, 0xF0, 0xF1, 37, 0, 39, 0, 0, 0}));
  // Card keys that are neither the arrows nor 0.
  ExpectRefused(Bytes({0x48, 0xF4, 0, 0, 38, 0, 39, 0, 0, 0}));
  ExpectRefused(Bytes({0x48, 0xF4, 0, 0, 37, 0, 40, 0, 0, 0}));
  // Garbage.
  ExpectRefused("Settings.s");
}

TEST(SettingsFile, AnyFlagOtherThanZeroReadsAsOn) {
  const struct {
    int low, high;
    bool on;
  } rows[] = {{0xFF, 0xFF, true}, {1, 0, true}, {2, 0, true}, {0xFF, 0x7F, true},
              {0x00, 0x80, true}, {0, 1, true}, {0, 0, false}};
  for (const auto& row : rows) {
    UserSettings settings;
    settings.BotsDealersChoice = !row.on;
    EXPECT_TRUE(
        ParseSettingsFile(Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, row.low, row.high}), settings));
    EXPECT_EQ(settings.BotsDealersChoice, row.on) << row.low << " " << row.high;
  }
}

TEST(VoiceSettings, StartUpLine) {
  const UserSettings settings;
  EXPECT_EQ(VoiceSettingsText(settings), "0,95,1\r\n");
}

TEST(VoiceSettings, NegativeValuesAreWrittenWithTheirSign) {
  UserSettings settings;
  settings.SapiRate = -10;
  settings.SapiVolume = 0;
  settings.SapiVoice = -1;
  EXPECT_EQ(VoiceSettingsText(settings), "-10,0,-1\r\n");
}

TEST(VoiceSettings, ReadsRateVolumeVoiceInThatOrder) {
  UserSettings settings;
  ASSERT_TRUE(ParseVoiceSettings("3,40,7\r\n", settings));
  EXPECT_EQ(settings.SapiRate, 3);
  EXPECT_EQ(settings.SapiVolume, 40);
  EXPECT_EQ(settings.SapiVoice, 7);
}

TEST(VoiceSettings, AcceptsALoneLineFeedNoLineEndAndBlanks) {
  UserSettings settings;
  ASSERT_TRUE(ParseVoiceSettings("-2,100,0\n", settings));
  EXPECT_EQ(settings.SapiRate, -2);
  ASSERT_TRUE(ParseVoiceSettings("10,5,2", settings));
  EXPECT_EQ(settings.SapiVoice, 2);
  ASSERT_TRUE(ParseVoiceSettings(" 1 , 90 , 3 \r\n", settings));
  EXPECT_EQ(settings.SapiRate, 1);
  EXPECT_EQ(settings.SapiVolume, 90);
  EXPECT_EQ(settings.SapiVoice, 3);
}

TEST(VoiceSettings, DamagedOrOutOfRangeLinesAreRefused) {
  for (const char* text :
       {"", "\r\n", "0,95\r\n", "0,95,1,4\r\n", "0,,1\r\n", "a,95,1\r\n", "0,95,1x\r\n",
        "11,95,1\r\n", "-11,95,1\r\n", "0,101,1\r\n", "0,-5,1\r\n", "0,95,-2\r\n", "0,95,99999\r\n",
        "0,95,1\r\n0,95,1\r\n", "0,95\r,1\r\n"}) {
    UserSettings settings;
    settings.SapiRate = 4;
    settings.SapiVolume = 50;
    settings.SapiVoice = 2;
    EXPECT_FALSE(ParseVoiceSettings(text, settings)) << text;
    EXPECT_EQ(settings.SapiRate, 4) << text;
    EXPECT_EQ(settings.SapiVolume, 50) << text;
    EXPECT_EQ(settings.SapiVoice, 2) << text;
  }
}

TEST(SettingsFiles, SavedAndLoadedThroughTheDisk) {
  TestFolder folder;
  UserSettings written;
  written.PartyVolume = -3000;
  written.TableVolume = 0;
  written.CardLeftKey = 0;
  written.CardRightKey = 0;
  written.SapiRate = 0;
  written.SapiVolume = 95;
  written.SapiVoice = 1;
  std::string error;
  ASSERT_TRUE(SaveSettings(folder.File("Settings.sav"), written, error)) << error;
  ASSERT_TRUE(SaveVoiceSettings(folder.File("CV config.ini"), written, error)) << error;
  EXPECT_EQ(folder.Read("Settings.sav"), Bytes({0x48, 0xF4, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(folder.Read("CV config.ini"), "0,95,1\r\n");
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"CV config.ini", "Settings.sav"}));

  UserSettings read;
  EXPECT_EQ(LoadSettings(folder.File("Settings.sav"), read), FileRead::kRead);
  EXPECT_EQ(read.CardLeftKey, 0);
  EXPECT_EQ(read.CardRightKey, 0);
  read.SapiVolume = 20;
  EXPECT_EQ(LoadVoiceSettings(folder.File("CV config.ini"), read), FileRead::kRead);
  EXPECT_EQ(read.SapiVolume, 95);
}

TEST(SettingsFiles, MissingFilesLeaveTheDefaults) {
  TestFolder folder;
  UserSettings settings;
  EXPECT_EQ(LoadSettings(folder.File("Settings.sav"), settings), FileRead::kMissing);
  EXPECT_EQ(LoadVoiceSettings(folder.File("CV config.ini"), settings), FileRead::kMissing);
  EXPECT_EQ(settings.PartyVolume, -3000);
  EXPECT_EQ(settings.SapiVolume, 95);
}

TEST(SettingsFiles, AFolderInThePlaceOfTheFileIsNotRead) {
  TestFolder folder;
  std::filesystem::create_directory(folder.File("Settings.sav"));
  UserSettings settings;
  EXPECT_EQ(LoadSettings(folder.File("Settings.sav"), settings), FileRead::kRefused);
}

}  // namespace
}  // namespace corvane
