// Reading a wave file: its format and the place and length of its samples.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The format chunk of a PCM wave file and where its data chunk lies.
struct WaveFormat {
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  int blockAlign = 0;            // bytes per sample frame
  std::uint32_t dataOffset = 0;  // byte offset of the first sample in the file
  std::uint32_t dataBytes = 0;   // length of the data chunk in bytes

  std::uint32_t Frames() const { return blockAlign > 0 ? dataBytes / blockAlign : 0; }
  // Playing time at the file's own rate.
  double Seconds() const { return sampleRate > 0 ? double(Frames()) / sampleRate : 0.0; }
};

// The format of a PCM wave file; nothing when the file is missing, not a RIFF/WAVE file, not PCM,
// or its chunks are cut short.
std::optional<WaveFormat> ReadWaveFormat(const std::string& path);

// The whole file: its format and its 16-bit samples, interleaved by channel. Nothing when the file
// cannot be read or is not 16-bit PCM.
struct WaveSamples {
  WaveFormat format;
  std::vector<std::int16_t> samples;
};
std::optional<WaveSamples> ReadWaveSamples(const std::string& path);

}  // namespace corvane
