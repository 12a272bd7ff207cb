#include "platform/virtual_audio_device.h"

#include <gtest/gtest.h>

#include "test_waves.h"

namespace corvane {
namespace {

class VirtualAudioDeviceTest : public ::testing::Test {
 protected:
  VirtualAudioDeviceTest() {
    testing::WriteWave(folder.Path() + "one.wav", 1.0);
    EXPECT_TRUE(device.Open());
  }
  testing::TempFolder folder;
  double now = 50;
  VirtualAudioDevice device{[this] { return now; }};
};

TEST_F(VirtualAudioDeviceTest, ASoundPlaysForItsLengthOnTheClock) {
  const SoundId sound = device.Load(folder.Path() + "one.wav");
  ASSERT_NE(sound, kNoSound);
  device.SetVolume(3, -600);
  device.SetPan(3, 250);
  device.Play(3, sound, false, 0);
  EXPECT_TRUE(device.IsPlaying(3));
  now += 0.99;
  EXPECT_TRUE(device.IsPlaying(3));
  now += 0.02;
  EXPECT_FALSE(device.IsPlaying(3));
  ASSERT_EQ(device.Plays().size(), 1u);
  EXPECT_EQ(device.Plays()[0].name, "one.wav");
  EXPECT_EQ(device.Plays()[0].volume, -600);
  EXPECT_EQ(device.Plays()[0].pan, 250);
  EXPECT_FALSE(device.Plays()[0].loop);
  EXPECT_DOUBLE_EQ(device.Plays()[0].at, 50);
  // A long table keeps only the latest plays.
  for (int i = 0; i < 1000; ++i) device.Play(3, sound, false, 0);
  EXPECT_EQ(device.Plays().size(), VirtualAudioDevice::kKeptPlays);
}

TEST_F(VirtualAudioDeviceTest, AStartPositionShortensThePlay) {
  const SoundId sound = device.Load(folder.Path() + "one.wav");
  device.Play(1, sound, false, 22050 * 4 / 2);  // from the middle
  now += 0.51;
  EXPECT_FALSE(device.IsPlaying(1));
}

TEST_F(VirtualAudioDeviceTest, ALoopPlaysUntilStopped) {
  const SoundId sound = device.Load(folder.Path() + "one.wav");
  device.Play(2, sound, true, 0);
  now += 1000;
  EXPECT_TRUE(device.IsPlaying(2));
  device.Stop(2);
  EXPECT_FALSE(device.IsPlaying(2));
}

TEST_F(VirtualAudioDeviceTest, MissingFilesAndOpenFailures) {
  EXPECT_EQ(device.Load(folder.Path() + "none.wav"), kNoSound);
  VirtualAudioDevice broken{[] { return 0.0; }};
  broken.FailOpen(true);
  EXPECT_FALSE(broken.Open());
}

TEST_F(VirtualAudioDeviceTest, SpeechQueuesInOrderAndStopsAtOnce) {
  EXPECT_FALSE(device.SpeechPlaying());
  device.QueueSpeech(std::vector<std::int16_t>(22050), 22050);
  device.QueueSpeech(std::vector<std::int16_t>(11025), 22050);
  now += 1.4;
  EXPECT_TRUE(device.SpeechPlaying());  // the second phrase follows the first
  now += 0.2;
  EXPECT_FALSE(device.SpeechPlaying());
  device.QueueSpeech(std::vector<std::int16_t>(22050), 22050);
  EXPECT_TRUE(device.SpeechPlaying());
  device.StopSpeech();
  EXPECT_FALSE(device.SpeechPlaying());
  EXPECT_DOUBLE_EQ(device.SpeechSecondsQueued(), 2.5);
}

}  // namespace
}  // namespace corvane
