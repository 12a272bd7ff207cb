#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "eval/evaluator.h"
#include "test_hands.h"

namespace corvane {
namespace {

using ::corvane::testing::AllDown;
using ::corvane::testing::C;
using ::corvane::testing::Hand;

struct Described {
  HandValue value;
  std::string plain;
  std::string withKicker;
};

Described Evaluate(const HandSlots& hand) {
  Described d;
  d.value = EvaluateHand(hand, AllDown(), false, 0, d.plain);
  std::string withKicker;
  EXPECT_EQ(EvaluateHand(hand, AllDown(), false, kKickerClause, d.withKicker), d.value);
  EXPECT_EQ(EvaluateHandValue(hand, AllDown(), false), d.value);
  return d;
}

TEST(EvaluateHand, RoyalFlushIsAnAceHighStraightFlush) {
  const auto d = Evaluate(Hand({C(1, 'S'), C(13, 'S'), C(12, 'S'), C(11, 'S'), C(10, 'S')}));
  EXPECT_EQ(d.value, 9708750);
  EXPECT_EQ(d.plain, "Straight Flush Ace high.");
  EXPECT_EQ(d.withKicker, "Straight Flush Ace high.");
}

TEST(EvaluateHand, FiveHighStraightLosesToSixHigh) {
  const auto wheel = Evaluate(Hand({C(1, 'S'), C(2, 'H'), C(3, 'C'), C(4, 'D'), C(5, 'S')}));
  const auto six = Evaluate(Hand({C(2, 'H'), C(3, 'C'), C(4, 'D'), C(5, 'S'), C(6, 'H')}));
  EXPECT_EQ(wheel.value, 5253125);
  EXPECT_EQ(six.value, 5303750);
  EXPECT_EQ(wheel.plain, "Straight  Five high");
  EXPECT_EQ(six.withKicker, "Straight  Six high");
}

TEST(EvaluateHand, ThirdPairOutranksTheSingleAsKicker) {
  const auto d = Evaluate(
      Hand({C(13, 'S'), C(13, 'H'), C(9, 'C'), C(9, 'D'), C(5, 'S'), C(5, 'H'), C(2, 'C')}));
  EXPECT_EQ(d.value, 3689625);
  EXPECT_EQ(d.plain, "Two pairs, Kings and Nines ");
  EXPECT_EQ(d.withKicker, "Two pairs, Kings and Nines with a Five kicker");
}

TEST(EvaluateHand, TwoPairsKeepAHigherSingleOverTheThirdPair) {
  const auto d = Evaluate(
      Hand({C(13, 'S'), C(13, 'H'), C(9, 'C'), C(9, 'D'), C(5, 'S'), C(5, 'H'), C(1, 'C')}));
  EXPECT_EQ(d.value, MakeHandValue(3, 13, 9, 14, 0, 0));
  EXPECT_EQ(d.withKicker, "Two pairs, Kings and Nines with a Ace kicker");
}

TEST(EvaluateHand, HighCardTakesTheFiveHighestRanks) {
  const auto d = Evaluate(
      Hand({C(3, 'S'), C(12, 'H'), C(9, 'C'), C(1, 'D'), C(7, 'S'), C(5, 'H'), C(2, 'C')}));
  EXPECT_EQ(d.value, MakeHandValue(1, 14, 12, 9, 7, 5));
  EXPECT_EQ(d.plain, "Ace high");
  EXPECT_EQ(d.withKicker, "Ace high with a Queen kicker.");
}

TEST(EvaluateHand, FiveOfAKindFromRepeatedCards) {
  const auto d = Evaluate(Hand({C(9, 'S'), C(9, 'H'), C(9, 'C'), C(9, 'D'), C(9, 'S')}));
  EXPECT_EQ(d.value, MakeHandValue(10, 9, 0, 0, 0, 0));
  EXPECT_EQ(d.plain, "Five of a kind in Nines.");
  EXPECT_EQ(d.withKicker, "Five of a kind in Nines.");
}

TEST(EvaluateHand, FourOfAKindPhrasesAndKicker) {
  const auto d = Evaluate(
      Hand({C(9, 'S'), C(9, 'H'), C(9, 'C'), C(9, 'D'), C(13, 'S'), C(2, 'H'), C(3, 'C')}));
  EXPECT_EQ(d.value, MakeHandValue(8, 9, 13, 0, 0, 0));
  EXPECT_EQ(d.plain, "Four of a kind in Nines ");
  EXPECT_EQ(d.withKicker, "Four of a kind in Nines  with a King kicker");
  const auto alone = Evaluate(Hand({C(9, 'S'), C(9, 'H'), C(9, 'C'), C(9, 'D')}));
  EXPECT_EQ(alone.value, MakeHandValue(8, 9, 0, 0, 0, 0));
  EXPECT_EQ(alone.withKicker, "Four of a kind in Nines ");
}

TEST(EvaluateHand, FourOfAKindTakesItsKickerFromAPairOrAThree) {
  const auto pair = Evaluate(
      Hand({C(9, 'S'), C(9, 'H'), C(9, 'C'), C(9, 'D'), C(12, 'S'), C(12, 'H'), C(3, 'C')}));
  EXPECT_EQ(pair.value, MakeHandValue(8, 9, 12, 0, 0, 0));
  EXPECT_EQ(pair.withKicker, "Four of a kind in Nines  with a Queen kicker");
  const auto three =
      Evaluate(Hand({C(9, 'S'), C(9, 'H'), C(9, 'C'), C(9, 'D'), C(5, 'S'), C(5, 'H'), C(5, 'C')}));
  EXPECT_EQ(three.value, MakeHandValue(8, 9, 5, 0, 0, 0));
}

TEST(EvaluateHand, FullHouse) {
  const auto d = Evaluate(Hand({C(13, 'S'), C(4, 'H'), C(13, 'C'), C(4, 'D'), C(13, 'D')}));
  EXPECT_EQ(d.value, MakeHandValue(7, 13, 4, 0, 0, 0));
  EXPECT_EQ(d.plain, "Full house Kings and Fours");
  EXPECT_EQ(d.withKicker, "Full house Kings and Fours");
}

TEST(EvaluateHand, SecondThreeOfAKindIsThePairOfAFullHouse) {
  const auto d =
      Evaluate(Hand({C(5, 'S'), C(9, 'H'), C(5, 'C'), C(9, 'D'), C(9, 'S'), C(5, 'H'), C(2, 'C')}));
  EXPECT_EQ(d.value, MakeHandValue(7, 9, 5, 0, 0, 0));
  EXPECT_EQ(d.plain, "Full house Nines and Fives");
}

TEST(EvaluateHand, FlushTakesTheFiveHighestOfItsSuit) {
  const auto d = Evaluate(
      Hand({C(11, 'H'), C(2, 'H'), C(9, 'H'), C(4, 'H'), C(7, 'H'), C(3, 'H'), C(13, 'S')}));
  EXPECT_EQ(d.value, MakeHandValue(6, 11, 9, 7, 4, 3));
  EXPECT_EQ(d.plain, "Flush Jack high");
  EXPECT_EQ(d.withKicker, "Flush Jack high");
}

TEST(EvaluateHand, ARepeatedCardBreaksAStraightFlushRun) {
  // Flush list K Q Q J 10 9: no five entries each one above the next.
  const auto d =
      Evaluate(Hand({C(13, 'S'), C(12, 'S'), C(12, 'S'), C(11, 'S'), C(10, 'S'), C(9, 'S')}));
  EXPECT_EQ(d.value, MakeHandValue(6, 13, 12, 12, 11, 10));
  EXPECT_EQ(d.plain, "Flush King high");
  // A repeated Ace sits above the run and leaves it whole.
  const auto ace =
      Evaluate(Hand({C(1, 'S'), C(1, 'S'), C(13, 'S'), C(12, 'S'), C(11, 'S'), C(10, 'S')}));
  EXPECT_EQ(ace.value, 9708750);
}

TEST(EvaluateHand, StraightBeatsThreeOfAKind) {
  const auto d = Evaluate(
      Hand({C(10, 'S'), C(9, 'H'), C(8, 'C'), C(7, 'D'), C(6, 'S'), C(6, 'H'), C(6, 'C')}));
  EXPECT_EQ(d.value, MakeHandValue(5, 10, 0, 0, 0, 0));
  EXPECT_EQ(d.plain, "Straight  Ten high");
}

TEST(EvaluateHand, ThreeOfAKindPhrases) {
  const auto d = Evaluate(Hand({C(7, 'S'), C(7, 'H'), C(7, 'C'), C(1, 'D'), C(3, 'S')}));
  EXPECT_EQ(d.value, MakeHandValue(4, 7, 14, 3, 0, 0));
  EXPECT_EQ(d.plain, "three of a kind in Sevens ");
  EXPECT_EQ(d.withKicker, "three of a kind in Sevens  with a Ace kicker.");
  const auto alone = Evaluate(Hand({C(7, 'S'), C(7, 'H'), C(7, 'C')}));
  EXPECT_EQ(alone.withKicker, "three of a kind in Sevens ");
}

TEST(EvaluateHand, OnePairPhrases) {
  const auto d = Evaluate(Hand({C(11, 'S'), C(11, 'H'), C(1, 'C'), C(5, 'D'), C(3, 'S')}));
  EXPECT_EQ(d.value, MakeHandValue(2, 11, 14, 5, 3, 0));
  EXPECT_EQ(d.plain, "Pair of Jacks ");
  EXPECT_EQ(d.withKicker, "Pair of Jacks  with a Ace kicker");
  const auto sixes = Evaluate(Hand({C(6, 'S'), C(6, 'H'), C(8, 'C')}));
  EXPECT_EQ(sixes.plain, "Pair of Sixs ");
  EXPECT_EQ(sixes.withKicker, "Pair of Sixs  with a Eight kicker");
  const auto bare = Evaluate(Hand({C(6, 'S'), C(6, 'H')}));
  EXPECT_EQ(bare.withKicker, "Pair of Sixs ");
}

TEST(EvaluateHand, HighCardPhrases) {
  const auto d = Evaluate(Hand({C(13, 'S'), C(9, 'H'), C(7, 'C'), C(4, 'D'), C(2, 'S')}));
  EXPECT_EQ(d.value, MakeHandValue(1, 13, 9, 7, 4, 2));
  EXPECT_EQ(d.plain, "King high");
  EXPECT_EQ(d.withKicker, "King high with a Nine kicker.");
  const auto one = Evaluate(Hand({C(13, 'S')}));
  EXPECT_EQ(one.value, MakeHandValue(1, 13, 0, 0, 0, 0));
  EXPECT_EQ(one.withKicker, "King high");
}

TEST(EvaluateHand, EmptyHandIsNotShowing) {
  const auto d = Evaluate(HandSlots{});
  EXPECT_EQ(d.value, 1000000);
  EXPECT_EQ(d.plain, "not showing");
  EXPECT_EQ(d.withKicker, "not showing");
}

TEST(EvaluateHand, ShowingOnlyCountsTheFaceUpSlots) {
  const HandSlots hand =
      Hand({C(1, 'S'), C(1, 'H'), C(12, 'C'), C(12, 'D'), C(5, 'S'), C(9, 'H'), C(2, 'C')});
  FaceUpSlots faceUp{};
  std::string d;
  EXPECT_EQ(EvaluateHand(hand, faceUp, true, 0, d), 1000000);
  EXPECT_EQ(d, "not showing");
  faceUp[3] = faceUp[4] = faceUp[6] = true;
  EXPECT_EQ(EvaluateHand(hand, faceUp, true, kKickerClause, d), MakeHandValue(2, 12, 9, 0, 0, 0));
  EXPECT_EQ(d, "Pair of Queens  with a Nine kicker");
  EXPECT_EQ(EvaluateHand(hand, faceUp, false, 0, d), MakeHandValue(3, 14, 12, 9, 0, 0));
}

TEST(EvaluateHand, SameRanksInOtherSuitsTie) {
  std::string d;
  const HandValue a = EvaluateHand(Hand({C(13, 'S'), C(12, 'S'), C(9, 'H'), C(5, 'D'), C(3, 'C')}),
                                   AllDown(), false, 0, d);
  const HandValue b = EvaluateHand(Hand({C(13, 'H'), C(12, 'D'), C(9, 'S'), C(5, 'C'), C(3, 'H')}),
                                   AllDown(), false, 0, d);
  EXPECT_EQ(a, b);
  // The two lowest of seven cards do not count.
  const HandValue c =
      EvaluateHand(Hand({C(13, 'H'), C(12, 'D'), C(9, 'S'), C(5, 'C'), C(3, 'H'), C(2, 'S')}),
                   AllDown(), false, 0, d);
  EXPECT_EQ(a, c);
}

TEST(EvaluateHand, EmptySlotsAndNumbersThatAreNoCardAreSkipped) {
  HandSlots hand{};
  hand[2] = C(11, 'S');
  hand[4] = 60;
  hand[5] = -3;
  hand[7] = C(11, 'D');
  std::string d;
  EXPECT_EQ(EvaluateHand(hand, AllDown(), false, 0, d), MakeHandValue(2, 11, 0, 0, 0, 0));
}

TEST(KickerCards, RecordsTheSinglesFromTheLowestUp) {
  std::string d;
  std::vector<CardNumber> kickers;
  // Pair of Jacks with singles A 5 3: all three, lowest first.
  EvaluateHand(Hand({C(11, 'S'), C(5, 'D'), C(11, 'H'), C(1, 'C'), C(3, 'S')}), AllDown(), false,
               kRecordKickers, d, &kickers);
  EXPECT_THAT(kickers, ::testing::ElementsAre(C(3, 'S'), C(5, 'D'), C(1, 'C')));
  EXPECT_EQ(d, "Pair of Jacks ");
  // Seven cards: the three lowest of the five singles.
  EvaluateHand(
      Hand({C(11, 'S'), C(5, 'D'), C(11, 'H'), C(1, 'C'), C(3, 'S'), C(8, 'H'), C(9, 'H')}),
      AllDown(), false, kRecordKickers, d, &kickers);
  EXPECT_THAT(kickers, ::testing::ElementsAre(C(3, 'S'), C(5, 'D'), C(8, 'H')));
}

TEST(KickerCards, CountsByCategory) {
  std::string d;
  std::vector<CardNumber> kickers;
  EvaluateHand(Hand({C(9, 'S'), C(9, 'H'), C(9, 'C'), C(9, 'D'), C(13, 'S'), C(2, 'H')}), AllDown(),
               false, kRecordKickers, d, &kickers);
  EXPECT_THAT(kickers, ::testing::ElementsAre(C(2, 'H')));
  EvaluateHand(Hand({C(7, 'S'), C(7, 'H'), C(7, 'C'), C(1, 'D'), C(3, 'S')}), AllDown(), false,
               kRecordKickers | kKickerClause, d, &kickers);
  EXPECT_THAT(kickers, ::testing::ElementsAre(C(3, 'S'), C(1, 'D')));
  EXPECT_EQ(d, "three of a kind in Sevens  with a Ace kicker.");
  EvaluateHand(Hand({C(7, 'S'), C(7, 'H'), C(4, 'C'), C(4, 'D'), C(3, 'S')}), AllDown(), false,
               kRecordKickers, d, &kickers);
  EXPECT_THAT(kickers, ::testing::ElementsAre(C(3, 'S')));
  EvaluateHand(Hand({C(13, 'S'), C(9, 'H'), C(7, 'C'), C(4, 'D'), C(2, 'S')}), AllDown(), false,
               kRecordKickers, d, &kickers);
  EXPECT_THAT(kickers,
              ::testing::ElementsAre(C(2, 'S'), C(4, 'D'), C(7, 'C'), C(9, 'H'), C(13, 'S')));
  EvaluateHand(Hand({C(13, 'S'), C(4, 'H'), C(13, 'C'), C(4, 'D'), C(13, 'D')}), AllDown(), false,
               kRecordKickers, d, &kickers);
  EXPECT_TRUE(kickers.empty());
}

TEST(KickerCards, ShowingOnlyRecordsFaceUpCardsOnly) {
  std::string d;
  std::vector<CardNumber> kickers;
  FaceUpSlots faceUp{};
  faceUp[2] = faceUp[3] = faceUp[4] = true;
  EvaluateHand(Hand({C(6, 'S'), C(6, 'H'), C(12, 'C'), C(2, 'D')}), faceUp, true, kRecordKickers, d,
               &kickers);
  EXPECT_THAT(kickers, ::testing::ElementsAre(C(2, 'D'), C(6, 'H'), C(12, 'C')));
  // Without flag 1 nothing is recorded, and the list is cleared.
  EvaluateHand(Hand({C(6, 'S'), C(7, 'H')}), AllDown(), false, 0, d, &kickers);
  EXPECT_TRUE(kickers.empty());
}

}  // namespace
}  // namespace corvane
