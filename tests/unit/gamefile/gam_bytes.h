// Builds .gam files byte by byte for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::testing {

class GamBytes {
 public:
  GamBytes& Text(const std::string& cp1252) {
    std::string field = cp1252;
    field.resize(120, ' ');
    bytes_.insert(bytes_.end(), field.begin(), field.end());
    return *this;
  }
  GamBytes& Int(int value) {
    const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
    bytes_.push_back(static_cast<unsigned char>(v & 0xFF));
    bytes_.push_back(static_cast<unsigned char>(v >> 8));
    return *this;
  }
  // Announcement, betting, face up, shared, draws, most cards a draw, bet after draw.
  GamBytes& Round(const std::string& announcement, int betting, int faceUp, int shared, int draws,
                  int maxDraw, int betAfter) {
    return Text(announcement)
        .Int(betting)
        .Int(faceUp)
        .Int(shared)
        .Int(draws)
        .Int(maxDraw)
        .Int(betAfter);
  }
  const std::vector<unsigned char>& Bytes() const { return bytes_; }

 private:
  std::vector<unsigned char> bytes_;
};

}  // namespace corvane::testing
