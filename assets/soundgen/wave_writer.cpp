#include "wave_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace soundgen {
namespace {

void Put16(std::vector<unsigned char>& out, std::uint16_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}

void PutTag(std::vector<unsigned char>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

std::int16_t ToSample(float x) {
  const double scaled = std::round(double(x) * 32767.0);
  return static_cast<std::int16_t>(std::clamp(scaled, -32767.0, 32767.0));
}

}  // namespace

bool WriteWave(const std::string& path, const Track& track) {
  constexpr int kChannels = 2;
  constexpr int kBlockAlign = kChannels * 2;
  const auto dataBytes = static_cast<std::uint32_t>(track.size() * kBlockAlign);
  std::vector<unsigned char> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, kChannels);
  Put32(out, kRate);
  Put32(out, kRate * kBlockAlign);
  Put16(out, kBlockAlign);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (std::size_t i = 0; i < track.size(); ++i) {
    Put16(out, static_cast<std::uint16_t>(ToSample(track.left()[i])));
    Put16(out, static_cast<std::uint16_t>(ToSample(track.right()[i])));
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

}  // namespace soundgen
