// The spoken menu driven by scripted keys: moving, choosing, its flags and the hand-off of keys
// it does not know.
#include <gtest/gtest.h>

#include "speech_fixture.h"

namespace corvane::testing {
namespace {

class MenuTest : public SpeechFixture {
 protected:
  std::int16_t Run(int position, int flags = 0, bool commandsOff = false) {
    return prompts.Menu("Pick a game.", items, keys, 3, position, flags, commandsOff);
  }
  std::vector<std::string> items{"", "Seven Card Stud", "Five Card Draw", "Texas Holdem"};
  std::vector<std::string> keys{"", "S", "F", "T"};
};

TEST_F(MenuTest, SaysThePromptThenTheItemUnderTheCursor) {
  host.Keys("Enter");
  EXPECT_EQ(Run(2), 2);
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Five Card Draw", "Five Card Draw"}));
  EXPECT_EQ(Said(), (Lines{"Pick a game.", "Five Card Draw", "Five Card Draw"}));
  // Menus are not recorded in the history.
  EXPECT_EQ(speech.PhraseHistory[30], "");
}

TEST_F(MenuTest, FunctionKeysNeverChooseTheItemOfTheLetterTheirCodeWouldRead) {
  // F3 has the code of a lower-case "r", F4 of "s": they are command keys, not letters.
  int dispatched = 0;
  keyboard.SetCommandDispatcher([&] { ++dispatched; });
  keys = {"", "S", "R", "T"};
  host.Keys("F4");
  EXPECT_EQ(Run(1), 0);
  EXPECT_EQ(dispatched, 1);
  host.Keys("F3");
  EXPECT_EQ(Run(1), 0);
  EXPECT_EQ(dispatched, 2);
  host.Keys("Shift+R");
  EXPECT_EQ(Run(1), 2);
}

TEST_F(MenuTest, PositionZeroSaysOnlyThePromptAndDownSaysTheFirstItem) {
  host.Keys("Down Esc");
  EXPECT_EQ(Run(0), 0);
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Seven Card Stud"}));
}

TEST_F(MenuTest, FirstUpFromPositionZeroSaysThePromptAgain) {
  host.Keys("Up Enter");
  EXPECT_EQ(Run(0), 0);
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Pick a game."}));
}

TEST_F(MenuTest, DownOnTheLastItemAndUpOnTheFirstSayThePromptAndKeepTheCursor) {
  host.Keys("Down Down Up Up Up Up Enter");
  EXPECT_EQ(Run(2), 1);
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Five Card Draw", "Texas Holdem", "Pick a game.",
                                "Five Card Draw", "Seven Card Stud", "Pick a game.", "Pick a game.",
                                "Seven Card Stud"}));
}

TEST_F(MenuTest, HomeAndEnd) {
  host.Keys("End Home End Space");
  EXPECT_EQ(Run(2), 3);
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Five Card Draw", "Texas Holdem", "Seven Card Stud",
                                "Texas Holdem", "Texas Holdem"}));
}

TEST_F(MenuTest, EveryKeySilencesSpeechBeforeTheAnswer) {
  host.Keys("Down Enter");
  Run(1);
  EXPECT_EQ(engines.log, (Lines{"Say(Pick a game.)", "Say(Seven Card Stud)", "Stop",
                                "Say(Five Card Draw)", "Stop", "Say(Five Card Draw)"}));
}

TEST_F(MenuTest, PromptAlreadyMarkedIsNotMarkedTwiceAndItemMarksAreStripped) {
  items[2] = "???Five Card Draw";
  host.Keys("Enter");
  EXPECT_EQ(prompts.Menu("???Pick.", items, keys, 3, 2, 0, false), 2);
  EXPECT_EQ(items[2], "Five Card Draw");
  EXPECT_EQ(host.spoken, (Lines{"Pick.", "Five Card Draw", "Five Card Draw"}));
}

TEST_F(MenuTest, SpaceWithNoRepeatChoosesSilently) {
  host.Keys("Space");
  EXPECT_EQ(Run(3, kMenuNoRepeat), 3);
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Texas Holdem"}));
}

