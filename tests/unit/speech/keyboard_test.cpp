// The keyboard hand-off and the pause: commands at once, or stored for the prompt that owns the
// keyboard; the window keys that act at once; timers during waits.
#include "speech/keyboard.h"

#include <gtest/gtest.h>

#include "speech_fixture.h"

namespace corvane::testing {
namespace {

using KeyboardTest = SpeechFixture;

TEST_F(KeyboardTest, KeyDuringAnOpenPauseRunsItsCommandAtOnce) {
  host.KeyNow('P');
  prompts.Wait(2, false);
  EXPECT_EQ(dispatched, (std::vector<int>{'P'}));
  EXPECT_EQ(host.spoken, (Lines{"The pot is 75."}));
  EXPECT_FALSE(keyboard.InputWaiting);
}

TEST_F(KeyboardTest, EveryKeyOfAnOpenPauseIsAnsweredInOrder) {
  // A stands for a command that asks a question (raise the ante?), which the next key answers.
  keyboard.SetCommandDispatcher([this] {
    dispatched.push_back(keyboard.CommandKey());
    if (keyboard.CommandKey() == 'A') prompts.AskYesNo("Raise the ante?", 2, false);
  });
  struct Row {
    const char* keys;  // all arriving during one pause
    std::vector<int> answered;
  };
  for (const Row& row : std::vector<Row>{{"P Shift+M Ctrl+Up", {'P', 1077, 2038}},
                                         {"A Y P M", {'A', 'P', 'M'}},
                                         {"A Esc Shift+M", {'A', 1077}}}) {
    dispatched.clear();
    host.KeysNow(row.keys);
    prompts.Wait(1, false);
    EXPECT_EQ(dispatched, row.answered) << row.keys;
    EXPECT_FALSE(keyboard.InputWaiting) << row.keys;
  }
}

TEST_F(KeyboardTest, KeyDuringABlockingPauseIsOnlyStored) {
  host.KeyNow('P', kShift);
  prompts.Wait(2, true);
  EXPECT_TRUE(dispatched.empty());
  EXPECT_EQ(keyboard.KeyPressed, 'P');
  EXPECT_EQ(keyboard.KeyShift, kShift);
  EXPECT_EQ(keyboard.CommandKey(), 1080);
  // Wait leaves the keyboard as it set it.
  EXPECT_TRUE(keyboard.InputWaiting);
}

TEST_F(KeyboardTest, PauseLastsItsSecondsOnTheClockWithoutSpinning) {
  const double start = host.Now();
  prompts.Wait(7, false);
  EXPECT_DOUBLE_EQ(host.Now() - start, 7);
  EXPECT_EQ(host.waits, 1);
}

TEST_F(KeyboardTest, PauseOfNoLengthStillRunsWaitingKeys) {
  const double start = host.Now();
  host.KeyNow('P');
  prompts.Wait(0, false);
  EXPECT_EQ(dispatched, (std::vector<int>{'P'}));
  EXPECT_DOUBLE_EQ(host.Now(), start);
}

TEST_F(KeyboardTest, PauseGoesOnAfterAKeyUntilItsEnd) {
  const double start = host.Now();
  host.KeyNow('P');
  prompts.Wait(3, false);
  EXPECT_DOUBLE_EQ(host.Now() - start, 3);
}

TEST_F(KeyboardTest, ControlTwoSwitchesTheModeAndIsNotStored) {
  host.KeyNow('2', kControl);
  prompts.Wait(1, false);
  EXPECT_EQ(speech.TTSType, 2);
  EXPECT_EQ(speech.SpeechMode, 2);
  EXPECT_EQ(keyboard.KeyPressed, 0);
  EXPECT_TRUE(dispatched.empty());
}

TEST_F(KeyboardTest, ControlZeroShowsTheTextWindowEvenDuringAPrompt) {
  host.KeyNow('0', kControl);
  host.Keys("Enter");
  EXPECT_EQ(prompts.AskOK("Ready?"), 1);
  EXPECT_EQ(speech.TTSType, 0);
  EXPECT_TRUE(host.text.Visible());
  EXPECT_EQ(host.text.Text(), "OK\r\n");
}

TEST_F(KeyboardTest, ControlWithShiftAndADigitIsAnOrdinaryKey) {
  host.KeyNow('2', kControl | kShift);
  prompts.Wait(1, false);
  EXPECT_EQ(speech.TTSType, 1);
  EXPECT_EQ(dispatched, (std::vector<int>{3050}));
}

TEST_F(KeyboardTest, ControlFourIsAnOrdinaryKey) {
  host.KeyNow('4', kControl);
  prompts.Wait(1, false);
  EXPECT_EQ(speech.TTSType, 1);
  EXPECT_EQ(dispatched, (std::vector<int>{2052}));
}

TEST_F(KeyboardTest, AltF4EndsTheProgram) {
  host.KeyNow(kKeyF4, kAlt);
  try {
    prompts.Wait(1, false);
    FAIL() << "Alt-F4 did not end the program";
  } catch (const EndProgram& end) {
    EXPECT_EQ(end.status, 0);
  }
}

TEST_F(KeyboardTest, AltF4EndsTheProgramAtAPromptToo) {
  host.KeyNow(kKeyF4, kAlt | kShift);
  host.Keys("Y");
  EXPECT_THROW(prompts.AskYesNo("Sure?", 1, true), EndProgram);
  EXPECT_EQ(host.KeysLeft(), 1u);
}

TEST_F(KeyboardTest, PlainF4IsAnOrdinaryKey) {
  host.KeyNow(kKeyF4);
  prompts.Wait(1, false);
  EXPECT_EQ(dispatched, (std::vector<int>{115}));
}

TEST_F(KeyboardTest, ClosingTheWindowEndsTheProgram) {
  host.CloseNow();
  EXPECT_THROW(prompts.Wait(1, false), EndProgram);
}

TEST_F(KeyboardTest, ShiftControlAndAltAloneAreIgnored) {
  host.KeyNow(kKeyShift, kShift);
  host.KeyNow(kKeyControl, kControl);
  host.KeyNow(kKeyAlt, kAlt);
  prompts.Wait(1, false);
  EXPECT_EQ(keyboard.KeyPressed, 0);
  EXPECT_TRUE(dispatched.empty());
}

TEST_F(KeyboardTest, KeyOnTheSpeechWindowIsOnlyStored) {
  host.KeyNow('P', kShift, Window::Speech);
  prompts.Wait(1, false);
  EXPECT_TRUE(dispatched.empty());
  EXPECT_EQ(keyboard.KeyPressed, 'P');
  EXPECT_EQ(keyboard.KeyShift, 0);
  EXPECT_EQ(keyboard.SpeechWindowShift, kShift);
}

TEST_F(KeyboardTest, TimersTickDuringAPause) {
  int ticks = 0;
  keyboard.SetTimerHandler(1, [&] { ++ticks; });
  host.StartTimer(1, 0.5);
  prompts.Wait(2, false);
  EXPECT_EQ(ticks, 4);
}

TEST_F(KeyboardTest, TimersTickWhileAPromptWaitsForItsAnswer) {
  int ticks = 0;
  keyboard.SetTimerHandler(1, [&] { ++ticks; });
  host.StartTimer(1, 1.0);
  host.answerDelay = 3.5;
  host.Keys("Y");
  EXPECT_EQ(prompts.AskYesNo("Sure?", 1, true), 1);
  EXPECT_EQ(ticks, 3);
}

TEST_F(KeyboardTest, CommandKeyCombinesShiftAndCode) {
  host.KeyNow('M', kShift);
  host.KeyNow(kKeyUp, kControl);
  host.KeyNow(kKeyF2, kShift);
  prompts.Wait(1, false);
  EXPECT_EQ(dispatched, (std::vector<int>{1077, 2038, 1113}));
}

TEST_F(KeyboardTest, APromptWithNoAnswerLeftEndsTheProgram) {
  EXPECT_THROW(prompts.AskOK("Anyone?"), EndProgram);
}

}  // namespace
}  // namespace corvane::testing
