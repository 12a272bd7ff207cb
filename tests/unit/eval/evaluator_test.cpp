// The evaluator: the words and values of each category as the player hears them, and the fast
// evaluator against the step-by-step reference on every multiset of ranks, every flush and
// random hands with repeated cards and face-down slots.
#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "reference_evaluator.h"
#include "test_hands.h"

namespace corvane::testing {
namespace {

// The values of one hand with and without the kicker clause and with its kickers recorded, the
// same as the reference's, and the same through the value-only path.
void ExpectAsTheReference(const HandSlots& hand, const FaceUpSlots& faceUp, bool showingOnly) {
  for (int flags = 0; flags <= kRecordKickers + kKickerClause; ++flags) {
    std::string fast, slow;
    std::vector<CardNumber> fastKickers, slowKickers;
    const HandValue value = EvaluateHand(hand, faceUp, showingOnly, flags, fast, &fastKickers);
    ASSERT_EQ(value, reference::Evaluate(hand, faceUp, showingOnly, flags, slow, &slowKickers))
        << slow;
    ASSERT_EQ(fast, slow);
    ASSERT_EQ(fastKickers, slowKickers) << slow;
    ASSERT_EQ(EvaluateHandValue(hand, faceUp, showingOnly), value) << slow;
  }
}

TEST(Evaluator, WordsValuesAndKickersOfEachCategory) {
  const struct {
    const char* cards;
    const char* faceUp;  // with a mask, only the face-up slots count
    HandValue value;
    const char* words;
    const char* withKicker;
    const char* kickers;  // lowest rank first
  } rows[] = {
      {"As Ks Qs Js Ts", "", 9708750, "Straight Flush Ace high.", "Straight Flush Ace high.", ""},
      {"As As Ks Qs Js Ts", "", 9708750, "Straight Flush Ace high.", "Straight Flush Ace high.",
       ""},
      {"Ah 2h 3c 4d 5s", "", 5253125, "Straight  Five high", "Straight  Five high", ""},
      {"2h 3c 4d 5s 6h", "", 5303750, "Straight  Six high", "Straight  Six high", ""},
      {"Ts 9h 8c 7d 6s 6h 6c", "", MakeHandValue(5, 10, 0, 0, 0, 0), "Straight  Ten high",
       "Straight  Ten high", ""},
      {"9s 9h 9c 9d 9s", "", MakeHandValue(10, 9, 0, 0, 0, 0), "Five of a kind in Nines.",
       "Five of a kind in Nines.", ""},
      {"9s 9h 9c 9d Ks 2h 3c", "", MakeHandValue(8, 9, 13, 0, 0, 0), "Four of a kind in Nines ",
       "Four of a kind in Nines  with a King kicker", "2h"},
      {"9s 9h 9c 9d", "", MakeHandValue(8, 9, 0, 0, 0, 0), "Four of a kind in Nines ",
       "Four of a kind in Nines ", ""},
      {"9s 9h 9c 9d Qs Qh 3c", "", MakeHandValue(8, 9, 12, 0, 0, 0), "Four of a kind in Nines ",
       "Four of a kind in Nines  with a Queen kicker", "3c"},
      {"9s 9h 9c 9d 5s 5h 5c", "", MakeHandValue(8, 9, 5, 0, 0, 0), "Four of a kind in Nines ",
       "Four of a kind in Nines  with a Five kicker", ""},
      {"Ks 4h Kc 4d Kd", "", MakeHandValue(7, 13, 4, 0, 0, 0), "Full house Kings and Fours",
       "Full house Kings and Fours", ""},
      {"5s 9h 5c 9d 9s 5h 2c", "", MakeHandValue(7, 9, 5, 0, 0, 0), "Full house Nines and Fives",
       "Full house Nines and Fives", ""},
      {"Jh 2h 9h 4h 7h 3h Ks", "", MakeHandValue(6, 11, 9, 7, 4, 3), "Flush Jack high",
       "Flush Jack high", ""},
      {"Ks Qs Qs Js Ts 9s", "", MakeHandValue(6, 13, 12, 12, 11, 10), "Flush King high",
       "Flush King high", ""},
      {"As As Ks Qs 9s 2h", "", MakeHandValue(6, 14, 14, 13, 12, 9), "Flush Ace high",
       "Flush Ace high", ""},
      {"7s 7h 7c Ad 3s", "", MakeHandValue(4, 7, 14, 3, 0, 0), "three of a kind in Sevens ",
       "three of a kind in Sevens  with a Ace kicker.", "3s Ad"},
      {"7s 7h 7c", "", MakeHandValue(4, 7, 0, 0, 0, 0), "three of a kind in Sevens ",
       "three of a kind in Sevens ", ""},
      {"Ks Kh 9c 9d 5s 5h 2c", "", 3689625, "Two pairs, Kings and Nines ",
       "Two pairs, Kings and Nines with a Five kicker", "2c"},
      {"Ks Kh 9c 9d 5s 5h Ac", "", MakeHandValue(3, 13, 9, 14, 0, 0), "Two pairs, Kings and Nines ",
       "Two pairs, Kings and Nines with a Ace kicker", "Ac"},
      {"7s 7h 4c 4d 3s", "", MakeHandValue(3, 7, 4, 3, 0, 0), "Two pairs, Sevens and Fours ",
       "Two pairs, Sevens and Fours with a Three kicker", "3s"},
      {"Js 5d Jh Ac 3s", "", MakeHandValue(2, 11, 14, 5, 3, 0), "Pair of Jacks ",
       "Pair of Jacks  with a Ace kicker", "3s 5d Ac"},
      {"Js 5d Jh Ac 3s 8h 9h", "", MakeHandValue(2, 11, 14, 9, 8, 0), "Pair of Jacks ",
       "Pair of Jacks  with a Ace kicker", "3s 5d 8h"},
      {"6s 6h 8c", "", MakeHandValue(2, 6, 8, 0, 0, 0), "Pair of Sixs ",
       "Pair of Sixs  with a Eight kicker", "8c"},
      {"6s 6h", "", MakeHandValue(2, 6, 0, 0, 0, 0), "Pair of Sixs ", "Pair of Sixs ", ""},
      {"-- Js -- 60 -3 -- Jd", "", MakeHandValue(2, 11, 0, 0, 0, 0), "Pair of Jacks ",
       "Pair of Jacks ", ""},
      {"3s Qh 9c Ad 7s 5h 2c", "", MakeHandValue(1, 14, 12, 9, 7, 5), "Ace high",
       "Ace high with a Queen kicker.", "5h 7s 9c Qh Ad"},
      {"Ks", "", MakeHandValue(1, 13, 0, 0, 0, 0), "King high", "King high", "Ks"},
      {"", "", 1000000, "not showing", "not showing", ""},
      {"As Ah Qc Qd 5s 9h 2c", "..UU.U.", MakeHandValue(2, 12, 9, 0, 0, 0), "Pair of Queens ",
       "Pair of Queens  with a Nine kicker", "9h"},
      {"6s 6h Qc 2d", ".UUU", MakeHandValue(1, 12, 6, 2, 0, 0), "Queen high",
       "Queen high with a Six kicker.", "2d 6h Qc"},
      {"As Ah Qc Qd 5s 9h 2c", "D", 1000000, "not showing", "not showing", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cards);
    const HandSlots hand = Hand(row.cards);
    const FaceUpSlots faceUp = FaceUp(row.faceUp);
    const bool showingOnly = *row.faceUp != '\0';
    std::string words, withKicker;
    std::vector<CardNumber> kickers;
    EXPECT_EQ(EvaluateHand(hand, faceUp, showingOnly, 0, words), row.value);
    EXPECT_EQ(words, row.words);
    EXPECT_EQ(EvaluateHand(hand, faceUp, showingOnly, kKickerClause | kRecordKickers, withKicker,
                           &kickers),
              row.value);
    EXPECT_EQ(withKicker, row.withKicker);
    EXPECT_EQ(kickers, Cards(row.kickers));
    ExpectAsTheReference(hand, faceUp, showingOnly);
  }
}

// Every multiset of up to seven ranks, the suits dealt in turn so that no flush arises.
void CheckEveryMultiset(std::array<int, 15>& count, int rank, int left, int& checked) {
  if (rank > 14) {
    HandSlots hand{};
    std::size_t slot = 1;
    for (int r = 2; r <= 14; ++r) {
      for (int k = 0; k < count[static_cast<std::size_t>(r)]; ++k, ++slot)
        hand[slot] = MakeCard(static_cast<int>(slot - 1) % 4 + 1, r == 14 ? 1 : r);
    }
    ExpectAsTheReference(hand, FaceUpSlots{}, false);
    ++checked;
    return;
  }
  for (int n = 0; n <= left && !::testing::Test::HasFatalFailure(); ++n) {
    count[static_cast<std::size_t>(rank)] = n;
    CheckEveryMultiset(count, rank + 1, left - n, checked);
  }
  count[static_cast<std::size_t>(rank)] = 0;
}

TEST(Evaluator, MatchesTheReferenceOnEveryRankMultisetAndEveryFlush) {
  std::array<int, 15> count{};
  int checked = 0;
  CheckEveryMultiset(count, 2, 7, checked);
  EXPECT_EQ(checked, 77520);  // multisets of at most seven of thirteen ranks

  // Each set of five to seven ranks in each suit; the free slots get any card, a flush card's
  // rank in another suit, or a flush card again.
  std::mt19937 rng(1206);
  std::uniform_int_distribution<int> anyCard(1, 52);
  for (std::uint32_t ranks = 0; ranks < (1u << 13); ++ranks) {
    const int n = std::popcount(ranks);
    if (n < 5 || n > 7) continue;
    for (int suit = 1; suit <= 4; ++suit) {
      for (int variant = 0; variant < 4; ++variant) {
        HandSlots hand{};
        std::size_t slot = 1;
        for (int bit = 0; bit < 13; ++bit) {
          if ((ranks >> bit) & 1u) hand[slot++] = MakeCard(suit, bit + 1);
        }
        for (; slot <= 7 && variant > 0; ++slot) {
          const int copied = hand[static_cast<std::size_t>(rng() % static_cast<unsigned>(n)) + 1];
          hand[slot] = variant == 1   ? static_cast<CardNumber>(anyCard(rng))
                       : variant == 2 ? MakeCard(suit % 4 + 1, CardRank(copied))
                                      : static_cast<CardNumber>(copied);
        }
        std::shuffle(hand.begin() + 1, hand.end(), rng);
        SCOPED_TRACE(::testing::Message() << "ranks " << ranks << " variant " << variant);
        ExpectAsTheReference(hand, FaceUpSlots{}, false);
        if (HasFatalFailure()) return;
      }
    }
  }
}

TEST(Evaluator, MatchesTheReferenceOnRandomHands) {
  std::mt19937 rng(20261206);
  std::uniform_int_distribution<int> anyCard(1, 52);
  std::uniform_int_distribution<int> size(0, 7);
  std::uniform_int_distribution<int> rank(1, 13);
  std::bernoulli_distribution coin(0.5);
  for (int n = 0; n < 300000 && !HasFatalFailure(); ++n) {
    // A third each: dealt from one deck; any cards, repeats included; two suits of few ranks.
    const int kind = n % 3;
    std::array<CardNumber, 52> deck{};
    for (int i = 0; i < 52; ++i) deck[static_cast<std::size_t>(i)] = static_cast<CardNumber>(i + 1);
    std::shuffle(deck.begin(), deck.end(), rng);
    HandSlots hand{};
    FaceUpSlots faceUp{};
    const int cards = kind == 2 || coin(rng) ? 7 : size(rng);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(cards); ++i) {
      hand[i] = kind == 0   ? deck[i]
                : kind == 1 ? static_cast<CardNumber>(anyCard(rng))
                            : MakeCard(coin(rng) ? 1 : 2, rank(rng));
      faceUp[i] = coin(rng);
    }
    ExpectAsTheReference(hand, faceUp, kind != 2 && coin(rng) && coin(rng));
  }
}

}  // namespace
}  // namespace corvane::testing
