// The card browser: the hand sorted high to low, each card under its slot number, and "Done".
#include <gtest/gtest.h>

#include "speech_fixture.h"
#include "table/table_state.h"

namespace corvane::testing {
namespace {

class ChooseCardTest : public SpeechFixture {
 protected:
  ChooseCardTest() {
    table.game.RoundCount = 5;
    auto& hand = table.Cards[kUserSeat];
    hand[1] = MakeCard(1, 2);   // Two of Spades
    hand[2] = MakeCard(2, 13);  // King of Hearts
    hand[3] = MakeCard(3, 1);   // Ace of Clubs
    hand[4] = 0;
    hand[5] = MakeCard(4, 5);  // Five of Diamonds
  }
  TableState table;
};

TEST_F(ChooseCardTest, ListsTheSortedCardsThenDone) {
  host.Keys("Down Down Down Down Down Enter");
  EXPECT_EQ(
      prompts.ChooseCard(table, "The Boss's cards, use arrows to review", kUserSeat, kWorkHand), 5);
  EXPECT_EQ(host.spoken,
            (Lines{"The Boss's cards, use arrows to review", "Ace of Clubs", "King of Hearts",
                   "Five of Diamonds", "Two of Spades", "Done, Escape",
                   "The Boss's cards, use arrows to review", "Done, Escape"}));
  EXPECT_EQ(table.Cards[kWorkHand][1], MakeCard(3, 1));
  EXPECT_EQ(table.Cards[kWorkHand][5], 0);
  // The user's own hand is left as it was.
  EXPECT_EQ(table.Cards[kUserSeat][1], MakeCard(1, 2));
}

TEST_F(ChooseCardTest, SlotNumberChoosesACard) {
  host.Keys("3");
  EXPECT_EQ(prompts.ChooseCard(table, "Cards", kUserSeat, kWorkHand), 3);
  EXPECT_EQ(host.spoken.back(), "Five of Diamonds");
}

TEST_F(ChooseCardTest, CommandKeysAreIgnoredAndArrowsMove) {
  host.Keys("P Right Esc");
  EXPECT_EQ(prompts.ChooseCard(table, "Cards", kUserSeat, kWorkHand), 0);
  EXPECT_TRUE(dispatched.empty());
  EXPECT_EQ(host.spoken, (Lines{"Cards", "Ace of Clubs", "King of Hearts"}));
}

}  // namespace
}  // namespace corvane::testing
