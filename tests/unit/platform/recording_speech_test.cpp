#include "platform/recording_speech.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace corvane {
namespace {

TEST(RecordingSpeech, EnginesAlwaysStartAndRecordWhatTheyAreAsked) {
  RecordingSpeech factory;
  std::string error = "stale";
  std::unique_ptr<ScreenReader> reader = factory.CreateScreenReader(error);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(error, "");
  std::unique_ptr<Voice> voice = factory.CreateVoice(error);
  ASSERT_NE(voice, nullptr);

  reader->Say("Select from Menu", false);
  reader->Stop();
  reader->StopSpeech();
  voice->SetVoice(0);
  voice->SetRate(-3);
  voice->SetVolume(95);
  voice->Speak("Hello");
  voice->Purge();

  const std::vector<std::string> expected{
      "say Select from Menu", "stop", "stop speech", "voice 0", "rate -3", "volume 95",
      "speak Hello",          "purge"};
  const std::deque<std::string>& calls = factory.record().calls;
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.end()), expected);
  EXPECT_EQ(factory.record().readersCreated, 1);
  EXPECT_EQ(factory.record().voicesCreated, 1);

  // A long table keeps only the latest calls.
  for (int i = 0; i < 1000; ++i) reader->Say(std::to_string(i), false);
  EXPECT_EQ(calls.size(), SpeechRecord::kKeptCalls);
  EXPECT_EQ(calls.back(), "say 999");
}

TEST(RecordingSpeech, TheVoiceListIsFixedAndEnglish) {
  RecordingSpeech factory;
  std::string error;
  std::unique_ptr<Voice> voice = factory.CreateVoice(error);
  const std::vector<std::string> voices = voice->Voices();
  ASSERT_EQ(voices.size(), 2u);
  EXPECT_EQ(voices[0], "English (Great Britain)");
  EXPECT_EQ(voices[1], "English (America)");
}

TEST(RecordingSpeech, EnginesMayOutliveTheFactory) {
  std::unique_ptr<ScreenReader> reader;
  {
    RecordingSpeech factory;
    std::string error;
    reader = factory.CreateScreenReader(error);
  }
  reader->Say("still here", true);
  SUCCEED();
}

}  // namespace
}  // namespace corvane
