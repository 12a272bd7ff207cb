// The game settings questions and the "Settings.sav" they write.
#include "store/game_settings_questions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "store/atomic_file.h"
#include "store/settings_file.h"
#include "test_folder.h"
#include "unit/speech/speech_fixture.h"

namespace corvane::testing {
namespace {

class GameSettingsQuestionsTest : public SpeechFixture {
 protected:
  GameSettingsQuestionsTest() {
    hooks.save = [this](const UserSettings& s, std::string& error) {
      return SaveSettings(path, s, error);
    };
    hooks.applyPartyVolume = [this](int volume) { applied.push_back(volume); };
    settings.PartyVolume = -4000;
    settings.TableVolume = -1000;
  }

  bool Ask() { return GameSettingsQuestions(speech, prompts, settings, hooks); }

  TestFolder folder;
  std::string path = folder.File("Settings.sav");
  UserSettings settings;
  GameSettingsHooks hooks;
  std::vector<int> applied;
};

TEST_F(GameSettingsQuestionsTest, EveryQuestionAnsweredAndSaved) {
  host.Keys("Y N Y Y");
  EXPECT_TRUE(Ask());
  EXPECT_TRUE(settings.BotsDealersChoice);
  EXPECT_EQ(settings.CardLeftKey, 0);
  EXPECT_EQ(settings.CardRightKey, 0);
  EXPECT_EQ(settings.PartyVolume, -3000);
  EXPECT_EQ(settings.TableVolume, 0);
  EXPECT_EQ(applied, (std::vector<int>{-3000}));
  EXPECT_EQ(host.spoken,
            (Lines{"Would you like the player bots to have dealer's choice?", "No", "Yes",
                   "Would you like the left/right arrows assigned to move through your cards?",
                   "Yes", "No",
                   "Would you like the background party and table sound settings reset back to "
                   "their initial values?",
                   "No", "Yes", "Sound volumes reset.",
                   "Adjust the table sounds during a game by the use of Page Up and Page Down.",
                   "Adjust the background party sounds by the use of Shift-Page Up and Shift-Page "
                   "down. This may need to be repeated many times, depending on the amount of "
                   "change.",
                   "Are you ready to save your settings?", "No", "Yes", "settings set."}));
  // -3000, 0, no arrows, dealer's choice on.
  EXPECT_EQ(folder.Read("Settings.sav"), Bytes({0x48, 0xF4, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
}

TEST_F(GameSettingsQuestionsTest, TheFirstQuestionStartsOnTheCurrentChoice) {
  settings.BotsDealersChoice = true;
  host.Keys("Enter Enter Enter Enter");
  EXPECT_FALSE(Ask());
  EXPECT_EQ(host.spoken[0], "Would you like the player bots to have dealer's choice?");
  EXPECT_EQ(host.spoken[1], "Yes");
  EXPECT_TRUE(settings.BotsDealersChoice);
  // Enter took the starting rows: arrows on, no reset, not saved.
  EXPECT_EQ(settings.CardLeftKey, 37);
  EXPECT_EQ(settings.CardRightKey, 39);
  EXPECT_EQ(settings.PartyVolume, -4000);
  EXPECT_TRUE(applied.empty());
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameSettingsQuestionsTest, ArrowsYesAssignsLeftAndRight) {
  settings.CardLeftKey = 0;
  settings.CardRightKey = 0;
  host.Keys("N Y N Y");
  EXPECT_TRUE(Ask());
  EXPECT_FALSE(settings.BotsDealersChoice);
  // -4000 and -1000 kept, the arrows 37 and 39, dealer's choice off.
  EXPECT_EQ(folder.Read("Settings.sav"), Bytes({0x60, 0xF0, 0x18, 0xFC, 37, 0, 39, 0, 0, 0}));
}

TEST_F(GameSettingsQuestionsTest, EscapeAtTheFirstQuestionChangesNothing) {
  host.Keys("Esc");
  const UserSettings before = settings;
  EXPECT_FALSE(Ask());
  EXPECT_EQ(settings.BotsDealersChoice, before.BotsDealersChoice);
  EXPECT_EQ(settings.CardLeftKey, before.CardLeftKey);
  EXPECT_EQ(settings.PartyVolume, before.PartyVolume);
  EXPECT_EQ(host.spoken.size(), 2u);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameSettingsQuestionsTest, EscapeLaterKeepsWhatWasChangedWithoutSaving) {
  host.Keys("Y N Esc");
  EXPECT_FALSE(Ask());
  EXPECT_TRUE(settings.BotsDealersChoice);
  EXPECT_EQ(settings.CardLeftKey, 0);
  EXPECT_EQ(settings.PartyVolume, -4000);
  // The volume notes belong to an answered third question.
  EXPECT_EQ(host.spoken.back(), "No");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameSettingsQuestionsTest, NoToSavingKeepsTheOldFile) {
  const std::string old = Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, 0, 0});
  folder.Write("Settings.sav", old);
  host.Keys("Y N Y N");
  EXPECT_FALSE(Ask());
  EXPECT_TRUE(settings.BotsDealersChoice);
  EXPECT_EQ(settings.CardLeftKey, 0);
  EXPECT_EQ(folder.Read("Settings.sav"), old);
  for (const auto& line : host.spoken) EXPECT_NE(line, "settings set.");
}

TEST_F(GameSettingsQuestionsTest, ACommandKeyAtTheLastQuestionRunsAndEndsWithoutSaving) {
  host.Keys("N Y N P");
  EXPECT_FALSE(Ask());
  EXPECT_EQ(dispatched, (std::vector<int>{'P'}));
  EXPECT_EQ(host.spoken.back(), "The pot is 75.");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameSettingsQuestionsTest, CommandKeysAreOffInTheFirstThreeQuestions) {
  host.Keys("P Y P N P N N");
  EXPECT_FALSE(Ask());
  EXPECT_TRUE(dispatched.empty());
  EXPECT_TRUE(settings.BotsDealersChoice);
}

TEST_F(GameSettingsQuestionsTest, AFailedWriteIsSaidAndLeavesTheOldFile) {
  const std::string old = Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, 0, 0});
  folder.Write("Settings.sav", old);
  FileCalls calls = SystemFileCalls();
  // The disk fills after the first four bytes.
  calls.write = [](int fd, const void* data, std::size_t size) -> ssize_t {
    if (size > 4) return ::write(fd, data, 4);
    errno = ENOSPC;
    return -1;
  };
  hooks.save = [&](const UserSettings& s, std::string& error) {
    return WriteFileAtomically(path, SettingsFileBytes(s), error, calls);
  };
  host.Keys("Y N Y Y");
  EXPECT_FALSE(Ask());
  EXPECT_EQ(host.spoken.back(), "File save error: No space left on device");
  EXPECT_EQ(folder.Read("Settings.sav"), old);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Settings.sav"});
  // The answers stay in force for the run.
  EXPECT_TRUE(settings.BotsDealersChoice);
  EXPECT_EQ(settings.PartyVolume, -3000);
}

TEST_F(GameSettingsQuestionsTest, TheSavedFileReadsBack) {
  host.Keys("Y Y Y Y");
  EXPECT_TRUE(Ask());
  UserSettings read;
  read.PartyVolume = -5000;
  read.CardLeftKey = 0;
  ASSERT_EQ(LoadSettings(path, read), FileRead::kRead);
  EXPECT_EQ(read.PartyVolume, -3000);
  EXPECT_EQ(read.TableVolume, 0);
  EXPECT_EQ(read.CardLeftKey, 37);
  EXPECT_EQ(read.CardRightKey, 39);
  EXPECT_TRUE(read.BotsDealersChoice);
}

}  // namespace
}  // namespace corvane::testing
