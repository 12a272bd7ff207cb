// The real mixer through SDL's disk and dummy drivers (no sound card needed): the levels and the
// limit of what it writes, every generated sound loaded and played, sounds that end or loop,
// shared sounds released, start positions, and the game's own voice queued and stopped.
#include "platform/desktop/sdl_audio_device.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/wave.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

// Blocks for up to five seconds until `done` holds; true when it did.
template <typename Done>
bool WaitUntil(Done done) {
  const Uint64 until = SDL_GetTicks64() + 5000;
  while (!done() && SDL_GetTicks64() < until) SDL_Delay(10);
  return done();
}

// Volumes and pans (hundredths of a dB) as SDL's disk driver records the mix: each side of a square
// wave of 16000 at 16000 x 10^(dB / 20), the party's every 2 dB step and the game's quietest sounds
// heard; seven at once at the limiter's ceiling, never full scale; full volume sample for sample.
TEST(SdlAudioDevice, VolumesAndTheLimitOfTheMixRecordedByTheDiskDriver) {
  TestFolder folder;
  constexpr int kAmplitude = 16000;
  const std::string wave = testing::SquareWave(0.05, kAmplitude);
  folder.Write("square.wav", wave);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", folder.File("mix.raw").c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "4", 1);  // a period of 46 ms every 4 ms
  struct Row {
    int volume, pan, sounds = 1;
  };
  // The quietest coin and shuffle, seven at once, full volume, to one side, past the range.
  std::vector<Row> rows{{-3500 - 1400 - 800, 0}, {-5000, 1750}, {0, 0, 7}, {0, 0},
                        {-2000, 1000},           {0, -10000},   {500, 0},  {-10000, 0}};
  for (int party = -5000; party <= -1000; party += 200) rows.push_back({party, 0});
  {
    SdlAudioDevice device;
    ASSERT_TRUE(device.Open()) << SDL_GetError();
    const SoundId square = device.Load(folder.File("square.wav"));
    ASSERT_NE(square, kNoSound) << SDL_GetError();
    for (const Row& row : rows) {
      for (int channel = 1; channel <= row.sounds; ++channel) {
        device.SetVolume(channel, row.volume);
        device.SetPan(channel, row.pan);
        device.Play(channel, square, false, 0);
      }
      ASSERT_TRUE(WaitUntil([&] { return !device.IsPlaying(1); }));
      SDL_Delay(40);  // silent periods between the sounds
    }
    device.Close();
  }
  // The sounds in the recording: the runs of frames that are not silent, and the peak of each side.
  const std::string bytes = folder.Read("mix.raw");
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  std::vector<std::array<int, 3>> heard;  // left, right, where it starts
  int fullScale = 0;
  for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
    const int left = std::abs(samples[i]), right = std::abs(samples[i + 1]);
    fullScale += (left >= 32767) + (right >= 32767);
    if (left + right == 0) continue;
    if (i == 0 || (samples[i - 2] == 0 && samples[i - 1] == 0)) heard.push_back({0, 0, int(i)});
    heard.back() = {std::max(heard.back()[0], left), std::max(heard.back()[1], right),
                    heard.back()[2]};
  }
  const auto expected = [](int db) {
    return db <= -10000 ? 0 : kAmplitude * std::pow(10.0, std::min(db, 0) / 2000.0);
  };
  std::size_t next = 0;
  for (const Row& row : rows) {
    const double left = row.sounds > 1 ? 31655 : expected(row.volume - std::max(row.pan, 0));
    const double right = row.sounds > 1 ? 31655 : expected(row.volume + std::min(row.pan, 0));
    if (left + right < 0.5) continue;  // silence: nothing in the file
    ASSERT_LT(next, heard.size());
    EXPECT_NEAR(heard[next][0], left, 0.5) << row.volume << " " << row.pan;
    EXPECT_NEAR(heard[next][1], right, 0.5) << row.volume << " " << row.pan;
    if (row.volume == 0 && row.pan == 0 && row.sounds == 1) {  // sample for sample
      EXPECT_EQ(bytes.substr(2 * std::size_t(heard[next][2]), wave.size() - 44), wave.substr(44));
    }
    ++next;
  }
  EXPECT_EQ(next, heard.size());
  EXPECT_EQ(fullScale, 0);
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
