// The sounds our generator writes beside the program at build time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/wave_file.h"

namespace corvane {
namespace {

const std::vector<std::string> kSoundFiles = {
    "intro0.wav",   "intro.WAV",    "intro2.wav", "POKERPARTY.WAV", "congratz.wav",  "shuffle1.wav",
    "shuffle2.wav", "shuffle3.wav", "deal.wav",   "check.wav",      "fold1.wav",     "fold2.wav",
    "coin1.wav",    "coin2.wav",    "coin3.wav",  "coin4.wav",      "leavetable.wav"};

WaveSamples Load(const std::string& name) {
  auto wave = ReadWaveSamples(std::string(CORVANE_PROGRAM_FOLDER) + name);
  if (!wave) ADD_FAILURE() << "cannot read " << name;
  return wave.value_or(WaveSamples{});
}

int Peak(const WaveSamples& wave) {
  int peak = 0;
  for (std::int16_t s : wave.samples) peak = std::max(peak, std::abs(int(s)));
  return peak;
}

TEST(GeneratedSounds, EveryFileIsThereIn22050Hz16BitStereo) {
  for (const auto& name : kSoundFiles) {
    const WaveSamples wave = Load(name);
    EXPECT_EQ(wave.format.sampleRate, 22050) << name;
    EXPECT_EQ(wave.format.bitsPerSample, 16) << name;
    EXPECT_EQ(wave.format.channels, 2) << name;
    EXPECT_EQ(wave.format.blockAlign, 4) << name;
    EXPECT_GT(wave.format.Seconds(), 0.2) << name;
    EXPECT_LT(wave.format.Seconds(), 25.0) << name;
  }
}

TEST(GeneratedSounds, PeaksStayBelowFullScaleAndAreNotSilent) {
  for (const auto& name : kSoundFiles) {
    const int peak = Peak(Load(name));
    EXPECT_LT(peak, 32767 * 95 / 100) << name;  // headroom: no clipping anywhere
    EXPECT_GT(peak, 32767 / 4) << name;
  }
}

TEST(GeneratedSounds, TheBackgroundLoopJoinsWithoutAJump) {
  const WaveSamples party = Load("POKERPARTY.WAV");
  ASSERT_EQ(party.format.channels, 2);
  const std::size_t frames = party.samples.size() / 2;
  ASSERT_GT(frames, 22050u * 5);  // long enough not to be heard repeating at once
  for (int channel = 0; channel < 2; ++channel) {
    // The typical step between neighbouring samples...
    std::vector<int> steps;
    for (std::size_t i = 1; i < frames; ++i) {
      steps.push_back(
          std::abs(party.samples[2 * i + channel] - party.samples[2 * (i - 1) + channel]));
    }
    std::sort(steps.begin(), steps.end());
    const int usual = steps[steps.size() * 99 / 100];
    // ...is also the step from the last sample back to the first.
    const int seam = std::abs(party.samples[channel] - party.samples[2 * (frames - 1) + channel]);
    EXPECT_LE(seam, usual) << "channel " << channel;
    // And the loop has no silent stretch at its ends (no fade to zero hides the seam).
    double energy = 0;
    for (std::size_t i = 0; i < 2205; ++i) energy += std::abs(party.samples[2 * i + channel]);
    EXPECT_GT(energy / 2205, 100.0) << "channel " << channel;
  }
}

TEST(GeneratedSounds, TheVariantsOfOneSoundDiffer) {
  const std::vector<std::vector<std::string>> families = {
      {"shuffle1.wav", "shuffle2.wav", "shuffle3.wav"},
      {"fold1.wav", "fold2.wav"},
      {"coin1.wav", "coin2.wav", "coin3.wav", "coin4.wav"},
      {"intro0.wav", "intro.WAV", "intro2.wav"}};
  for (const auto& family : families) {
    for (std::size_t a = 0; a < family.size(); ++a) {
      for (std::size_t b = a + 1; b < family.size(); ++b) {
        const WaveSamples x = Load(family[a]);
        const WaveSamples y = Load(family[b]);
        // Different lengths, or mostly different samples over the common length.
        const std::size_t n = std::min(x.samples.size(), y.samples.size());
        std::size_t same = 0;
        for (std::size_t i = 0; i < n; ++i) same += x.samples[i] == y.samples[i];
        EXPECT_TRUE(x.samples.size() != y.samples.size() || same < n / 2)
            << family[a] << " and " << family[b];
        EXPECT_LT(same, n / 2) << family[a] << " and " << family[b];
      }
    }
  }
}

}  // namespace
}  // namespace corvane
