// The real mixer through SDL's disk and dummy drivers (no sound card needed): the levels and the
// limit of what it writes, every generated sound loaded and played, sounds that end or loop,
// shared sounds released, start positions, and the game's own voice queued and stopped.
#include "platform/desktop/sdl_audio_device.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/attenuation.h"
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

// What the mixer writes, recorded by SDL's disk driver: a square wave of 16000 played at each
// volume step of the party sound and at the ends of the table's, on one side, and seven at once.
// Every step is its 2 dB (the output rounded to whole samples), the quietest is heard, a sound at
// full volume is written sample for sample, and the seven reach the limiter's ceiling without a
// sample at full scale anywhere in the file.
TEST(SdlAudioDevice, LevelsAndTheLimitOfTheMixRecordedByTheDiskDriver) {
  TestFolder folder;
  constexpr int kAmplitude = 16000;
  folder.Write("square.wav", testing::SquareWave(0.05, kAmplitude));
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", folder.File("mix.raw").c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "4", 1);  // a period of 46 ms every 4 ms
  struct Row {
    int volume, pan, sounds;
  };
  std::vector<Row> rows;
  for (int party = -5000; party <= -1000; party += 200) rows.push_back({party, 0, 1});
  const std::size_t partySteps = rows.size();
  // The quietest coin; full volume; on one side; seven at once.
  for (const Row row : {Row{-3500 - 1400 - 800, 0, 1}, Row{0, 0, 1}, Row{-2000, 1000, 1},
                        Row{0, -3000, 1}, Row{0, 0, 7}}) {
    rows.push_back(row);
  }
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

  // The sounds in the recording: the runs of frames that are not silent.
  const std::string bytes = folder.Read("mix.raw");
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  struct Heard {
    int left = 0, right = 0;  // the peak of each side
    std::size_t from = 0;
  };
  std::vector<Heard> heard;
  int fullScale = 0;
  bool within = false;
  for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
    const int left = std::abs(samples[i]), right = std::abs(samples[i + 1]);
    fullScale += (left >= 32767) + (right >= 32767);
    if (left == 0 && right == 0) {
      within = false;
      continue;
    }
    if (!within) heard.push_back({0, 0, i});
    within = true;
    heard.back().left = std::max(heard.back().left, left);
    heard.back().right = std::max(heard.back().right, right);
  }
  ASSERT_EQ(heard.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const StereoGain gain = ChannelGain(rows[i].volume, rows[i].pan);
    const bool limited = rows[i].sounds > 1;  // at the limiter's ceiling
    const std::string at = std::to_string(rows[i].volume) + " " + std::to_string(rows[i].pan);
    EXPECT_NEAR(heard[i].left, limited ? 31655 : kAmplitude * gain.left, 0.5) << at;
    EXPECT_NEAR(heard[i].right, limited ? 31655 : kAmplitude * gain.right, 0.5) << at;
  }
  // The sound at full volume, sample for sample.
  for (std::size_t i = 0, at = heard[partySteps + 1].from; i < 2 * 1102; ++i) {
    ASSERT_EQ(samples[at + i], (i / 50) % 2 ? kAmplitude : -kAmplitude) << i;
  }
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
