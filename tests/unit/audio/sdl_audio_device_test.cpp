// The real mixer through SDL's dummy driver (no sound card needed): the attenuations it turns into
// mixer levels, every generated sound loaded and played, sounds that end or loop, shared sounds
// released, start positions, and the game's own voice queued and stopped.
#include "platform/desktop/sdl_audio_device.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace corvane {
namespace {

// Blocks for up to five seconds until `done` holds; true when it did.
template <typename Done>
bool WaitUntil(Done done) {
  const Uint64 until = SDL_GetTicks64() + 5000;
  while (!done() && SDL_GetTicks64() < until) SDL_Delay(10);
  return done();
}

TEST(SdlAudioDevice, HundredthsOfADecibelBecomeMixerLevels) {
  // volume -> level 0..128; pan -> left and right 0..255 (the other side turned down)
  const int volumes[][2] = {{0, 128},    {-600, 64}, {-2000, 13},
                            {-10000, 0}, {500, 128}, {-30000, 0}};
  for (const auto& [volume, level] : volumes) EXPECT_EQ(MixerVolume(volume), level) << volume;
  const int pans[][3] = {
      {0, 255, 255}, {1000, 81, 255}, {-2000, 255, 26}, {10000, 0, 255}, {-99999, 255, 0}};
  for (const auto& [pan, left, right] : pans) {
    EXPECT_EQ(MixerPanning(pan), std::make_pair(left, right)) << pan;
  }
}

TEST(SdlAudioDevice, PlaysTheGeneratedSoundsOnTheDummyDriver) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlAudioDevice missing;
  EXPECT_FALSE(missing.Open());  // no usable output: a missing sound device
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlAudioDevice device;
  ASSERT_TRUE(device.Open()) << SDL_GetError();
  const auto load = [&device](const char* name) {
    return device.Load(std::string(CORVANE_PROGRAM_FOLDER) + name);
  };
  int channel = 1;
  for (const char* name :
       {"intro0.wav", "intro.WAV", "intro2.wav", "POKERPARTY.WAV", "congratz.wav", "shuffle1.wav",
        "shuffle2.wav", "shuffle3.wav", "deal.wav", "fold1.wav", "fold2.wav", "coin2.wav",
        "coin3.wav", "coin4.wav", "leavetable.wav"}) {
    const SoundId sound = load(name);
    ASSERT_NE(sound, kNoSound) << name << ": " << SDL_GetError();
    device.SetVolume(channel, -1000);
    device.SetPan(channel, channel % 2 ? -1500 : 1500);
    device.Play(channel, sound, false, 0);
    EXPECT_TRUE(device.IsPlaying(channel)) << name;
    device.Stop(channel);
    EXPECT_FALSE(device.IsPlaying(channel++)) << name;
  }
  // A short sound ends by itself; a loop plays on past its length; a start position plays the
  // rest, and one past the end plays nothing; the frequency is kept per channel.
  const SoundId coin = load("coin1.wav"), check = load("check.wav");
  device.Play(3, coin, false, 0);
  device.Play(4, check, true, 0);
  device.Play(5, check, false, 4000);
  device.Play(6, check, false, 100000000);
  EXPECT_TRUE(device.IsPlaying(5));
  EXPECT_FALSE(device.IsPlaying(6));
  EXPECT_TRUE(WaitUntil([&] { return !device.IsPlaying(3) && !device.IsPlaying(5); }));
  SDL_Delay(1200);
  EXPECT_TRUE(device.IsPlaying(4));
  EXPECT_EQ(device.Frequency(4), 22050);
  device.SetFrequency(4, 30000);
  EXPECT_EQ(device.Frequency(4), 30000);
  // Releasing a sound stops every channel that shares it.
  device.Play(7, check, true, 0);
  device.Release(check);
  EXPECT_FALSE(device.IsPlaying(4) || device.IsPlaying(7));

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
  EXPECT_TRUE(WaitUntil([&] { return !device.SpeechPlaying(); }));
  device.Close();
}

}  // namespace
}  // namespace corvane
