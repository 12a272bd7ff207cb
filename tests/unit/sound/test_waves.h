// Small wave files made on the spot: a temporary program folder for the sound engine's tests.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace corvane::testing {

// A fresh folder, removed again with the object.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "corvane-sound-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = name.data();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // With a trailing "/".
  std::string Path() const { return path_ + "/"; }

 private:
  std::string path_;
};

inline void Put16(std::ofstream& out, std::uint16_t v) {
  const char bytes[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  out.write(bytes, 2);
}
inline void Put32(std::ofstream& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}

// A PCM wave file of `seconds` of a quiet square wave.
inline void WriteWave(const std::string& path, double seconds, int channels = 2, int rate = 22050) {
  const auto frames = static_cast<std::uint32_t>(seconds * rate + 0.5);
  const std::uint32_t dataBytes = frames * 2 * static_cast<std::uint32_t>(channels);
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  Put32(out, 36 + dataBytes);
  out.write("WAVEfmt ", 8);
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, static_cast<std::uint16_t>(channels));
  Put32(out, static_cast<std::uint32_t>(rate));
  Put32(out, static_cast<std::uint32_t>(rate * 2 * channels));
  Put16(out, static_cast<std::uint16_t>(2 * channels));
  Put16(out, 16);
  out.write("data", 4);
  Put32(out, dataBytes);
  for (std::uint32_t i = 0; i < frames * static_cast<std::uint32_t>(channels); ++i) {
    Put16(out, (i / 50) % 2 ? 1000 : static_cast<std::uint16_t>(-1000));
  }
}

}  // namespace corvane::testing
