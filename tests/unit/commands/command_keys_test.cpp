// The command keys that act rather than report: card review, the two volumes, the raise-ante and
// quit questions and the phrase history.
#include <gtest/gtest.h>

#include "table_fixture.h"

namespace corvane::testing {
namespace {

class CardReviewTest : public TableFixture {
 protected:
  CardReviewTest() {
    Seat(kSevenCardStud, {"The Boss", "Susan", "Harry"}, {1000, 1000, 1000}, 3);
    // Two cards face down, the third face up.
    Deal(1, {C(1, 'S'), C(2, 'H'), C(13, 'D')});
    hand.CurrentRound = 3;
    hand.ReviewPosition = 1;
  }
};

TEST_F(CardReviewTest, NextCardsUpToTheLastDealtSayLastCardThenTheLastCardAgain) {
  EXPECT_EQ(Press("L"), (Lines{"Two of Hearts"}));
  EXPECT_EQ(Press("L"), (Lines{"King of Diamonds", "face up"}));
  EXPECT_EQ(Press("L"), (Lines{"Last card", "King of Diamonds", "face up"}));
  EXPECT_EQ(Press("Right"), (Lines{"Last card", "King of Diamonds", "face up"}));
  EXPECT_EQ(hand.ReviewPosition, 3);
}

TEST_F(CardReviewTest, PreviousCardsDownToTheFirstSayFirstCardThenTheFirstCardAgain) {
  hand.ReviewPosition = 3;
  EXPECT_EQ(Press("J"), (Lines{"Two of Hearts"}));
  EXPECT_EQ(Press("Left"), (Lines{"Ace of Spades"}));
  EXPECT_EQ(Press("J"), (Lines{"First card", "Ace of Spades"}));
  EXPECT_EQ(Press("Left"), (Lines{"First card", "Ace of Spades"}));
  EXPECT_EQ(hand.ReviewPosition, 1);
}

TEST_F(CardReviewTest, CurrentCard) {
  hand.ReviewPosition = 3;
  EXPECT_EQ(Press("K"), (Lines{"King of Diamonds", "face up"}));
  hand.ReviewPosition = 2;
  EXPECT_EQ(Press("K"), (Lines{"Two of Hearts"}));
  // At the first card, and before the user's first turn, the first card is announced as such.
  hand.ReviewPosition = 1;
  EXPECT_EQ(Press("K"), (Lines{"first card", "Ace of Spades"}));
  hand.ReviewPosition = 0;
  EXPECT_EQ(Press("K"), (Lines{"first card", "Ace of Spades"}));
  EXPECT_EQ(hand.ReviewPosition, 1);
}

TEST_F(CardReviewTest, NextFromTheStartOfAHandGoesToTheFirstCard) {
  hand.ReviewPosition = 0;
  EXPECT_EQ(Press("L"), (Lines{"Ace of Spades"}));
  EXPECT_EQ(hand.ReviewPosition, 1);
}

TEST_F(CardReviewTest, BeforeAnyCardIsDealtTheSlotIsEmpty) {
  table.Cards[1] = {};
  hand.ReviewPosition = 0;
  EXPECT_EQ(Press("L"), (Lines{"Last card", "Empty"}));
  EXPECT_EQ(hand.ReviewPosition, 0);
}

TEST_F(CardReviewTest, TheArrowsReviewTheCardsWhateverTheArrowOption) {
  settings.CardLeftKey = 0;
  settings.CardRightKey = 0;
  EXPECT_EQ(Press("Right"), (Lines{"Two of Hearts"}));
  EXPECT_EQ(Press("Left"), (Lines{"Ace of Spades"}));
}

TEST_F(CardReviewTest, ReviewingIsNotKeptInThePhraseHistory) {
  Press("L");
  Press("J");
  for (const auto& entry : speech.PhraseHistory) EXPECT_EQ(entry, "");
}

TEST_F(CardReviewTest, TheCardBrowserShowsTheHandSortedAceHighWhileTheUserIsIn) {
  host.Keys("Down Down Esc");
  EXPECT_EQ(Press("E"), (Lines{"The Boss's cards, use arrows to review", "Ace of Spades",
                               "King of Diamonds", "Two of Hearts"}));
  // The hand itself keeps its order.
  EXPECT_EQ(table.Cards[1][1], C(1, 'S'));
  EXPECT_EQ(table.Cards[1][2], C(2, 'H'));
  hand.Folded[1] = true;
  hand.FoldCount = 1;
  EXPECT_EQ(Press("E"), Lines{});
}

class VolumeKeysTest : public TableFixture {
 protected:
  VolumeKeysTest() { Seat(kSevenCardStud, {"The Boss", "Susan"}, {1000, 1000}, 2); }
};

TEST_F(VolumeKeysTest, TableVolumeStaysWithinItsRange) {
  settings.TableVolume = 0;
  Press("PgUp");
  EXPECT_EQ(settings.TableVolume, 0);
  Press("PgDn");
  EXPECT_EQ(settings.TableVolume, -200);
  Press("PgUp");
  EXPECT_EQ(settings.TableVolume, 0);
  settings.TableVolume = -3400;
  Press("PgDn");
  EXPECT_EQ(settings.TableVolume, -3500);
  Press("PgDn");
  EXPECT_EQ(settings.TableVolume, -3500);
}

TEST_F(VolumeKeysTest, BackgroundVolumeStaysWithinItsRangeAndReachesThePlayingSound) {
  std::int16_t background = sound.PlaySound("POKERPARTY.WAV", -3000, -1, 0, 0, kDSLoop | kDSClass3);
  ASSERT_GT(background, 0);
  dispatcher.SetBackground(&background);
  settings.PartyVolume = -3000;
  Press("Shift+PgUp");
  EXPECT_EQ(settings.PartyVolume, -2800);
  EXPECT_EQ(audio.Volume(background), -2800);
  settings.PartyVolume = -1000;
  Press("Shift+PgUp");
  EXPECT_EQ(settings.PartyVolume, -1000);
  settings.PartyVolume = -4800;
  Press("Shift+PgDn");
  EXPECT_EQ(settings.PartyVolume, -5000);
  EXPECT_EQ(audio.Volume(background), -5000);
  Press("Shift+PgDn");
  EXPECT_EQ(settings.PartyVolume, -5000);
  // The table volume is left alone.
  EXPECT_EQ(settings.TableVolume, 0);
}

class RequestKeysTest : public TableFixture {
 protected:
  RequestKeysTest() { Seat(kSevenCardStud, {"The Boss", "Susan"}, {1000, 1000}, 2); }
};

TEST_F(RequestKeysTest, RaiseTheAnteOnlyWhenTheUserSaysYes) {
  host.Keys("N");
  EXPECT_EQ(Press("A").front(),
            "Are you sure you would like to raise the ante at the start of the next hand?");
  EXPECT_FALSE(dispatcher.RaiseAnteRequested());
  host.Keys("Y");
  Press("A");
  EXPECT_TRUE(dispatcher.RaiseAnteRequested());
  // Nothing changes before the next hand.
  EXPECT_EQ(table.settings.Ante, 25);
}

TEST_F(RequestKeysTest, QuitOnlyWhenTheUserSaysYes) {
  host.Keys("N");
  EXPECT_EQ(Press("Q").front(),
            "Are you sure you would like to quit this hand and remove the table?");
  EXPECT_FALSE(table.GameOver);
  host.Keys("Y");
  Press("Q");
  EXPECT_TRUE(table.GameOver);
  EXPECT_FALSE(table.KeepPlaying);
}

TEST_F(RequestKeysTest, PhraseHistoryBackAndForward) {
  speech.speak("Susan calls, 25 chips.");
  speech.speak("Harry folds.");
  EXPECT_EQ(Press("Ctrl+Up"), (Lines{"Harry folds."}));
  EXPECT_EQ(Press("Ctrl+Up"), (Lines{"Susan calls, 25 chips."}));
  EXPECT_EQ(Press("Ctrl+Down"), (Lines{"Harry folds."}));
  // Past the newest phrase nothing is said.
  EXPECT_EQ(Press("Ctrl+Down"), Lines{});
}

TEST_F(RequestKeysTest, AKeyPressedWhileAPromptWaitsIsLeftToThePrompt) {
  hand.Pot = 75;
  host.ClearSpoken();
  keyboard.InputWaiting = true;
  keyboard.WindowKeyDown('P', 0);
  EXPECT_EQ(host.spoken, Lines{});
  EXPECT_EQ(keyboard.KeyPressed, 'P');
}

}  // namespace
}  // namespace corvane::testing
