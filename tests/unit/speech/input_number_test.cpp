// The number prompt: typing, stepping, the range message, and its bounds.
#include <gtest/gtest.h>

#include <limits>

#include "speech_fixture.h"

namespace corvane::testing {
namespace {

using InputNumberTest = SpeechFixture;

TEST_F(InputNumberTest, SaysThePromptAndTheDefaultAndReturnsItOnEnter) {
  host.Keys("Enter");
  EXPECT_EQ(prompts.InputNumber("How many players?", 1, 7, 5, 0, 1), 5);
  EXPECT_EQ(host.spoken, (Lines{"How many players?", "5"}));
}

TEST_F(InputNumberTest, UpEndBeepAndTheRangeMessage) {
  host.Keys("Up End Up 2 5 Enter Esc");
  EXPECT_EQ(prompts.InputNumber("Ante?", 1, 20, 3, 0, 1), -1);
  EXPECT_EQ(host.spoken,
            (Lines{"Ante?", "3", "4", "20", "20", "2", "25",
                   "The entered value is less than 1 and greater than 20. Please try again."}));
  EXPECT_EQ(host.beeps, 1);
}

TEST_F(InputNumberTest, EntryIsClearedAfterTheRangeMessage) {
  host.Keys("2 5 Enter 7 Enter");
  EXPECT_EQ(prompts.InputNumber("Ante?", 1, 20, 3, 0, 1), 7);
}

TEST_F(InputNumberTest, EnterOnAnEmptyEntryCountsAsZero) {
  host.Keys("Del Enter");
  EXPECT_EQ(prompts.InputNumber("Bots?", 0, 6, 5, 0, 1), 0);
  EXPECT_EQ(host.spoken, (Lines{"Bots?", "5", "5"}));
}

TEST_F(InputNumberTest, DownBelowTheMinimumBeepsAndGivesTheMinimum) {
  host.Keys("Down Down Down Enter");
  EXPECT_EQ(prompts.InputNumber("Raise?", 10, 100, 30, 0, 10), 10);
  EXPECT_EQ(host.spoken, (Lines{"Raise?", "30", "20", "10", "10"}));
  EXPECT_EQ(host.beeps, 1);
}

TEST_F(InputNumberTest, HomeGivesTheMinimumAndTabAnswers) {
  host.Keys("Home Tab");
  EXPECT_EQ(prompts.InputNumber("Raise?", 10, 100, 30, 0, 10), 10);
}

TEST_F(InputNumberTest, StepAfterTypingStartsFromTheTypedValue) {
  host.Keys("4 2 Up Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, 100, 5, 0, 1), 43);
}

TEST_F(InputNumberTest, DigitAfterAStepReplacesTheEntry) {
  host.Keys("Up 7 Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, 100, 5, 0, 1), 7);
}

TEST_F(InputNumberTest, BackspaceSaysAndRemovesTheLastDigitAndBeepsWhenEmpty) {
  host.Keys("Back 9 Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, 100, 15, 0, 1), 19);
  EXPECT_EQ(host.spoken, (Lines{"Chips?", "15", "5", "1", "19"}));
}

TEST_F(InputNumberTest, BackspaceOnAnEmptyEntryBeeps) {
  host.Keys("Back Back Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, 100, 5, 0, 1), 0);
  EXPECT_EQ(host.beeps, 1);
}

TEST_F(InputNumberTest, OtherKeyBeforeTypingDispatchesWithFlagOneAndAsksAgain) {
  host.Keys("Up P Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, 100, 5, 1, 1), 5);
  EXPECT_EQ(dispatched, (std::vector<int>{'P'}));
  EXPECT_EQ(host.spoken, (Lines{"Chips?", "5", "6", "The pot is 75.", "Chips?", "5"}));
}

TEST_F(InputNumberTest, OtherKeyBeforeTypingWithoutFlagOnlyAsksAgain) {
  host.Keys("P Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, 100, 5, 0, 1), 5);
  EXPECT_TRUE(dispatched.empty());
  EXPECT_EQ(host.spoken, (Lines{"Chips?", "5", "Chips?", "5"}));
}

TEST_F(InputNumberTest, OtherKeyAfterTypingIsAnswered) {
  host.Keys("4 P Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, 100, 5, 1, 1), 4);
  EXPECT_TRUE(dispatched.empty());
  EXPECT_EQ(host.spoken,
            (Lines{"Chips?", "5", "4",
                   "You can only enter the 0 through 9 keys, Enter, or Delete keys", "4"}));
}

TEST_F(InputNumberTest, DigitPastTheThirtyTwoBitRangeIsRefusedWithABeep) {
  const std::int32_t top = std::numeric_limits<std::int32_t>::max();
  host.Keys("2 1 4 7 4 8 3 6 4 8 Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, top, 0, 0, 1), 214748364);
  EXPECT_EQ(host.beeps, 1);
  host.Keys("9 9 9 9 9 9 9 9 9 9 9 Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, top, 0, 0, 1), 999999999);
  EXPECT_EQ(host.beeps, 3);
  host.Keys("2 1 4 7 4 8 3 6 4 7 Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, top, 0, 0, 1), top);
}

TEST_F(InputNumberTest, StepsNeverOverflow) {
  const std::int32_t top = std::numeric_limits<std::int32_t>::max();
  host.Keys("Up Up Enter");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, top, top - 1, 0, top), top);
  EXPECT_EQ(host.beeps, 2);
}

TEST_F(InputNumberTest, NegativeDefaultIsSaidWithItsSign) {
  host.Keys("Enter");
  EXPECT_EQ(prompts.InputNumber("Offset?", -10, 10, -5, 0, 1), -5);
  EXPECT_EQ(host.spoken, (Lines{"Offset?", "-5"}));
}

TEST_F(InputNumberTest, EscapeReturnsMinusOne) {
  host.Keys("3 Esc");
  EXPECT_EQ(prompts.InputNumber("Chips?", 0, 100, 5, 0, 1), -1);
}

TEST_F(InputNumberTest, EveryKeySilencesSpeech) {
  host.Keys("Up Enter");
  prompts.InputNumber("Chips?", 0, 100, 5, 0, 1);
  EXPECT_EQ(engines.log, (Lines{"Say(Chips?)", "Say(5)", "Stop", "Say(6)", "Stop"}));
}

}  // namespace
}  // namespace corvane::testing
