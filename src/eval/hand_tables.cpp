#include "eval/hand_tables.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <stdexcept>

#include "eval/hand_ranking.h"

namespace corvane {

namespace {

constexpr int kMaxCards = 7;
constexpr std::uint32_t kFlushMasks = 1u << 13;
// A rank multiset and its value (later the index of its value) in one word: 39 bits of rank
// counts, the value above.
constexpr int kValueShift = 40;
constexpr std::uint64_t kRankCountsMask = (std::uint64_t{1} << kValueShift) - 1;

// Every multiset of up to seven ranks, each rank up to seven times, with its value when no suit
// holds five cards: the ranking reads the suits only for a flush, so the cards are added and then
// their suits forgotten.
void CollectPlainHands(const RankCounts& counts, int rank, int left, std::uint64_t key,
                       std::vector<std::uint64_t>& out) {
  if (rank > 14 || left == 0) {
    RankCounts plain = counts;
    plain.SuitCounts = 0;
    plain.SuitRanks = 0;
    const auto value = static_cast<std::uint64_t>(RankCards(plain, nullptr));
    out.push_back(key | value << kValueShift);
    return;
  }
  RankCounts more = counts;
  for (int n = 0; n <= left; ++n) {
    CollectPlainHands(more, rank + 1, left - n, key + RankCountUnit(rank) * n, out);
    more.Add(MakeCard(n % 4 + 1, rank == 14 ? 1 : rank));
  }
}

// A fixed sequence of odd 64-bit multipliers (splitmix64), so every build makes the same tables.
std::uint64_t NextMultiplier(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return (z ^ (z >> 31)) | 1u;
}

}  // namespace

HandTables::HandTables() {
  std::vector<std::uint64_t> hands;
  hands.reserve(77520);
  CollectPlainHands(RankCounts{}, 2, kMaxCards, 0, hands);

  // The distinct values, each hand then holding the index of its value in place of the value.
  values_.reserve(hands.size());
  for (const std::uint64_t hand : hands)
    values_.push_back(static_cast<HandValue>(hand >> kValueShift));
  std::sort(values_.begin(), values_.end());
  values_.erase(std::unique(values_.begin(), values_.end()), values_.end());
  values_.shrink_to_fit();
  if (values_.size() > 0x10000u) throw std::logic_error("too many hand values for the table");
  for (std::uint64_t& hand : hands) {
    const auto value = static_cast<HandValue>(hand >> kValueShift);
    const auto index = static_cast<std::uint64_t>(
        std::lower_bound(values_.begin(), values_.end(), value) - values_.begin());
    hand = (hand & kRankCountsMask) | index << kValueShift;
  }

  // The perfect hash: each key falls into a bucket; the buckets, largest first, each get the first
  // displacement that moves all their keys to free slots.
  std::uint64_t seed = 0x436F7276616E65ull;
  bool built = false;
  for (int attempt = 0; attempt < 16 && !built; ++attempt) {
    bucketMultiplier_ = NextMultiplier(seed);
    slotMultiplier_ = NextMultiplier(seed);
    built = PlaceKeys(hands);
  }
  if (!built) throw std::logic_error("no perfect hash for the rank counts");

  flush_.assign(kFlushMasks, 0);
  for (std::uint32_t m = 0; m < kFlushMasks; ++m) {
    const auto ranks = static_cast<std::uint32_t>(CountRanks(m));
    std::uint32_t entry = ranks << 24;
    if (ranks >= 5) {
      RankCounts counts;
      for (int bit = 0; bit < 13; ++bit) {
        if ((m >> bit) & 1u) counts.Add(MakeCard(1, bit + 1));
      }
      entry |= static_cast<std::uint32_t>(RankCards(counts, nullptr));
    }
    flush_[m] = entry;
  }
}

bool HandTables::PlaceKeys(const std::vector<std::uint64_t>& hands) {
  constexpr std::size_t kBuckets = std::size_t{1} << kBucketBits;
  displacement_.assign(kBuckets, 0);
  plainIndex_.assign(kSlots, 0);

  // The keys grouped by bucket.
  std::vector<std::uint32_t> start(kBuckets + 1, 0);
  for (const std::uint64_t hand : hands) ++start[Bucket(hand & kRankCountsMask) + 1];
  std::uint32_t largest = 0;
  for (std::size_t b = 0; b < kBuckets; ++b) largest = std::max(largest, start[b + 1]);
  std::partial_sum(start.begin(), start.end(), start.begin());
  std::vector<std::uint32_t> members(hands.size());
  {
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < hands.size(); ++i)
      members[next[Bucket(hands[i] & kRankCountsMask)]++] = static_cast<std::uint32_t>(i);
  }

  const auto home = [&](std::uint32_t m) { return Home(hands[members[m]] & kRankCountsMask); };
  std::vector<std::uint8_t> used(kSlots, 0);
  const auto place = [&](std::uint32_t b, std::uint32_t d) {
    displacement_[b] = static_cast<std::uint16_t>(d);
    for (std::uint32_t m = start[b]; m < start[b + 1]; ++m) {
      const std::uint32_t slot = Displaced(home(m), d);
      used[slot] = 1;
      plainIndex_[slot] = static_cast<std::uint16_t>(hands[members[m]] >> kValueShift);
    }
  };
  for (std::uint32_t size = largest; size >= 1; --size) {
    for (std::uint32_t b = 0; b < kBuckets; ++b) {
      const std::uint32_t first = start[b];
      const std::uint32_t last = start[b + 1];
      if (last - first != size) continue;
      if (size == 1) {
        // A single key takes the first free slot from its own on.
        const std::uint32_t h = home(first);
        std::uint32_t d = 0;
        while (d < kDisplacements && used[Displaced(h, d)] != 0) ++d;
        if (d == kDisplacements) return false;
        place(b, d);
        continue;
      }
      std::uint32_t d = 0;
      for (; d < kDisplacements; ++d) {
        std::uint32_t m = first;
        for (; m < last; ++m) {
          const std::uint32_t slot = Displaced(home(m), d);
          if (used[slot] != 0) break;
          // Two keys of the bucket may meet in one slot.
          bool twice = false;
          for (std::uint32_t k = first; k < m && !twice; ++k) twice = Displaced(home(k), d) == slot;
          if (twice) break;
        }
        if (m == last) break;
      }
      if (d == kDisplacements) return false;
      place(b, d);
    }
  }
  return true;
}

const HandTables& HandTables::Instance() {
  static const HandTables tables;
  return tables;
}

std::size_t HandTables::TableBytes() const {
  return displacement_.size() * sizeof(displacement_[0]) +
         plainIndex_.size() * sizeof(plainIndex_[0]) + values_.size() * sizeof(values_[0]) +
         flush_.size() * sizeof(flush_[0]);
}

HandValue HandTables::WithFlush(const HandKey& key, std::uint32_t flushSuits) const {
  const int suit = std::countr_zero(flushSuits) / 4;  // at most one suit holds five of seven
  const auto ranks = static_cast<std::uint32_t>((key.Cards >> (13 * suit + 1)) & 0x1FFFu);
  const auto held = static_cast<std::uint32_t>((key.Counts >> (4 * suit)) & 15u);
  const std::uint32_t entry = flush_[ranks];
  if ((entry >> 24) != held) return kNeedsCards;
  // No card of the suit repeats, so the at most two other cards make neither five or four of a
  // kind nor a full house: the flush or straight flush is the hand.
  return static_cast<HandValue>(entry & 0xFFFFFFu);
}

}  // namespace corvane
