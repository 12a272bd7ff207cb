// Constant lookup tables that value a hand in a few steps: the value of every multiset of up to
// seven ranks as if no suit held five cards, found through a perfect hash of the rank counts, and
// the value of every set of ranks within one suit that holds five cards or more.
//
// The tables are filled once from the step-by-step ranking of eval/hand_ranking.h and never change,
// so every value they give is the one that ranking gives. About 0.3 MB in all.
#pragma once

#include <cstdint>
#include <vector>

#include "eval/evaluator.h"
#include "eval/hand_key.h"

namespace corvane {

class HandTables {
 public:
  // Returned by Value when a suit of five cards or more holds some card twice: the value then
  // depends on which cards repeat, and the caller ranks the cards themselves.
  static constexpr HandValue kNeedsCards = -1;

  HandTables();

  // The tables of the program, built on first use.
  static const HandTables& Instance();

  // The value of the packed cards, or kNeedsCards.
  HandValue Value(const HandKey& key) const {
    // Bit 3 of a suit's count is set once three more would reach eight: five cards or more.
    const std::uint32_t flushSuits = (static_cast<std::uint32_t>(key.Counts) + 0x3333u) & 0x8888u;
    if (flushSuits != 0) [[unlikely]]
      return WithFlush(key, flushSuits);
    return PlainValue(key.RankCounts());
  }

  // The value of the rank counts alone (rank 2 at bit 0, three bits a rank), as if no suit held
  // five cards.
  HandValue PlainValue(std::uint64_t rankCounts) const {
    return values_[plainIndex_[Slot(rankCounts)]];
  }

  // The size of the tables in bytes.
  std::size_t TableBytes() const;

 private:
  static constexpr int kBucketBits = 15;
  // 77,520 rank multisets in 90,112 slots.
  static constexpr std::uint32_t kSlots = 11u << 13;
  static constexpr std::uint32_t kDisplacements = 1u << 16;

  std::uint32_t Bucket(std::uint64_t ranks) const {
    return static_cast<std::uint32_t>((ranks * bucketMultiplier_) >> (64 - kBucketBits));
  }
  // The slot before displacement, 0..kSlots - 1.
  std::uint32_t Home(std::uint64_t ranks) const {
    const auto h = static_cast<std::uint32_t>((ranks * slotMultiplier_) >> 32);
    return static_cast<std::uint32_t>((std::uint64_t{h} * kSlots) >> 32);
  }
  static std::uint32_t Displaced(std::uint32_t home, std::uint32_t displacement) {
    const std::uint32_t slot = home + displacement;
    return slot >= kSlots ? slot - kSlots : slot;
  }
  std::uint32_t Slot(std::uint64_t ranks) const {
    return Displaced(Home(ranks), displacement_[Bucket(ranks)]);
  }

  HandValue WithFlush(const HandKey& key, std::uint32_t flushSuits) const;
  // Builds the perfect hash with the current multipliers; false when some bucket finds no place.
  // Each entry of `hands` is a rank multiset (rank counts as in PlainValue) in bits 0..39 and the
  // index in values_ of its value when no suit holds five cards in bits 40..63.
  bool PlaceKeys(const std::vector<std::uint64_t>& hands);

  std::uint64_t bucketMultiplier_ = 0;
  std::uint64_t slotMultiplier_ = 0;
  std::vector<std::uint16_t> displacement_;  // per bucket, added to the slot
  std::vector<std::uint16_t> plainIndex_;    // per slot, the index of its value in values_
  std::vector<HandValue> values_;            // the distinct values, rising
  // Per set of ranks in one suit (bit 0 the Ace, bit k rank k + 1): the value of the flush or
  // straight flush in bits 0..23, the number of ranks in bits 24..31.
  std::vector<std::uint32_t> flush_;
};

}  // namespace corvane
