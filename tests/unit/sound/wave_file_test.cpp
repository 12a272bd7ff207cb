#include "platform/wave_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "test_waves.h"

namespace corvane {
namespace {

TEST(WaveFile, ReadsTheFormatAndTheLength) {
  testing::TempFolder folder;
  testing::WriteWave(folder.Path() + "a.wav", 0.5);
  const auto format = ReadWaveFormat(folder.Path() + "a.wav");
  ASSERT_TRUE(format.has_value());
  EXPECT_EQ(format->channels, 2);
  EXPECT_EQ(format->sampleRate, 22050);
  EXPECT_EQ(format->bitsPerSample, 16);
  EXPECT_EQ(format->blockAlign, 4);
  EXPECT_EQ(format->dataOffset, 44u);
  EXPECT_EQ(format->dataBytes, 11025u * 4);
  EXPECT_DOUBLE_EQ(format->Seconds(), 0.5);

  testing::WriteWave(folder.Path() + "m.wav", 1.0, 1, 11025);
  const auto mono = ReadWaveSamples(folder.Path() + "m.wav");
  ASSERT_TRUE(mono.has_value());
  EXPECT_EQ(mono->format.channels, 1);
  EXPECT_DOUBLE_EQ(mono->format.Seconds(), 1.0);
  ASSERT_EQ(mono->samples.size(), 11025u);
  EXPECT_EQ(mono->samples[0], -1000);
  EXPECT_EQ(mono->samples[50], 1000);
}

TEST(WaveFile, SkipsChunksBeforeTheData) {
  testing::TempFolder folder;
  std::ofstream out(folder.Path() + "list.wav", std::ios::binary);
  out.write("RIFF\x00\x00\x00\x00WAVE", 12);
  out.write("fmt \x10\x00\x00\x00", 8);
  const unsigned char fmt[16] = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0};
  out.write(reinterpret_cast<const char*>(fmt), 16);
  out.write(
      "LIST\x03\x00\x00\x00"
      "abc\x00",
      12);  // odd length, padded
  out.write("data\x04\x00\x00\x00\x01\x00\xFF\xFF", 12);
  out.close();
  const auto wave = ReadWaveSamples(folder.Path() + "list.wav");
  ASSERT_TRUE(wave.has_value());
  EXPECT_EQ(wave->format.dataOffset, 56u);
  ASSERT_EQ(wave->samples.size(), 2u);
  EXPECT_EQ(wave->samples[0], 1);
  EXPECT_EQ(wave->samples[1], -1);
}

TEST(WaveFile, RejectsWhatIsNotAWholePcmWave) {
  testing::TempFolder folder;
  EXPECT_FALSE(ReadWaveFormat(folder.Path() + "missing.wav"));
  std::ofstream(folder.Path() + "text.wav") << "hello, this is not a wave file at all";
  EXPECT_FALSE(ReadWaveFormat(folder.Path() + "text.wav"));
  // A data chunk that claims more than the file holds.
  testing::WriteWave(folder.Path() + "cut.wav", 0.5);
  std::filesystem::resize_file(folder.Path() + "cut.wav", 1000);
  EXPECT_FALSE(ReadWaveFormat(folder.Path() + "cut.wav"));
}

}  // namespace
}  // namespace corvane
