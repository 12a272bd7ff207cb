// The bench signature: a 64-bit FNV-1a hash over the transcripts of the bench tables, in order, so
// that a changed word, a line more or less, or two lines in another order give another value.
#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

class TranscriptSignature {
 public:
  void Add(std::string_view text) {
    for (const char c : text) {
      hash_ ^= static_cast<unsigned char>(c);
      hash_ *= kPrime;
    }
  }
  std::uint64_t Value() const { return hash_; }

 private:
  static constexpr std::uint64_t kOffsetBasis = 14695981039346656037ULL;
  static constexpr std::uint64_t kPrime = 1099511628211ULL;
  std::uint64_t hash_ = kOffsetBasis;
};

}  // namespace corvane
