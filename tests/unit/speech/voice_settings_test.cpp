// The voice settings: choosing the voice, its rate and its volume, and keeping them.
#include "speech/voice_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "speech_fixture.h"

namespace corvane::testing {
namespace {

class VoiceSettingsTest : public SpeechFixture {
 protected:
  VoiceSettingsTest() {
    speech.TTSSetup(3);
    engines.log.clear();
  }

  // The voice speaks at `rate` and `volume` now; the log starts after.
  void VoiceAt(int rate, int volume) {
    speech.voice()->SetRate(rate);
    speech.voice()->SetVolume(volume);
    engines.log.clear();
  }

  // The calls on the voice that change it, or that it speaks, in order (silencing left out).
  std::vector<std::string> VoiceCalls() const {
    std::vector<std::string> calls;
    for (const auto& call : engines.log) {
      if (call != "Purge") calls.push_back(call);
    }
    return calls;
  }

  UserSettings settings;
  std::vector<UserSettings> saved;
  bool saveFails = false;
  VoiceSettings voiceSettings{speech, prompts, settings,
                              [this](const UserSettings& s, std::string& error) {
                                if (saveFails) {
                                  error = "No space left on device";
                                  return false;
                                }
                                saved.push_back(s);
                                return true;
                              }};
};

TEST_F(VoiceSettingsTest, DownStepsThroughTheVoicesUntilTheListEnds) {
  // Three voices: 0, 1 and 2 are heard; the fourth Down finds the end of the list and is dropped,
  // the next Down is ignored, and Up goes back to voice 1.
  host.Keys("Down Down Down Down Down Up Enter");
  std::int16_t voice = 1;
  voiceSettings.AdjustVoice(voice);
  EXPECT_EQ(voice, 1);
  EXPECT_EQ(VoiceCalls(), (Lines{"Speak(Use the arrows  to select voice. Press Enter when done.)",
                                 "SetVoice(0)", "Speak(Here is the current voice)", "SetVoice(1)",
                                 "Speak(Here is the current voice)", "SetVoice(2)",
                                 "Speak(Here is the current voice)", "SetVoice(1)",
                                 "Speak(Here is the current voice)"}));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.KeysLeft(), 0u);
}

TEST_F(VoiceSettingsTest, EnterAtTheLastVoiceKeepsAnInstalledVoice) {
  host.Keys("Down Down Down Down Enter");
  std::int16_t voice = 1;
  voiceSettings.AdjustVoice(voice);
  EXPECT_EQ(voice, 2);
}

TEST_F(VoiceSettingsTest, UpBeforeTheFirstVoiceIsIgnored) {
  host.Keys("Up Left Down Right K L J I Esc");
  std::int16_t voice = 1;
  voiceSettings.AdjustVoice(voice);
  // Up and Left at -1 do nothing; Down, Right and K reach voice 2; L finds the end; J and I go
  // back to 0.
  EXPECT_EQ(voice, 0);
  EXPECT_EQ(VoiceCalls(), (Lines{"Speak(Use the arrows  to select voice. Press Enter when done.)",
                                 "SetVoice(0)", "Speak(Here is the current voice)", "SetVoice(1)",
                                 "Speak(Here is the current voice)", "SetVoice(2)",
                                 "Speak(Here is the current voice)", "SetVoice(1)",
                                 "Speak(Here is the current voice)", "SetVoice(0)",
                                 "Speak(Here is the current voice)"}));
}

TEST_F(VoiceSettingsTest, EnterAtOnceLeavesNoVoiceChosenAndSetSapiValuesThenChangesNothing) {
  host.Keys("Enter");
  std::int16_t voice = 1;
  voiceSettings.AdjustVoice(voice);
  EXPECT_EQ(voice, -1);
  engines.log.clear();
  speech.SetSapiValues(voice, 0, 95, 0, true);
  EXPECT_TRUE(engines.log.empty());
}

TEST_F(VoiceSettingsTest, NoVoiceInstalledIsReportedInAMessageBox) {
  engines.voices.clear();
  // A fresh speech layer whose voice has no voices.
  Speech bare{host, engines};
  Prompts barePrompts{keyboard, bare};
  bare.TTSSetup(3);
  VoiceSettings none{bare, barePrompts, settings, {}};
  host.Keys("Down Down Enter");
  std::int16_t voice = 1;
  none.AdjustVoice(voice);
  EXPECT_EQ(voice, 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Error! ");
  EXPECT_EQ(host.messages[0].text, "No MS SAPI Voices were found.");
  EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
  // The prompt returned at once: the other keys are still waiting.
  EXPECT_EQ(host.KeysLeft(), 2u);
}

TEST_F(VoiceSettingsTest, AdjustmentsDoNothingOutsideTheGameVoice) {
  speech.TTSSetup(1);
  engines.log.clear();
  host.Keys("Down Enter");
  std::int16_t voice = 1, rate = 0, volume = 95;
  voiceSettings.AdjustVoice(voice);
  voiceSettings.AdjustRate(rate);
  voiceSettings.AdjustVolume(volume);
  EXPECT_EQ(voice, 1);
  EXPECT_EQ(rate, 0);
  EXPECT_EQ(volume, 95);
  EXPECT_TRUE(host.spoken.empty());
  EXPECT_EQ(host.KeysLeft(), 2u);
}

TEST_F(VoiceSettingsTest, RateStopsAtTen) {
  // The rate starts from the voice's own, not from the saved one.
  VoiceAt(8, 95);
  host.Keys("Up Up Up Down Enter");
  std::int16_t rate = 0;
  voiceSettings.AdjustRate(rate);
  EXPECT_EQ(rate, 9);
  EXPECT_EQ(VoiceCalls(),
            (Lines{"Speak(Use the arrows to adjust rate. Press Enter when done.)", "SetRate(9)",
                   "Speak(Here is the new rate.)", "SetRate(10)", "Speak(Here is the new rate.)",
                   "SetRate(9)", "Speak(Here is the new rate.)"}));
}

TEST_F(VoiceSettingsTest, RateStopsAtMinusTenAndOtherKeysRepeatTheRate) {
  VoiceAt(-9, 95);
  host.Keys("Down Left X Esc");
  std::int16_t rate = -9;
  voiceSettings.AdjustRate(rate);
  EXPECT_EQ(rate, -10);
  EXPECT_EQ(VoiceCalls(), (Lines{"Speak(Use the arrows to adjust rate. Press Enter when done.)",
                                 "SetRate(-10)", "Speak(Here is the new rate.)", "SetRate(-10)",
                                 "Speak(Here is the new rate.)"}));
}

TEST_F(VoiceSettingsTest, RateKeysIncludeIJKL) {
  host.Keys("I L K Enter");
  std::int16_t rate = 0;
  voiceSettings.AdjustRate(rate);
  EXPECT_EQ(rate, 1);
  host.Keys("J Enter");
  voiceSettings.AdjustRate(rate);
  EXPECT_EQ(rate, 0);
}

TEST_F(VoiceSettingsTest, VolumeFrom95ReachesOneHundredThenStops) {
  VoiceAt(0, 95);
  host.Keys("Up Up Enter");
  std::int16_t volume = 0;
  voiceSettings.AdjustVolume(volume);
  EXPECT_EQ(volume, 100);
  EXPECT_EQ(VoiceCalls(), (Lines{"Speak(Use the arrows to adjust volume. Press Enter when done.)",
                                 "SetVolume(100)", "Speak(Here is the new volume.)"}));
}

TEST_F(VoiceSettingsTest, VolumeStopsAtZeroAndJIsLouderWhileLRepeats) {
  VoiceAt(0, 5);
  host.Keys("Down Down J L Enter");
  std::int16_t volume = 5;
  voiceSettings.AdjustVolume(volume);
  EXPECT_EQ(volume, 5);
  EXPECT_EQ(VoiceCalls(), (Lines{"Speak(Use the arrows to adjust volume. Press Enter when done.)",
                                 "SetVolume(0)", "Speak(Here is the new volume.)", "SetVolume(5)",
                                 "Speak(Here is the new volume.)", "SetVolume(5)",
                                 "Speak(Here is the new volume.)"}));
}

TEST_F(VoiceSettingsTest, VolumeNeverLeavesItsRange) {
  // A saved 97 goes up to 100, not 102, so the file never holds a volume it cannot read back.
  VoiceAt(0, 97);
  host.Keys("Up Up Enter");
  std::int16_t volume = 97;
  voiceSettings.AdjustVolume(volume);
  EXPECT_EQ(volume, 100);
  VoiceAt(0, 3);
  host.Keys("Down Enter");
  volume = 3;
  voiceSettings.AdjustVolume(volume);
  EXPECT_EQ(volume, 0);
}

TEST_F(VoiceSettingsTest, MenuWrapsBothWaysAndEscapeLeaves) {
  host.Keys("Up Down Down Down Down Up Esc");
  voiceSettings.SapiSettingsMenu();
  EXPECT_EQ(host.spoken,
            (Lines{"Adjust Sapi settings. Use the arrows to browse, and enter to select.",
                   "Adjust Sapi Speech Volume", "Select Sapi Voice", "Adjust Sapi speech rate",
                   "Adjust Sapi Speech Volume", "Select Sapi Voice", "Adjust Sapi Speech Volume",
                   "Exit."}));
  EXPECT_TRUE(saved.empty());
  // The items are kept in the phrase history.
  EXPECT_EQ(speech.PhraseHistory[kHistorySize - 1], "Adjust Sapi Speech Volume");
}

TEST_F(VoiceSettingsTest, EnterBeforeAnyItemAndOtherKeysAreIgnored) {
  host.Keys("Enter X 5 Esc");
  voiceSettings.SapiSettingsMenu();
  EXPECT_EQ(
      host.spoken,
      (Lines{"Adjust Sapi settings. Use the arrows to browse, and enter to select.", "Exit."}));
}

TEST_F(VoiceSettingsTest, RateChosenFromTheMenuAndSavedWithY) {
  settings.SapiRate = 0;
  host.Keys("Down Down Enter Up Up Enter Y");
  voiceSettings.SapiSettingsMenu();
  EXPECT_EQ(settings.SapiRate, 2);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].SapiRate, 2);
  EXPECT_EQ(saved[0].SapiVolume, 95);
  EXPECT_EQ(saved[0].SapiVoice, 1);
  EXPECT_EQ(host.spoken.back(), "Sapi Settings Saved.");
  EXPECT_EQ(host.spoken[host.spoken.size() - 2],
            "Sapi Set. Would you like to save these SAPI settings? Press Y or N.");
}

