#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/desktop/desktop_hosts.h"
#include "platform/desktop/espeak_voice.h"
#include "platform/desktop/speechd_reader.h"
#include "unit/desktop/recording_audio_device.h"

namespace corvane {
namespace {

using testing::RecordingAudioDevice;

TEST(SpeechDispatcherReader, NoServerMeansNoReaderAndAReason) {
  ::setenv("SPEECHD_ADDRESS", "unix_socket:/nonexistent/corvane-test/speechd.sock", 1);
  std::string error;
  std::unique_ptr<ScreenReader> reader = ConnectSpeechDispatcher(error);
  ::unsetenv("SPEECHD_ADDRESS");
  EXPECT_EQ(reader, nullptr);
  EXPECT_FALSE(error.empty());
}

TEST(SpeechDispatcherReader, TheDesktopFactoryFailsTheSameWay) {
  ::setenv("SPEECHD_ADDRESS", "unix_socket:/nonexistent/corvane-test/speechd.sock", 1);
  RecordingAudioDevice device;
  std::unique_ptr<SpeechEngineFactory> engines = MakeDesktopSpeech(device);
  std::string error;
  EXPECT_EQ(engines->CreateScreenReader(error), nullptr);
  ::unsetenv("SPEECHD_ADDRESS");
  EXPECT_FALSE(error.empty());
}

TEST(EspeakMapping, RateRunsFrom80To450WithNormalAt0) {
  EXPECT_EQ(EspeakWordsPerMinute(-10), 80);
  EXPECT_EQ(EspeakWordsPerMinute(-5), 128);  // 127.5, halves to even
  EXPECT_EQ(EspeakWordsPerMinute(-1), 166);  // 165.5
  EXPECT_EQ(EspeakWordsPerMinute(0), 175);
  EXPECT_EQ(EspeakWordsPerMinute(1), 202);  // 202.5
  EXPECT_EQ(EspeakWordsPerMinute(2), 230);
  EXPECT_EQ(EspeakWordsPerMinute(10), 450);
  EXPECT_EQ(EspeakWordsPerMinute(-30), 80);
  EXPECT_EQ(EspeakWordsPerMinute(30), 450);
}

TEST(EspeakMapping, VolumeIsTheAmplitudeUpToNormal) {
  EXPECT_EQ(EspeakAmplitude(0), 0);
  EXPECT_EQ(EspeakAmplitude(95), 95);
  EXPECT_EQ(EspeakAmplitude(100), 100);
  EXPECT_EQ(EspeakAmplitude(150), 100);
  EXPECT_EQ(EspeakAmplitude(-4), 0);
}

class EspeakVoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    voice_ = StartEspeakVoice(device_, error);
    ASSERT_NE(voice_, nullptr) << error;
  }
  RecordingAudioDevice device_;
  std::unique_ptr<Voice> voice_;
};

TEST_F(EspeakVoiceTest, EnglishVoicesComeFirst) {
  const std::vector<std::string> voices = voice_->Voices();
  ASSERT_GT(voices.size(), 2u);
  EXPECT_EQ(voices[0], "English (Great Britain)");
  EXPECT_EQ(voices[1], "English (America)");
  const auto firstOther = std::find_if(voices.begin(), voices.end(), [](const std::string& name) {
    return name.rfind("English", 0) != 0;
  });
  EXPECT_TRUE(std::all_of(firstOther, voices.end(),
                          [](const std::string& name) { return name.rfind("English", 0) != 0; }));
}

TEST_F(EspeakVoiceTest, APhraseBecomesSamplesOnTheDevice) {
  voice_->Speak("Everyone puts in the 25 chip ante.");
  const auto phrases = device_.Phrases(1);
  ASSERT_EQ(phrases.size(), 1u);
  EXPECT_EQ(device_.Rate(), 22050);
  const std::vector<std::int16_t>& samples = phrases[0];
  // About two seconds of speech, and not silence.
  EXPECT_GT(samples.size(), 22050u);
  EXPECT_LT(samples.size(), 22050u * 6);
  EXPECT_TRUE(std::any_of(samples.begin(), samples.end(),
                          [](std::int16_t s) { return s > 1000 || s < -1000; }));
}

TEST_F(EspeakVoiceTest, ASlowerRateGivesLongerSpeech) {
  voice_->SetRate(-10);
  voice_->Speak("Everyone puts in the 25 chip ante.");
  voice_->SetRate(10);
  voice_->Speak("Everyone puts in the 25 chip ante.");
  const auto phrases = device_.Phrases(2);
  ASSERT_EQ(phrases.size(), 2u);
  EXPECT_GT(phrases[0].size(), phrases[1].size() * 3);
}

TEST_F(EspeakVoiceTest, TheRateSurvivesAChangeOfVoice) {
  voice_->SetRate(-10);
  voice_->SetVoice(1);
  voice_->Speak("Select from Menu");
  voice_->SetRate(0);
  voice_->Speak("Select from Menu");
  const auto phrases = device_.Phrases(2);
  ASSERT_EQ(phrases.size(), 2u);
  EXPECT_GT(phrases[0].size(), phrases[1].size());
}

TEST_F(EspeakVoiceTest, AQuieterVolumeGivesSofterSamples) {
  auto peak = [](const std::vector<std::int16_t>& samples) {
    int most = 0;
    for (std::int16_t s : samples) most = std::max(most, std::abs(static_cast<int>(s)));
    return most;
  };
  voice_->SetVolume(100);
  voice_->Speak("Select from Menu");
  voice_->SetVolume(20);
  voice_->Speak("Select from Menu");
  const auto phrases = device_.Phrases(2);
  ASSERT_EQ(phrases.size(), 2u);
  EXPECT_LT(peak(phrases[1]) * 2, peak(phrases[0]));
}

TEST_F(EspeakVoiceTest, EmptyTextSaysNothingAndPurgeStopsTheDevice) {
  voice_->Speak("");
  voice_->Purge();
  EXPECT_EQ(device_.Stops(), 1);
  EXPECT_TRUE(device_.Phrases(0).empty());
}

// Cut off in its first piece, a long phrase hands nothing more to the device: the next phrase is
// as long as the same phrase spoken alone.
TEST_F(EspeakVoiceTest, NothingOfAPurgedPhraseFollowsThePurge) {
  voice_->Speak(
      "Seven Card Stud is the most common form of stud poker. Each player pays an ante to the "
      "pot, and are delt seven cards, two face-down, four dealt face up, and the final card "
      "dealt face-down.");
  ASSERT_TRUE(device_.WaitForSpeech());
  voice_->Purge();
  voice_->Speak("Start a New Table, T");
  voice_->Speak("Start a New Table, T");
  const auto phrases = device_.Phrases(2);
  ASSERT_EQ(phrases.size(), 2u);
  const double afterCut = static_cast<double>(phrases[0].size());
  const double alone = static_cast<double>(phrases[1].size());
  EXPECT_NEAR(afterCut, alone, alone * 0.01);  // espeak-ng varies a phrase by a few samples
}

}  // namespace
}  // namespace corvane
