// The voice settings driven on the real espeak-ng voice: its own voice list, the limits of the
// rate and the volume heard in the samples, and "CV config.ini" written byte for byte.
#if defined(CORVANE_WITH_ESPEAK)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/desktop_hosts.h"
#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"
#include "speech/voice_settings.h"
#include "store/settings_file.h"
#include "support/fake_host.h"
#include "unit/desktop/recording_audio_device.h"
#include "unit/store/test_folder.h"

namespace corvane::testing {
namespace {

// Keys come once the voice has made every phrase said so far, as from a player who listens to
// each phrase to its end: every phrase then reaches the device whole before a key purges it.
class ListeningHost : public FakeHost {
 public:
  explicit ListeningHost(RecordingAudioDevice& device) : device_(device) {}
  std::optional<HostEvent> NextEvent(double deadline, WaitKind kind) override {
    device_.Phrases(spoken.size());
    return FakeHost::NextEvent(deadline, kind);
  }

 private:
  RecordingAudioDevice& device_;
};

class EspeakVoiceSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    speech.TTSSetup(3);
    ASSERT_EQ(speech.TTSType, 3) << "espeak-ng could not start";
    ASSERT_NE(speech.voice(), nullptr);
    // As at start-up: the saved settings are given to the voice.
    speech.SetSapiValues(settings.SapiVoice, settings.SapiRate, settings.SapiVolume, 0, true);
    voices = speech.voice()->Voices();
  }

  int TimesSaid(const std::string& line) const {
    return static_cast<int>(std::count(host.spoken.begin(), host.spoken.end(), line));
  }

  RecordingAudioDevice device;
  ListeningHost host{device};
  std::unique_ptr<SpeechEngineFactory> engines = MakeDesktopSpeech(device);
  Keyboard keyboard{host};
  Speech speech{host, *engines};
  Prompts prompts{keyboard, speech};
  TestFolder folder;
  UserSettings settings;
  VoiceSettings voiceSettings{speech, prompts, settings,
                              [this](const UserSettings& s, std::string& error) {
                                return SaveVoiceSettings(folder.File("CV config.ini"), s, error);
                              }};
  std::vector<std::string> voices;
};

TEST_F(EspeakVoiceSettingsTest, EveryInstalledVoiceIsHeardAndTheLastOneEndsTheList) {
  ASSERT_GT(voices.size(), 2u);
  const int count = static_cast<int>(voices.size());
  std::string keys = "Down Enter";
  for (int i = 0; i <= count; ++i) keys += " Down";
  keys += " Up Enter Y";
  host.Keys(keys);
  voiceSettings.SapiSettingsMenu();
  // Each voice once on the way down, the press past the end silent, and one step back up.
  EXPECT_EQ(TimesSaid("Here is the current voice"), count + 1);
  EXPECT_EQ(settings.SapiVoice, count - 2);
  EXPECT_EQ(host.spoken.back(), "Sapi Settings Saved.");
  EXPECT_EQ(folder.Read("CV config.ini"), "0,95," + std::to_string(count - 2) + "\r\n");
  EXPECT_TRUE(host.messages.empty());
  // Every phrase was synthesised on the device.
  EXPECT_GE(device.Phrases(0).size(), static_cast<std::size_t>(count + 1));
}

TEST_F(EspeakVoiceSettingsTest, TheRateStopsAtItsLimitsAndIsHeard) {
  // Ten steps down reach -10, two more are dropped; twenty up reach 10, one more is dropped.
  std::string keys = "Down Down Enter";
  for (int i = 0; i < 12; ++i) keys += " Down";
  for (int i = 0; i < 21; ++i) keys += " Up";
  keys += " Enter Y";
  host.Keys(keys);
  const std::size_t before = device.Phrases(0).size();
  voiceSettings.SapiSettingsMenu();
  EXPECT_EQ(settings.SapiRate, 10);
  EXPECT_EQ(TimesSaid("Here is the new rate."), 30);
  EXPECT_EQ(folder.Read("CV config.ini"), "10,95,1\r\n");
  // After the introduction, two items and the rate's own prompt, the tenth rate phrase is said at
  // -10 and the thirtieth at 10: the slow one is far longer.
  const std::size_t slowest = before + 4 + 9;
  const std::size_t fastest = before + 4 + 29;
  const auto phrases = device.Phrases(0);
  ASSERT_GT(phrases.size(), fastest);
  EXPECT_GT(phrases[slowest].size(), phrases[fastest].size() * 3);
}

TEST_F(EspeakVoiceSettingsTest, TheVolumeStopsAtItsLimits) {
  // From 95: one step up to 100 and one dropped; twenty down to 0 and one dropped.
  std::string keys = "Up Enter Up Up";
  for (int i = 0; i < 21; ++i) keys += " Down";
  keys += " Enter Enter";
  host.Keys(keys);
  voiceSettings.SapiSettingsMenu();
  EXPECT_EQ(settings.SapiVolume, 0);
  EXPECT_EQ(TimesSaid("Here is the new volume."), 21);
  EXPECT_EQ(folder.Read("CV config.ini"), "0,0,1\r\n");
  UserSettings read;
  ASSERT_EQ(LoadVoiceSettings(folder.File("CV config.ini"), read), FileRead::kRead);
  EXPECT_EQ(read.SapiVolume, 0);
  EXPECT_EQ(read.SapiRate, 0);
  EXPECT_EQ(read.SapiVoice, 1);
}

}  // namespace
}  // namespace corvane::testing

#endif