TEST_F(VoiceSettingsTest, EnterInTheSaveQuestionSavesLikeY) {
  VoiceAt(0, 95);
  host.Keys("Up Enter Down Enter Enter");
  voiceSettings.SapiSettingsMenu();
  EXPECT_EQ(settings.SapiVolume, 90);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].SapiVolume, 90);
}

TEST_F(VoiceSettingsTest, NOrEscapeKeepsTheChangeForTheRunWithoutSaving) {
  host.Keys("Down Enter Down Enter X 7 N");
  voiceSettings.SapiSettingsMenu();
  EXPECT_EQ(settings.SapiVoice, 0);
  EXPECT_TRUE(saved.empty());
  EXPECT_EQ(host.KeysLeft(), 0u);
  EXPECT_EQ(host.spoken.back(),
            "Sapi Set. Would you like to save these SAPI settings? Press Y or N.");

  host.Keys("Down Down Enter Down Enter Esc");
  voiceSettings.SapiSettingsMenu();
  EXPECT_EQ(settings.SapiRate, -1);
  EXPECT_TRUE(saved.empty());
}

TEST_F(VoiceSettingsTest, AFailedSaveIsSaidAndNeverAnnouncedAsSaved) {
  saveFails = true;
  host.Keys("Down Down Enter Up Enter Y");
  voiceSettings.SapiSettingsMenu();
  EXPECT_EQ(host.spoken.back(), "File save error: No space left on device");
  for (const auto& line : host.spoken) EXPECT_NE(line, "Sapi Settings Saved.");
}

TEST_F(VoiceSettingsTest, TheKeyboardIsGivenBackAsItWasFound) {
  keyboard.InputWaiting = false;
  host.Keys("Esc");
  voiceSettings.SapiSettingsMenu();
  EXPECT_FALSE(keyboard.InputWaiting);
  keyboard.InputWaiting = true;
  host.Keys("Esc");
  voiceSettings.SapiSettingsMenu();
  EXPECT_TRUE(keyboard.InputWaiting);
  // Keys the settings take are never handed to the command keys.
  EXPECT_TRUE(dispatched.empty());
}

}  // namespace
}  // namespace corvane::testing
