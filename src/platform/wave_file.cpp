#include "platform/wave_file.h"

#include <array>
#include <cstring>
#include <fstream>

namespace corvane {
namespace {

std::uint32_t Le32(const unsigned char* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

std::uint16_t Le16(const unsigned char* p) {
  return std::uint16_t(p[0] | p[1] << 8);
}

}  // namespace

std::optional<WaveFormat> ReadWaveFormat(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  const auto fileSize = static_cast<std::uint64_t>(in.tellg());
  in.seekg(0);

  std::array<unsigned char, 12> riff{};
  if (!in.read(reinterpret_cast<char*>(riff.data()), riff.size())) return std::nullopt;
  if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }

  WaveFormat format;
  bool haveFormat = false;
  std::uint64_t pos = 12;
  while (pos + 8 <= fileSize) {
    std::array<unsigned char, 8> header{};
    in.seekg(static_cast<std::streamoff>(pos));
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) return std::nullopt;
    const std::uint32_t size = Le32(header.data() + 4);
    const std::uint64_t body = pos + 8;
    if (std::memcmp(header.data(), "fmt ", 4) == 0) {
      if (size < 16 || body + 16 > fileSize) return std::nullopt;
      std::array<unsigned char, 16> fmt{};
      if (!in.read(reinterpret_cast<char*>(fmt.data()), fmt.size())) return std::nullopt;
      if (Le16(fmt.data()) != 1) return std::nullopt;  // PCM only
      format.channels = Le16(fmt.data() + 2);
      format.sampleRate = static_cast<int>(Le32(fmt.data() + 4));
      format.blockAlign = Le16(fmt.data() + 12);
      format.bitsPerSample = Le16(fmt.data() + 14);
      if (format.channels < 1 || format.sampleRate < 1 || format.blockAlign < 1) {
        return std::nullopt;
      }
      haveFormat = true;
    } else if (std::memcmp(header.data(), "data", 4) == 0) {
      if (!haveFormat || body + size > fileSize) return std::nullopt;
      format.dataOffset = static_cast<std::uint32_t>(body);
      format.dataBytes = size;
      return format;
    }
    pos = body + size + (size & 1);  // chunks are padded to an even length
  }
  return std::nullopt;
}

std::optional<WaveSamples> ReadWaveSamples(const std::string& path) {
  auto format = ReadWaveFormat(path);
  if (!format || format->bitsPerSample != 16) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(format->dataOffset);
  std::vector<unsigned char> bytes(format->dataBytes);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    return std::nullopt;
  }
  WaveSamples wave{*format, {}};
  wave.samples.resize(bytes.size() / 2);
  for (std::size_t i = 0; i < wave.samples.size(); ++i) {
    wave.samples[i] = static_cast<std::int16_t>(Le16(bytes.data() + 2 * i));
  }
  return wave;
}

}  // namespace corvane
