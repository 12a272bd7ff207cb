// Adding up chips. A count of chips is 32 bits wide, as the saved table keeps it. A table starts
// with at most seven players holding the starting chips each and chips only change hands, so no
// count and no sum of counts of a sound table comes near the top of 32 bits; the saved table is
// checked against that bound when it is read. Sums are still formed in 64 bits and held to the
// 32-bit range, so that no count can ever wrap round.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvane {

// count + amount, never beyond what a count of chips holds.
inline std::int32_t ChipSum(std::int64_t count, std::int64_t amount) {
  constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(count + amount, kLowest, kHighest));
}

// Adds amount to count in place.
inline void AddChips(std::int32_t& count, std::int64_t amount) {
  count = ChipSum(count, amount);
}

}  // namespace corvane
