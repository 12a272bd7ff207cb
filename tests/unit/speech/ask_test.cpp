// The OK and yes/no questions.
#include <gtest/gtest.h>

#include "speech_fixture.h"

namespace corvane::testing {
namespace {

using AskTest = SpeechFixture;

TEST_F(AskTest, YesNoYReturnsOneAfterSayingYes) {
  host.Keys("Y");
  EXPECT_EQ(prompts.AskYesNo("Play another hand of this game?", 1, false), 1);
  EXPECT_EQ(host.spoken, (Lines{"Play another hand of this game?", "Yes", "Yes"}));
}

TEST_F(AskTest, YesNoShiftYAlsoReturnsOne) {
  host.Keys("Shift+Y");
  EXPECT_EQ(prompts.AskYesNo("Sure?", 0, false), 1);
  EXPECT_EQ(host.spoken, (Lines{"Sure?", "Yes"}));
}

TEST_F(AskTest, YesNoNAndArrows) {
  host.Keys("N");
  EXPECT_EQ(prompts.AskYesNo("Sure?", 1, false), 2);
  host.Keys("Down Enter");
  EXPECT_EQ(prompts.AskYesNo("Sure?", 1, false), 2);
}

TEST_F(AskTest, YesNoEscapeReturnsZero) {
  host.Keys("Esc");
  EXPECT_EQ(prompts.AskYesNo("Sure?", 1, false), 0);
}

TEST_F(AskTest, YesNoCommandKeyReturnsZeroUnlessCommandsAreOff) {
  host.Keys("P");
  EXPECT_EQ(prompts.AskYesNo("Sure?", 1, false), 0);
  EXPECT_EQ(dispatched.size(), 1u);
  host.Keys("P Y");
  EXPECT_EQ(prompts.AskYesNo("Sure?", 1, true), 1);
  EXPECT_EQ(dispatched.size(), 1u);
}

TEST_F(AskTest, OkReturnsOneOnEnterOrO) {
  host.Keys("Enter");
  EXPECT_EQ(prompts.AskOK("The game is over."), 1);
  host.Keys("O");
  EXPECT_EQ(prompts.AskOK("The game is over."), 1);
  EXPECT_EQ(host.spoken, (Lines{"The game is over.", "OK", "OK", "The game is over.", "OK", "OK"}));
}

TEST_F(AskTest, OkCommandKeyReturnsZero) {
  host.Keys("P");
  EXPECT_EQ(prompts.AskOK("The game is over."), 0);
}

}  // namespace
}  // namespace corvane::testing
