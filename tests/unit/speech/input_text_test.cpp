// The text prompt: capitals, punctuation, editing and Escape.
#include <gtest/gtest.h>

#include "speech_fixture.h"

namespace corvane::testing {
namespace {

using InputTextTest = SpeechFixture;

TEST_F(InputTextTest, LettersAreAddedAsCapitals) {
  host.Keys("J O E Enter");
  EXPECT_EQ(prompts.InputText("What is your name?", "The Boss", 0), "JOE");
  EXPECT_EQ(host.spoken, (Lines{"What is your name?", "The Boss", "J", "JO", "JOE"}));
}

TEST_F(InputTextTest, ShiftCommaGivesCharacter188OfTheCodePage) {
  host.Keys("A Shift+Comma Comma Period Shift+Period Shift+1 Space 2 Enter");
  EXPECT_EQ(prompts.InputText("Name?", "", 0), "A\u00bc,.\u00be1 2");
}

TEST_F(InputTextTest, EscapeReturnsThreeStars) {
  host.Keys("A Esc");
  EXPECT_EQ(prompts.InputText("Name?", "Bob", 0), "***");
}

TEST_F(InputTextTest, DefaultIsTrimmedAndReturnedOnEnter) {
  host.Keys("Tab");
  EXPECT_EQ(prompts.InputText("Name?", "  Bob  ", 0), "Bob");
  EXPECT_EQ(host.spoken, (Lines{"Name?", "Bob"}));
}

TEST_F(InputTextTest, DeleteSaysAndRemovesTheLastCharacter) {
  host.Keys("Del X Shift+Comma Back Enter");
  EXPECT_EQ(prompts.InputText("Name?", "Bob", 0), "BoX");
  EXPECT_EQ(host.spoken, (Lines{"Name?", "Bob", "b", "Bo", "BoX", "BoX\u00bc", "\u00bc", "BoX"}));
}

TEST_F(InputTextTest, DeleteOnAnEmptyEntryBeeps) {
  host.Keys("Del Enter");
  EXPECT_EQ(prompts.InputText("Name?", "", 0), "");
  EXPECT_EQ(host.beeps, 1);
}

TEST_F(InputTextTest, OtherKeyBeforeTypingDispatchesWithFlagOneAndStartsAgain) {
  host.Keys("F2 Ctrl+Up Enter");
  EXPECT_EQ(prompts.InputText("Name?", "Bob", 1), "Bob");
  EXPECT_EQ(dispatched, (std::vector<int>{113, 2038}));
  EXPECT_EQ(host.spoken, (Lines{"Name?", "Bob", "Name?", "Bob", "Name?", "Bob"}));
}

TEST_F(InputTextTest, OtherKeyAfterTypingIsAnswered) {
  host.Keys("A F2 Enter");
  EXPECT_EQ(prompts.InputText("Name?", "Bob", 1), "A");
  EXPECT_TRUE(dispatched.empty());
  EXPECT_EQ(host.spoken,
            (Lines{"Name?", "Bob", "A",
                   "You can only enter the A through Z, space, Enter, or Delete", "A"}));
}

TEST_F(InputTextTest, ControlLetterIsTheLetter) {
  host.Keys("Ctrl+B Enter");
  EXPECT_EQ(prompts.InputText("Name?", "", 0), "B");
}

}  // namespace
}  // namespace corvane::testing
