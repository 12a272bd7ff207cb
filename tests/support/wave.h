#pragma once

#include <cstdint>
#include <string>

namespace corvane::testing {

// A 16-bit PCM wave file of `seconds` of a square wave of `amplitude` (never zero; half a period
// every 50 samples), `channels` at `rate`.
inline std::string SquareWave(double seconds, int amplitude = 1000, int channels = 2,
                              int rate = 22050) {
  const auto frames = static_cast<std::uint32_t>(seconds * rate + 0.5);
  const std::uint32_t data = frames * 2 * static_cast<std::uint32_t>(channels);
  std::string bytes;
  const auto put = [&bytes](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
  };
  bytes += "RIFF";
  put(36 + data, 4);
  bytes += "WAVEfmt ";
  put(16, 4), put(1, 2), put(channels, 2), put(rate, 4), put(rate * 2 * channels, 4);
  put(2 * channels, 2), put(16, 2);
  bytes += "data";
  put(data, 4);
  for (std::uint32_t i = 0; i < data / 2; ++i) {
    put(static_cast<std::uint16_t>((i / 50) % 2 ? amplitude : -amplitude), 2);
  }
  return bytes;
}

}  // namespace corvane::testing