TEST_F(MenuTest, EnterRepeatsTheItemEvenWithNoRepeat) {
  host.Keys("Enter");
  EXPECT_EQ(Run(3, kMenuNoRepeat), 3);
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Texas Holdem", "Texas Holdem"}));
}

TEST_F(MenuTest, LetterChoosesItsItemWithOrWithoutShift) {
  host.Keys("Shift+T");
  EXPECT_EQ(Run(1), 3);
  EXPECT_EQ(host.spoken.back(), "Texas Holdem");
  host.Keys("f");
  EXPECT_EQ(Run(1), 2);
}

TEST_F(MenuTest, KeyCodeFlagReturnsTheItemsKey) {
  host.Keys("F");
  EXPECT_EQ(Run(1, kMenuKeyCode), 'F');
  host.Keys("Enter");
  EXPECT_EQ(Run(3, kMenuKeyCode), 'T');
  host.Keys("Space");
  EXPECT_EQ(Run(1, kMenuKeyCode), 'S');
}

TEST_F(MenuTest, KeyOfMoreThanOneCharacterNeverMatches) {
  keys[2] = "FF";
  host.Keys("F Enter");
  EXPECT_EQ(Run(1, 0, true), 1);
}

TEST_F(MenuTest, DeleteReturnsTheNegatedPositionOnlyWithItsFlag) {
  host.Keys("Del Down Enter");
  EXPECT_EQ(Run(1), 2);
  host.Keys("Down Del");
  EXPECT_EQ(Run(1, kMenuDelete), -2);
}

TEST_F(MenuTest, EscapeReturnsZero) {
  host.Keys("Down Esc");
  EXPECT_EQ(Run(1), 0);
}

TEST_F(MenuTest, CommandKeyRunsItsReportAndEndsASingleSelectMenu) {
  host.Keys("P Enter");
  EXPECT_EQ(Run(1), 0);
  EXPECT_EQ(dispatched, (std::vector<int>{'P'}));
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Seven Card Stud", "The pot is 75."}));
  EXPECT_EQ(host.KeysLeft(), 1u);
}

TEST_F(MenuTest, HistoryKeysBrowseAndTheMenuStays) {
  speech.speak("You have a pair of Kings.");
  host.ClearSpoken();
  host.Keys("Ctrl+Up Ctrl+Down Down Enter");
  EXPECT_EQ(Run(1), 2);
  EXPECT_EQ(dispatched, (std::vector<int>{2038, 2040}));
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Seven Card Stud", "You have a pair of Kings.",
                                "Five Card Draw", "Five Card Draw"}));
}

TEST_F(MenuTest, CardReviewKeysAreDispatchedAndTheMenuStays) {
  host.Keys("J K L Left Right Enter");
  EXPECT_EQ(Run(1), 1);
  EXPECT_EQ(dispatched, (std::vector<int>{'J', 'K', 'L', kKeyLeft, kKeyRight}));
}

TEST_F(MenuTest, ArrowsLeftAndRightMoveWhenCardReviewByArrowsIsOff) {
  cardLeftKey = 0;
  host.Keys("Right Right Left Enter");
  EXPECT_EQ(Run(1), 2);
  EXPECT_TRUE(dispatched.empty());
}

TEST_F(MenuTest, ArrowsLeftAndRightMoveWhenCommandsAreOff) {
  host.Keys("Right Enter");
  EXPECT_EQ(Run(1, 0, true), 2);
}

TEST_F(MenuTest, UnknownKeyWithCommandsOffIsIgnored) {
  host.Keys("P Q Enter");
  EXPECT_EQ(Run(1, 0, true), 1);
  EXPECT_TRUE(dispatched.empty());
  EXPECT_EQ(host.spoken, (Lines{"Pick a game.", "Seven Card Stud", "Seven Card Stud"}));
}

TEST_F(MenuTest, ShiftedArrowIsNotAnArrow) {
  host.Keys("Shift+Down Enter");
  EXPECT_EQ(Run(1), 0);
  EXPECT_EQ(dispatched, (std::vector<int>{1040}));
}

