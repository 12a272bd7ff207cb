#include "table/table_state.h"

#include <gtest/gtest.h>

#include "table/card.h"
#include "table/rounding.h"

namespace corvane {
namespace {

TEST(Card, RanksSuitsAndNames) {
  EXPECT_EQ(CardRank(13), 13);
  EXPECT_EQ(CardRank(14), 1);
  EXPECT_EQ(CardSuit(13), 1);
  EXPECT_EQ(CardSuit(14), 2);
  EXPECT_EQ(CardSuit(52), 4);
  EXPECT_EQ(CardName(0, 0), "Empty");
  EXPECT_EQ(CardName(MakeCard(2, 12), 0), "Queen of Hearts");
  EXPECT_EQ(CardName(MakeCard(2, 12), 1), "Hearts");
  EXPECT_EQ(CardName(MakeCard(2, 12), 2), "Queen");
  EXPECT_EQ(CardName(52, 0), "King of Diamonds");
  EXPECT_EQ(CardName(1, 0), "Ace of Spades");
}

TEST(Rounding, HalvesGoToEven) {
  EXPECT_EQ(RoundHalfEven(12.5), 12);
  EXPECT_EQ(RoundHalfEven(13.5), 14);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

TEST(TableState, AttributeTextSpacingAndRounding) {
  TableState t;
  t.players.PlayerName[2] = "Susan";
  t.players.Bluffing[2] = 0.125f;
  t.players.Aggressiveness[2] = 0.135f;
  t.players.RiskTaker[2] = 0.0f;
  t.players.Intelligence[2] = 0.999f;
  EXPECT_EQ(AttributeText(t, 2),
            "Susan Bluffing 12 %, Aggressiveness 14%, Risk Taker 0%, Intelligence 100%");
}

TEST(TableState, SortHandOrdersHighFirstWithAceHigh) {
  TableState t;
  t.game.RoundCount = 5;
  const CardNumber hand[] = {
      0, MakeCard(1, 5), MakeCard(2, 1), MakeCard(3, 13), MakeCard(4, 2), MakeCard(1, 10)};
  for (int k = 1; k <= 5; ++k) t.Cards[1][k] = hand[k];
  t.Cards[1][6] = MakeCard(1, 3);  // beyond RoundCount: copied, not sorted
  SortHand(t, 1, kWorkHand);
  EXPECT_EQ(t.Cards[kWorkHand][1], MakeCard(2, 1));
  EXPECT_EQ(t.Cards[kWorkHand][2], MakeCard(3, 13));
  EXPECT_EQ(t.Cards[kWorkHand][3], MakeCard(1, 10));
  EXPECT_EQ(t.Cards[kWorkHand][4], MakeCard(1, 5));
  EXPECT_EQ(t.Cards[kWorkHand][5], MakeCard(4, 2));
  EXPECT_EQ(t.Cards[kWorkHand][6], MakeCard(1, 3));
  EXPECT_EQ(t.Cards[1][1], MakeCard(1, 5));  // the source is untouched
}

TEST(TableState, Defaults) {
  TableState t;
  SetDefaults(t);
  EXPECT_EQ(t.DefaultName[1], "The Boss");
  EXPECT_EQ(t.DefaultName[5], "jill");
  EXPECT_EQ(t.PlayerCount, 5);
  EXPECT_EQ(t.settings.MaxRaises, 3);
  EXPECT_EQ(t.settings.MaxRaise, 1000);
  EXPECT_EQ(t.settings.StartingChips, 10000);
  EXPECT_EQ(t.settings.Ante, 25);
  EXPECT_EQ(t.settings.GameEndRule, 1);
}

}  // namespace
}  // namespace corvane
