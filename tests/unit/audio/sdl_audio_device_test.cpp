#include "platform/desktop/sdl_audio_device.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace corvane {
namespace {

const std::vector<std::string> kSoundFiles = {
    "intro0.wav",   "intro.WAV",    "intro2.wav", "POKERPARTY.WAV", "congratz.wav",  "shuffle1.wav",
    "shuffle2.wav", "shuffle3.wav", "deal.wav",   "check.wav",      "fold1.wav",     "fold2.wav",
    "coin1.wav",    "coin2.wav",    "coin3.wav",  "coin4.wav",      "leavetable.wav"};

std::string SoundPath(const std::string& name) {
  return std::string(CORVANE_PROGRAM_FOLDER) + name;
}

// Blocks for up to `seconds` until `done` holds; true when it did.
template <typename Done>
bool WaitUntil(Done done, double seconds) {
  const Uint64 until = SDL_GetTicks64() + static_cast<Uint64>(seconds * 1000);
  while (!done()) {
    if (SDL_GetTicks64() >= until) return false;
    SDL_Delay(10);
  }
  return true;
}

class SdlAudioDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(device.Open()) << SDL_GetError();
  }
  void TearDown() override { device.Close(); }

  SdlAudioDevice device;
};

TEST(MixerLevels, HundredthsOfADecibelBecomeMixerLevels) {
  EXPECT_EQ(MixerVolume(0), 128);
  EXPECT_EQ(MixerVolume(-600), 64);   // 10^(-0.3) x 128 = 64.2
  EXPECT_EQ(MixerVolume(-2000), 13);  // a tenth: 12.8
  EXPECT_EQ(MixerVolume(-10000), 0);
  EXPECT_EQ(MixerVolume(500), 128);
  EXPECT_EQ(MixerVolume(-30000), 0);
}

TEST(MixerLevels, PanAttenuatesTheOtherSide) {
  EXPECT_EQ(MixerPanning(0), std::make_pair(255, 255));
  EXPECT_EQ(MixerPanning(1000), std::make_pair(81, 255));   // left down 10 dB: 80.6
  EXPECT_EQ(MixerPanning(-2000), std::make_pair(255, 26));  // right down 20 dB: 25.5
  EXPECT_EQ(MixerPanning(10000), std::make_pair(0, 255));
  EXPECT_EQ(MixerPanning(-99999), std::make_pair(255, 0));
}

TEST(SdlAudioDeviceOpen, NoUsableOutputIsAMissingSoundDevice) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlAudioDevice device;
  EXPECT_FALSE(device.Open());
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  EXPECT_TRUE(device.Open());
  device.Close();
}

TEST_F(SdlAudioDeviceTest, EveryGeneratedSoundLoadsAndPlays) {
  int channel = 1;
  for (const auto& name : kSoundFiles) {
    const SoundId sound = device.Load(SoundPath(name));
    ASSERT_NE(sound, kNoSound) << name << ": " << SDL_GetError();
    device.SetVolume(channel, -1000);
    device.SetPan(channel, channel % 2 ? -1500 : 1500);
    device.Play(channel, sound, false, 0);
    EXPECT_TRUE(device.IsPlaying(channel)) << name;
    ++channel;
  }
  for (int c = 1; c < channel; ++c) device.Stop(c);
  for (int c = 1; c < channel; ++c) EXPECT_FALSE(device.IsPlaying(c));
}

TEST_F(SdlAudioDeviceTest, AOneShotSoundFinishesAndALoopKeepsPlayingUntilStopped) {
  const SoundId coin = device.Load(SoundPath("coin1.wav"));   // 0.3 s
  const SoundId check = device.Load(SoundPath("check.wav"));  // 0.48 s
  ASSERT_NE(coin, kNoSound);
  ASSERT_NE(check, kNoSound);
  device.Play(3, coin, false, 0);
  device.Play(4, check, true, 0);
  EXPECT_TRUE(device.IsPlaying(3));
  EXPECT_TRUE(WaitUntil([&] { return !device.IsPlaying(3); }, 5.0));
  // Well past the loop's own length it still plays.
  SDL_Delay(1200);
  EXPECT_TRUE(device.IsPlaying(4));
  device.Stop(4);
  EXPECT_FALSE(device.IsPlaying(4));
}

TEST_F(SdlAudioDeviceTest, DuplicatesShareOneSoundAndReleaseStopsThem) {
  const SoundId deal = device.Load(SoundPath("deal.wav"));
  ASSERT_NE(deal, kNoSound);
  device.Play(1, deal, true, 0);
  device.Play(2, deal, true, 0);
  EXPECT_TRUE(device.IsPlaying(1));
  EXPECT_TRUE(device.IsPlaying(2));
  device.Release(deal);
  EXPECT_FALSE(device.IsPlaying(1));
  EXPECT_FALSE(device.IsPlaying(2));
}

TEST_F(SdlAudioDeviceTest, AStartPositionPlaysTheRestAndPastTheEndPlaysNothing) {
  const SoundId check = device.Load(SoundPath("check.wav"));
  device.Play(5, check, false, 4000);
  EXPECT_TRUE(device.IsPlaying(5));
  device.Play(6, check, false, 100000000);
  EXPECT_FALSE(device.IsPlaying(6));
  EXPECT_TRUE(WaitUntil([&] { return !device.IsPlaying(5); }, 5.0));
}

TEST_F(SdlAudioDeviceTest, FrequencyIsKeptPerChannel) {
  const SoundId check = device.Load(SoundPath("check.wav"));
  device.Play(7, check, false, 0);
  EXPECT_EQ(device.Frequency(7), 22050);
  device.SetFrequency(7, 30000);
  EXPECT_EQ(device.Frequency(7), 30000);
  device.SetPosition3D(7, 90, 100);  // placed to the right; still playing
  EXPECT_TRUE(device.IsPlaying(7));
}

TEST_F(SdlAudioDeviceTest, SpeechQueuesInOrderAndStopsAtOnce) {
  EXPECT_FALSE(device.SpeechPlaying());
  std::vector<std::int16_t> tone(22050);
  for (std::size_t i = 0; i < tone.size(); ++i) tone[i] = (i / 25) % 2 ? 3000 : -3000;
  device.QueueSpeech(tone, 22050);
  device.QueueSpeech(tone, 22050);
  EXPECT_TRUE(device.SpeechPlaying());
  device.StopSpeech();
  EXPECT_FALSE(device.SpeechPlaying());
  // A short phrase plays out by itself once its end is marked.
  device.QueueSpeech(std::vector<std::int16_t>(tone.begin(), tone.begin() + 2205), 22050);
  device.EndSpeechPhrase();
  EXPECT_TRUE(device.SpeechPlaying());
  EXPECT_TRUE(WaitUntil([&] { return !device.SpeechPlaying(); }, 5.0));
}

}  // namespace
}  // namespace corvane