TEST_F(MenuTest, ItemsAndKeysShorterThanTheCountAreGrown) {
  std::vector<std::string> few{"", "Only"};
  std::vector<std::string> fewKeys{"", "O"};
  host.Keys("End Enter");
  EXPECT_EQ(prompts.Menu("Short.", few, fewKeys, 2, 1, 0, true), 2);
  EXPECT_EQ(few.size(), 3u);
}

// --- multi-select
// ---------------------------------------------------------------------------------

class MultiSelectTest : public SpeechFixture {
 protected:
  std::int16_t Run(int flags = kMenuMultiSelect, bool commandsOff = false) {
    return prompts.Menu("Select cards to discard.", items, keys, 5, 1, flags, commandsOff);
  }
  std::vector<std::string> items{
      "", "Ace of Spades", "King of Hearts", "Two of Clubs", "Five of Diamonds", "Nine of Spades"};
  std::vector<std::string> keys{"", "1", "2", "3", "4", "5"};
};

TEST_F(MultiSelectTest, SpaceTogglesAndCounts) {
  host.Keys("Space Down Space Up Space Enter");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(host.spoken,
            (Lines{"Select cards to discard.", "Ace of Spades", "selected", "1 selected.",
                   "King of Hearts", "selected", "2 selected.", "Ace of Spades", "selected",
                   "Unselected", "1 selected.", "Ace of Spades"}));
  EXPECT_EQ(keys[1], "");
  EXPECT_EQ(keys[2], "*");
}

TEST_F(MultiSelectTest, FourthSelectionOverTheLimitIsRefused) {
  maxDrawCards = 3;
  host.Keys("Space Down Space Down Space Down Space Enter");
  EXPECT_EQ(Run(), 3);
  const Lines tail(host.spoken.end() - 4, host.spoken.end());
  EXPECT_EQ(tail, (Lines{"Five of Diamonds", "You can only discard up to 3 cards.", "3 selected.",
                         "Five of Diamonds"}));
  EXPECT_EQ(keys[4], "4");
}

TEST_F(MultiSelectTest, SelectedItemsSaySoWhenTheFlagsAreExactlyMultiSelect) {
  host.Keys("Space Down Up Home End Enter");
  Run();
  EXPECT_EQ(host.spoken, (Lines{"Select cards to discard.", "Ace of Spades", "selected",
                                "1 selected.", "King of Hearts", "Ace of Spades", "selected",
                                "Ace of Spades", "selected", "Nine of Spades", "Nine of Spades"}));
}

TEST_F(MultiSelectTest, SelectedItemsAreNotMarkedWithOtherFlagsToo) {
  host.Keys("Space Down Up Enter");
  Run(kMenuMultiSelect | kMenuNoRepeat);
  EXPECT_EQ(host.spoken,
            (Lines{"Select cards to discard.", "Ace of Spades", "selected", "1 selected.",
                   "King of Hearts", "Ace of Spades", "Ace of Spades"}));
}

TEST_F(MultiSelectTest, ArrowsLeftAndRightAlwaysMove) {
  host.Keys("Right Right Left Space Enter");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(keys[2], "*");
  EXPECT_TRUE(dispatched.empty());
}

TEST_F(MultiSelectTest, CommandKeyIsDispatchedAndTheListStays) {
  host.Keys("P Space Enter");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(dispatched, (std::vector<int>{'P'}));
}

TEST_F(MultiSelectTest, CountStartsAtZeroWhateverTheKeysHold) {
  keys[3] = "*";
  host.Keys("Down Down Space Enter");
  EXPECT_EQ(Run(), -1);
  EXPECT_EQ(host.spoken[host.spoken.size() - 3], "Unselected");
  EXPECT_EQ(host.spoken[host.spoken.size() - 2], "-1 selected.");
}

TEST_F(MultiSelectTest, DigitKeyChoosesItsItem) {
  host.Keys("3");
  EXPECT_EQ(Run(), 3);
}

}  // namespace
}  // namespace corvane::testing
