// For the wild-card search: how close a set of ranks comes to a straight. For every set of ranks
// (bit r for rank r = 1..14, the Ace held at both 1 and 14) and every number k = 0..3 of cards
// still to come, the highest top rank of five consecutive ranks of which at most k are missing.
#pragma once

#include <cstdint>
#include <vector>

namespace corvane {

class StraightWindows {
 public:
  StraightWindows();

  // The table of the program, built on first use.
  static const StraightWindows& Instance();

  // The top rank of the best window (0 for none) in a rank set that already holds the low Ace at
  // bit 1; `missing` is 0..3.
  int Best(std::uint32_t ranksWithLowAce, int missing) const {
    return (tops_[(ranksWithLowAce >> 1) & 0x3FFFu] >> (4 * missing)) & 15;
  }

 private:
  // Indexed by bits 1..14 of the rank set; the top rank for k missing in bits 4k..4k + 3.
  std::vector<std::uint16_t> tops_;
};

}  // namespace corvane
