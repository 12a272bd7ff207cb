// The best hand with wild cards: hand-made hands, then random ones against the brute force that
// tries every card for each wild slot (four or more wild cards follow their own rule).
#include <gtest/gtest.h>

#include <random>

#include "reference_evaluator.h"
#include "test_hands.h"

namespace corvane::testing {
namespace {

struct Result {
  HandValue value;
  std::string words;
  HandSlots best;
};

Result Fast(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly,
            const WildList& wilds) {
  Result r;
  r.value = BestHandWithWilds(hand, faceUp, showingOnly, wilds, r.words, &r.best);
  return r;
}

void ExpectAsTheBruteForce(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly,
                           const WildList& wilds) {
  const Result fast = Fast(hand, faceUp, showingOnly, wilds);
  Result slow;
  slow.value = reference::BestWithWilds(
      hand, faceUp, showingOnly, wilds, slow.words, slow.best,
      [&](const HandSlots& trial) { return EvaluateHandValue(trial, faceUp, showingOnly); });
  ASSERT_EQ(fast.value, slow.value) << slow.words;
  ASSERT_EQ(fast.words, slow.words);
  ASSERT_EQ(fast.best, slow.best) << slow.words;
}

TEST(BestHandWithWilds, HandMadeHands) {
  const struct {
    const char* cards;
    const char* faceUp;  // with a mask, only the face-up slots count
    const char* wilds;
    HandValue value;
    const char* words;
    const char* best;  // the cards of the winning substitution
  } rows[] = {
      // No wild card in the hand: one valuation.
      {"Js Jh Ac 5d 3s", "", "Ks", MakeHandValue(2, 11, 14, 5, 3, 0), "Pair of Jacks ",
       "Js Jh Ac 5d 3s"},
      // One wild card becomes the first best card: the King of Spades.
      {"Kh Kc 9d 5s 2h", "", "2h", MakeHandValue(4, 13, 9, 5, 0, 0), "three of a kind in Kings ",
       "Kh Kc 9d 5s Ks"},
      // Three wild cards: Eight, Ten and Jack of Spades round the Five, Seven and Nine.
      {"5s 2h 7s Qd 9s Qc Kd", "", "2h Qd Qc", MakeHandValue(9, 11, 0, 0, 0, 0),
       "Straight Flush Jack high.", "5s 8s 7s Ts 9s Js Kd"},
      // The Ace of Spades again beats any other card for the flush.
      {"As Ks Qs 9s 2h 3d 4c", "", "4c", MakeHandValue(6, 14, 14, 13, 12, 9), "Flush Ace high",
       "As Ks Qs 9s 2h 3d As"},
      // Four wild cards join the highest natural rank, the Ace high; with none, four Aces.
      {"2s Ah 2h Kd 2c 2d 7s", "", "2s 2h 2c 2d", 10708750, "Five of a kind in Aces.",
       "As Ah Ah Kd Ac Ad 7s"},
      {"2s 2h Kd 2c 2d 7s", "", "2s 2h 2c 2d", MakeHandValue(10, 13, 0, 0, 0, 0),
       "Five of a kind in Kings.", "Ks Kh Kd Kc Kd 7s"},
      {"2s 2h 2c 2d", "", "2s 2h 2c 2d", MakeHandValue(8, 14, 0, 0, 0, 0),
       "Four of a kind in Aces ", "As Ah Ac Ad"},
      // Five wild cards or more: five Aces of Spades.
      {"2s 2h 2c 2d 3s 9d", "", "2s 2h 2c 2d 3s 3h", 10708750, "Five of a kind in Aces.",
       "As As As As As 9d"},
      // Only the face-up Queen, wild Two and Nine count: a pair of Queens.
      {"As Ah Qc 2d 5s 9h 2c", "..UU.U.", "2d 2c", MakeHandValue(2, 12, 9, 0, 0, 0),
       "Pair of Queens ", "-- -- Qc Qs -- 9h --"},
      {"As Ah Qc 2d 5s 9h 2c", "D", "2d 2c", 1000000, "not showing", "-- -- -- -- -- -- --"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cards);
    const HandSlots hand = Hand(row.cards);
    const FaceUpSlots faceUp = FaceUp(row.faceUp);
    const bool showingOnly = *row.faceUp != '\0';
    const Result r = Fast(hand, faceUp, showingOnly, Wilds(row.wilds));
    EXPECT_EQ(r.value, row.value);
    EXPECT_EQ(r.words, row.words);
    EXPECT_EQ(r.best, Hand(row.best));
    ExpectAsTheBruteForce(hand, faceUp, showingOnly, Wilds(row.wilds));
  }
}

// Random hands of up to seven cards, `wildSlots` of them wild, with up to two wild cards that are
// not in the hand; every fourth hand counts its face-up slots only. With `crowded`, the cards come
// from two suits and few ranks, some repeated: where the search's bounds are closest.
void CrossCheck(int wildSlots, int hands, unsigned seed, bool repeats, bool crowded) {
#ifdef CORVANE_EVAL_SANITIZED
  hands = hands / 5 + 1;  // the brute force is slow under the sanitizers
#endif
  std::mt19937 rng(seed);
  std::bernoulli_distribution coin(0.5);
  std::uniform_int_distribution<int> anyCard(1, 52);
  std::uniform_int_distribution<int> rank(1, 13);
  std::uniform_int_distribution<int> high(8, 13);  // % 13 + 1: Nine to King and the Ace
  for (int n = 0; n < hands && !::testing::Test::HasFatalFailure(); ++n) {
    std::array<CardNumber, 52> deck{};
    for (int i = 0; i < 52; ++i) deck[static_cast<std::size_t>(i)] = static_cast<CardNumber>(i + 1);
    std::shuffle(deck.begin(), deck.end(), rng);
    const bool showingOnly = !crowded && n % 4 == 3;
    const int size = n % 8 == 7 ? std::uniform_int_distribution<int>(wildSlots, 7)(rng) : 7;
    HandSlots hand{};
    FaceUpSlots faceUp{};
    for (std::size_t i = 1; i <= 7; ++i) {
      if (static_cast<int>(i) <= size) {
        hand[i] = crowded ? MakeCard(coin(rng) ? 1 : 2, n % 2 ? rank(rng) : high(rng) % 13 + 1)
                  : repeats && coin(rng) ? static_cast<CardNumber>(anyCard(rng))
                                         : deck[i];
      }
      faceUp[i] = !showingOnly || coin(rng);
    }
    if (crowded && n % 3 == 0) hand[7] = hand[1];
    WildList wilds{};
    std::vector<std::size_t> slots{1, 2, 3, 4, 5, 6, 7};
    std::shuffle(slots.begin(), slots.end(), rng);
    std::size_t w = 1;
    for (const std::size_t s : slots) {
      if (static_cast<int>(w) <= wildSlots && static_cast<int>(s) <= size) wilds[w++] = hand[s];
    }
    for (int e = std::uniform_int_distribution<int>(0, 2)(rng); e > 0; --e)
      wilds[w++] = deck[40 + e];
    SCOPED_TRACE(::testing::Message() << "hand " << n << " of seed " << seed);
    ExpectAsTheBruteForce(hand, faceUp, showingOnly, wilds);
  }
}

TEST(BestHandWithWilds, MatchesTheBruteForceOnRandomHands) {
  CrossCheck(1, 20000, 1, false, false);
  CrossCheck(2, 4000, 2, false, false);
  CrossCheck(3, 600, 3, false, false);
  CrossCheck(1, 5000, 4, true, false);
  CrossCheck(2, 1000, 5, true, false);
  CrossCheck(3, 150, 6, true, false);
  CrossCheck(2, 2000, 21, false, true);
  CrossCheck(3, 150, 22, false, true);
  for (int k = 4; k <= 7; ++k) CrossCheck(k, 2000, static_cast<unsigned>(10 + k), false, false);
}

}  // namespace
}  // namespace corvane::testing
