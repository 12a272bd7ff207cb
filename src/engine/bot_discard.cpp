#include "engine/bot_discard.h"

#include <algorithm>
#include <string>

#include "engine/hand_wild_cards.h"

namespace corvane {

namespace {

constexpr int kMostHighCardsThrown = 3;

bool Holds(const HandSlots& cards, int slot) {
  const CardNumber card = cards[static_cast<std::size_t>(slot)];
  return card >= 1 && card <= 52;
}

bool CanThrow(const HandSlots& cards, const DrawableSlots& drawable, int slot,
              const std::vector<int>& thrown) {
  return Holds(cards, slot) && drawable[static_cast<std::size_t>(slot)] &&
         std::find(thrown.begin(), thrown.end(), slot) == thrown.end();
}

// The first slot the bot may throw whose card passes `test`, or 0.
template <typename Test>
int FirstThrowable(const HandSlots& cards, const DrawableSlots& drawable,
                   const std::vector<int>& thrown, Test test) {
  for (int slot = 1; slot <= 7; ++slot) {
    if (CanThrow(cards, drawable, slot, thrown) && test(cards[static_cast<std::size_t>(slot)])) {
      return slot;
    }
  }
  return 0;
}

// Pair, two pairs, three of a kind: every card held once goes, ranks from the Ace up.
std::vector<int> ThrowSingles(const HandSlots& cards, const DrawableSlots& drawable,
                              const std::array<int, 14>& rankCount, int limit) {
  std::vector<int> thrown;
  for (int rank = 1; rank <= 13 && static_cast<int>(thrown.size()) < limit; ++rank) {
    if (rankCount[static_cast<std::size_t>(rank)] != 1) continue;
    const int slot = FirstThrowable(cards, drawable, thrown,
                                    [rank](CardNumber c) { return CardRank(c) == rank; });
    if (slot != 0) thrown.push_back(slot);
  }
  return thrown;
}

// Four cards of one suit: the first card of another suit goes.
std::vector<int> ThrowOffSuit(const HandSlots& cards, const DrawableSlots& drawable,
                              const std::array<int, 5>& suitCount) {
  for (int suit = 1; suit <= 4; ++suit) {
    if (suitCount[static_cast<std::size_t>(suit)] < 4) continue;
    const int slot =
        FirstThrowable(cards, drawable, {}, [suit](CardNumber c) { return CardSuit(c) != suit; });
    if (slot != 0) return {slot};
    return {};
  }
  return {};
}

// Four ranks in sequence (the Ace below the Two and above the King): the first card outside the
// lowest such run goes.
std::vector<int> ThrowOutsideRun(const HandSlots& cards, const DrawableSlots& drawable,
                                 const std::array<int, 14>& rankCount) {
  std::array<bool, 15> held{};
  for (std::size_t rank = 1; rank <= 13; ++rank) held[rank] = rankCount[rank] > 0;
  held[14] = held[1];
  for (int low = 1; low + 3 <= 14; ++low) {
    bool run = true;
    for (int r = low; r < low + 4; ++r) run = run && held[static_cast<std::size_t>(r)];
    if (!run) continue;
    const int top = low + 3;
    const auto inRun = [low, top](CardNumber c) {
      const int rank = CardRank(c);
      return (rank >= low && rank <= top) || (rank == 1 && top == 14);
    };
    const int slot = FirstThrowable(cards, drawable, {}, [&](CardNumber c) { return !inRun(c); });
    if (slot != 0) return {slot};
    return {};
  }
  return {};
}

// Nothing to draw to: the lowest cards go, at most three, the highest are kept.
std::vector<int> ThrowLowest(const HandSlots& cards, const DrawableSlots& drawable, int limit) {
  std::vector<int> slots;
  for (int slot = 1; slot <= 7; ++slot) {
    if (CanThrow(cards, drawable, slot, {})) slots.push_back(slot);
  }
  std::stable_sort(slots.begin(), slots.end(), [&](int a, int b) {
    return PlayRank(cards[static_cast<std::size_t>(a)]) <
           PlayRank(cards[static_cast<std::size_t>(b)]);
  });
  const auto count = static_cast<std::size_t>(std::min(limit, kMostHighCardsThrown));
  if (slots.size() > count) slots.resize(count);
  return slots;
}

}  // namespace

std::vector<int> BotDiscard(const HandSlots& cards, const DrawableSlots& drawable,
                            int maxDrawCards) {
  if (maxDrawCards <= 0) return {};
  const FaceUpSlots noneUp{};
  const int category = HandCategory(EvaluateHandValue(cards, noneUp, false));
  if (category >= kStraight) return {};

  std::array<int, 14> rankCount{};
  std::array<int, 5> suitCount{};
  for (int slot = 1; slot <= 7; ++slot) {
    if (!Holds(cards, slot)) continue;
    const CardNumber card = cards[static_cast<std::size_t>(slot)];
    ++rankCount[static_cast<std::size_t>(CardRank(card))];
    ++suitCount[static_cast<std::size_t>(CardSuit(card))];
  }
  if (category >= kOnePair) return ThrowSingles(cards, drawable, rankCount, maxDrawCards);

  if (auto thrown = ThrowOffSuit(cards, drawable, suitCount); !thrown.empty()) return thrown;
  if (auto thrown = ThrowOutsideRun(cards, drawable, rankCount); !thrown.empty()) return thrown;
  return ThrowLowest(cards, drawable, maxDrawCards);
}

std::vector<int> WildBotDiscard(const HandSlots& cards, const DrawableSlots& drawable,
                                const WildList& wilds, int maxDrawCards) {
  std::string description;
  std::vector<CardNumber> kickers;
  const FaceUpSlots noneUp{};
  EvaluateHand(cards, noneUp, false, kRecordKickers, description, &kickers);
  const int limit = std::min<int>(maxDrawCards, static_cast<int>(kickers.size()));
  std::vector<int> thrown;
  for (const CardNumber kicker : kickers) {
    if (static_cast<int>(thrown.size()) >= limit) break;
    if (IsOnWildList(wilds, kicker)) continue;
    const int slot =
        FirstThrowable(cards, drawable, thrown, [kicker](CardNumber c) { return c == kicker; });
    if (slot != 0) thrown.push_back(slot);
  }
  return thrown;
}

}  // namespace corvane
