#include "eval/straight_windows.h"

#include <array>

namespace corvane {

StraightWindows::StraightWindows() : tops_(std::size_t{1} << 14, 0) {
  for (std::uint32_t index = 0; index < tops_.size(); ++index) {
    const std::uint32_t ranks = index << 1;
    // Cards held in the window of each top rank 5..14.
    std::array<int, 15> held{};
    for (int top = 5; top <= 14; ++top) {
      for (int r = top - 4; r <= top; ++r)
        held[static_cast<std::size_t>(top)] += static_cast<int>((ranks >> r) & 1u);
    }
    std::uint16_t entry = 0;
    for (int missing = 0; missing <= 3; ++missing) {
      int top = 14;
      while (top >= 5 && 5 - held[static_cast<std::size_t>(top)] > missing) --top;
      if (top >= 5) entry = static_cast<std::uint16_t>(entry | (top << (4 * missing)));
    }
    tops_[index] = entry;
  }
}

const StraightWindows& StraightWindows::Instance() {
  static const StraightWindows windows;
  return windows;
}

}  // namespace corvane
