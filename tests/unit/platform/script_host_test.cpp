#include "platform/script_host.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

namespace corvane {
namespace {

class ScriptHostTest : public ::testing::Test {
 protected:
  ScriptHost& Start(const std::string& text, bool printSounds = false) {
    host_.emplace(ParseScriptText(text), out_, err_, printSounds);
    return *host_;
  }

  // The next key delivered at a wait of the given kind, as its name ("A", "Ctrl+Up").
  std::string NextKey(WaitKind kind, double deadline = kForever) {
    const std::optional<HostEvent> event = host_->NextEvent(deadline, kind);
    if (!event) return "(none)";
    if (event->kind == HostEvent::Kind::Timer) return "timer " + std::to_string(event->code);
    if (event->kind != HostEvent::Kind::Key) return "(other)";
    EXPECT_EQ(event->window, Window::Sound);
    return KeyName({event->code, event->shift});
  }
  std::string Answer() { return NextKey(WaitKind::Answer); }

  // The status a wait for an answer ends the program with.
  int EndStatus() {
    try {
      host_->NextEvent(kForever, WaitKind::Answer);
    } catch (const EndProgram& end) {
      return end.status;
    }
    return -1;
  }

  std::ostringstream out_;
  std::ostringstream err_;
  std::optional<ScriptHost> host_;
};

TEST_F(ScriptHostTest, KeyItemsAnswerPromptsInOrder) {
  Start("key Down Up\nkey Shift+M\n");
  EXPECT_EQ(Answer(), "Down");
  EXPECT_EQ(Answer(), "Up");
  EXPECT_EQ(Answer(), "Shift+M");
  EXPECT_EQ(EndStatus(), 0);
  EXPECT_EQ(host_->FinalStatus(0), 0);
  EXPECT_EQ(err_.str(), "");
}

TEST_F(ScriptHostTest, KeyItemsWaitDuringPauses) {
  ScriptHost& host = Start("key X\n");
  EXPECT_EQ(NextKey(WaitKind::Pause, 7.0), "(none)");
  EXPECT_DOUBLE_EQ(host.Now(), 7.0);
  EXPECT_EQ(Answer(), "X");
}

TEST_F(ScriptHostTest, NowKeysArriveAtAnyWait) {
  ScriptHost& host = Start("now P\nkey Enter\nnow Ctrl+Up\n");
  EXPECT_EQ(NextKey(WaitKind::Pause, 2.0), "P");
  EXPECT_DOUBLE_EQ(host.Now(), 0.0);  // delivered at once, no time passed
  // The `now` after the key item waits until the key item has been delivered.
  EXPECT_EQ(NextKey(WaitKind::Pause, 2.0), "(none)");
  EXPECT_EQ(Answer(), "Enter");
  EXPECT_EQ(NextKey(WaitKind::Pause, 3.0), "Ctrl+Up");
  EXPECT_EQ(EndStatus(), 0);
}

TEST_F(ScriptHostTest, NowKeyComesBeforeAnAnswer) {
  Start("now A\nkey B\n");
  EXPECT_EQ(Answer(), "A");
  EXPECT_EQ(Answer(), "B");
}

TEST_F(ScriptHostTest, EverySpokenPhraseIsPrintedOnItsOwnLine) {
  ScriptHost& host = Start("");
  host.OnSpoken("Corvane Version 1.0.");
  host.OnSpoken("");
  host.OnSpoken("Select from Menu");
  host.ShowMessage("Error! ", "Error initializing screen reader or MS SAPI.",
                   MessageIcon::Critical);
  host.OnSoundPlayed("intro0.wav");
  EXPECT_EQ(out_.str(),
            "Corvane Version 1.0.\nSelect from Menu\n"
            "! Error! : Error initializing screen reader or MS SAPI.\n");
}

TEST_F(ScriptHostTest, SoundsArePrintedWhenAsked) {
  ScriptHost& host = Start("", true);
  host.OnSoundPlayed("intro0.wav");
  host.OnSpoken("Hello");
  EXPECT_EQ(out_.str(), "~ intro0.wav\nHello\n");
}

TEST_F(ScriptHostTest, ExpectHoldsBackLaterKeysUntilItsTextIsSpoken) {
  ScriptHost& host = Start("key T\nexpect Select from\nkey X\n");
  EXPECT_EQ(Answer(), "T");
  host.OnSpoken("Something else");
  EXPECT_EQ(NextKey(WaitKind::Pause, 1.0), "(none)");
  host.OnSpoken("Please Select from Menu");  // contained anywhere in the line
  EXPECT_EQ(Answer(), "X");
  EXPECT_EQ(EndStatus(), 0);
  EXPECT_EQ(host.FinalStatus(0), 0);
  EXPECT_EQ(err_.str(), "");
}

TEST_F(ScriptHostTest, ExpectIsCaseSensitive) {
  ScriptHost& host = Start("expect Menu\nkey X\n");
  host.OnSpoken("menu");
  EXPECT_EQ(EndStatus(), 3);
  EXPECT_EQ(err_.str(), "expect failed: Menu\n");
  EXPECT_EQ(host.FinalStatus(3), 3);
  EXPECT_EQ(err_.str(), "expect failed: Menu\n");  // reported once
}

TEST_F(ScriptHostTest, ExpectFailsWhenThePromptHasNothingToAnswerWith) {
  ScriptHost& host = Start("expect Never said\n");
  EXPECT_EQ(EndStatus(), 3);
  EXPECT_EQ(err_.str(), "expect failed: Never said\n");
  EXPECT_GE(host.Now(), ScriptHost::kExpectLimit);
}

TEST_F(ScriptHostTest, ExpectFailsWhenTheVirtualClockPassesItsLimit) {
  ScriptHost& host = Start("key A\nexpect Never said\n");
  EXPECT_EQ(Answer(), "A");
  host.NextEvent(50000.0, WaitKind::Pause);  // the expect became current at 0
  EXPECT_DOUBLE_EQ(host.Now(), 50000.0);
  host.NextEvent(100000.0, WaitKind::Pause);
  EXPECT_EQ(err_.str(), "");
  try {
    host.NextEvent(100000.5, WaitKind::Pause);
    FAIL() << "the expect did not fail";
  } catch (const EndProgram& end) {
    EXPECT_EQ(end.status, 3);
  }
  EXPECT_EQ(err_.str(), "expect failed: Never said\n");
}

TEST_F(ScriptHostTest, ExpectLimitCountsFromWhenItBecameCurrent) {
  ScriptHost& host = Start("key A\nexpect Later\n");
  host.NextEvent(90000.0, WaitKind::Pause);  // the key item is still current
  EXPECT_EQ(Answer(), "A");                  // now the expect starts, at 90000
  host.NextEvent(190000.0, WaitKind::Pause);
  EXPECT_EQ(err_.str(), "");
  host.OnSpoken("Later");
  EXPECT_EQ(host.FinalStatus(0), 0);
}

TEST_F(ScriptHostTest, ExpectStillWaitingAtTheEndFailsTheRun) {
  ScriptHost& host = Start("expect Goodbye\n");
  host.OnSpoken("Hello");
  EXPECT_EQ(host.FinalStatus(0), 3);
  EXPECT_EQ(err_.str(), "expect failed: Goodbye\n");
}

TEST_F(ScriptHostTest, MetExpectsLeaveTheStatusAlone) {
  ScriptHost& host = Start("expect Goodbye\n");
  host.OnSpoken("Goodbye for now");
  EXPECT_EQ(host.FinalStatus(0), 0);
  EXPECT_EQ(host.FinalStatus(5), 5);
}

TEST_F(ScriptHostTest, OneLineMeetsOneExpect) {
  ScriptHost& host = Start("expect Menu\nexpect Menu\n");
  host.OnSpoken("Menu");
  EXPECT_EQ(host.FinalStatus(0), 3);
  EXPECT_EQ(err_.str(), "expect failed: Menu\n");
}

TEST_F(ScriptHostTest, RuleKeysComeBeforeTheRemainingKeyItems) {
  ScriptHost& host = Start("on What would you like => C Enter\nkey A B\nexpect Done\n");
  EXPECT_EQ(Answer(), "A");
  host.OnSpoken("???What would you like to do?");
  EXPECT_EQ(Answer(), "C");
  EXPECT_EQ(Answer(), "Enter");
  EXPECT_EQ(Answer(), "B");
  host.OnSpoken("What would you like to do?");
  EXPECT_EQ(Answer(), "C");
  EXPECT_EQ(Answer(), "Enter");
  host.OnSpoken("Done");
  EXPECT_EQ(EndStatus(), 0);
}

TEST_F(ScriptHostTest, ARuleDoesNotFireAgainWhileItsKeysWait) {
  ScriptHost& host = Start("on Pick => Y N\nexpect End\n");
  host.OnSpoken("Pick one");
  host.OnSpoken("Pick two");  // Y and N still wait: no more
  EXPECT_EQ(Answer(), "Y");
  host.OnSpoken("Pick three");  // N still waits
  EXPECT_EQ(Answer(), "N");
  host.OnSpoken("Pick four");  // all delivered: fires again
  EXPECT_EQ(Answer(), "Y");
  EXPECT_EQ(Answer(), "N");
  EXPECT_EQ(EndStatus(), 3);  // the expect is still waiting and nothing answers
}

TEST_F(ScriptHostTest, RulesTakeEffectWhenTheScriptReachesThem) {
  ScriptHost& host = Start("key A\non Hello => H\nexpect Bye\n");
  host.OnSpoken("Hello");  // the rule is not in force yet
  EXPECT_EQ(Answer(), "A");
  host.OnSpoken("Hello");
  EXPECT_EQ(Answer(), "H");
  host.OnSpoken("Bye");
  EXPECT_EQ(EndStatus(), 0);
}

TEST_F(ScriptHostTest, ARuleAfterAnExpectSeesOnlyLaterLines) {
  ScriptHost& host = Start("expect Menu\non Menu => M\nexpect Stop\n");
  host.OnSpoken("Menu");
  EXPECT_EQ(EndStatus(), 3);
  (void)host;
}

TEST_F(ScriptHostTest, RulesAreDroppedWhenTheItemsRunOut) {
  ScriptHost& host = Start("on Again => A\nkey Z\n");
  host.OnSpoken("Again");
  EXPECT_EQ(Answer(), "A");
  EXPECT_EQ(Answer(), "Z");  // the last item: the rules end
  host.OnSpoken("Again");
  EXPECT_EQ(EndStatus(), 0);
}

TEST_F(ScriptHostTest, KeysAlreadyQueuedByARuleOutliveTheItems) {
  ScriptHost& host = Start("on Again => A B\nkey Z\n");
  EXPECT_EQ(Answer(), "Z");
  host.OnSpoken("Again");  // no items left: the rule is gone
  EXPECT_EQ(EndStatus(), 0);

  ScriptHost& second = Start("on Again => A B\nkey Z\n");
  second.OnSpoken("Again");
  EXPECT_EQ(Answer(), "A");
  EXPECT_EQ(Answer(), "B");
  EXPECT_EQ(Answer(), "Z");
  EXPECT_EQ(EndStatus(), 0);
}

TEST_F(ScriptHostTest, AnEmptyScriptEndsAtTheFirstPrompt) {
  ScriptHost& host = Start("# nothing\n");
  EXPECT_EQ(NextKey(WaitKind::Pause, 9.0), "(none)");
  EXPECT_EQ(EndStatus(), 0);
  EXPECT_EQ(host.FinalStatus(0), 0);
}

TEST_F(ScriptHostTest, TheClockMovesOnlyWhenTheGameWaits) {
  ScriptHost& host = Start("key A\n");
  EXPECT_DOUBLE_EQ(host.Now(), 0.0);
  EXPECT_DOUBLE_EQ(host.Now(), 0.0);
  host.NextEvent(7.0, WaitKind::Pause);
  EXPECT_DOUBLE_EQ(host.Now(), 7.0);
  host.NextEvent(3.0, WaitKind::Pause);  // a deadline in the past does not turn the clock back
  EXPECT_DOUBLE_EQ(host.Now(), 7.0);
  EXPECT_EQ(Answer(), "A");
  EXPECT_DOUBLE_EQ(host.Now(), 7.0);  // answers take no time
}

TEST_F(ScriptHostTest, TimersFireInTimeOrderDuringPauses) {
  ScriptHost& host = Start("key A\n");
  host.StartTimer(1, 3.0);
  host.StartTimer(2, 2.0);
  EXPECT_EQ(NextKey(WaitKind::Pause, 7.0), "timer 2");
  EXPECT_DOUBLE_EQ(host.Now(), 2.0);
  EXPECT_EQ(NextKey(WaitKind::Pause, 7.0), "timer 1");
  EXPECT_DOUBLE_EQ(host.Now(), 3.0);
  EXPECT_EQ(NextKey(WaitKind::Pause, 7.0), "timer 2");
  EXPECT_DOUBLE_EQ(host.Now(), 4.0);
  EXPECT_EQ(NextKey(WaitKind::Pause, 7.0), "timer 1");  // 6 before 2's 6: lower id first
  EXPECT_DOUBLE_EQ(host.Now(), 6.0);
  EXPECT_EQ(NextKey(WaitKind::Pause, 7.0), "timer 2");
  EXPECT_DOUBLE_EQ(host.Now(), 6.0);
  EXPECT_EQ(NextKey(WaitKind::Pause, 7.0), "(none)");
  EXPECT_DOUBLE_EQ(host.Now(), 7.0);
  // Timers do not hold up an answer.
  EXPECT_EQ(Answer(), "A");
}

TEST_F(ScriptHostTest, StoppedTimersDoNotFire) {
  ScriptHost& host = Start("");
  host.StartTimer(1, 1.0);
  EXPECT_TRUE(host.TimerRunning(1));
  host.StopTimer(1);
  EXPECT_FALSE(host.TimerRunning(1));
  host.StartTimer(2, 1.0);
  host.StartTimer(2, 0.0);  // an interval of 0 stops it
  EXPECT_FALSE(host.TimerRunning(2));
  EXPECT_EQ(NextKey(WaitKind::Pause, 5.0), "(none)");
  EXPECT_DOUBLE_EQ(host.Now(), 5.0);
}

TEST_F(ScriptHostTest, RestartingATimerCountsFromNow) {
  ScriptHost& host = Start("");
  host.StartTimer(1, 4.0);
  host.NextEvent(3.0, WaitKind::Pause);
  host.StartTimer(1, 4.0);
  EXPECT_EQ(NextKey(WaitKind::Pause, 10.0), "timer 1");
  EXPECT_DOUBLE_EQ(host.Now(), 7.0);
}

TEST_F(ScriptHostTest, APauseWithoutEndIsAnsweredLikeAPrompt) {
  Start("key Q\n");
  EXPECT_EQ(NextKey(WaitKind::Pause, kForever), "Q");
  EXPECT_EQ(EndStatus(), 0);
}

TEST_F(ScriptHostTest, AFiniteAnswerWaitWithAnExpectWaitingLetsTimeRun) {
  ScriptHost& host = Start("expect Later\nkey A\n");
  host.StartTimer(1, 1.0);
  EXPECT_EQ(NextKey(WaitKind::Answer, 1.5), "timer 1");
  EXPECT_EQ(NextKey(WaitKind::Answer, 1.5), "(none)");
  EXPECT_DOUBLE_EQ(host.Now(), 1.5);
  host.OnSpoken("Later");
  EXPECT_EQ(NextKey(WaitKind::Answer, 2.0), "A");
}

TEST_F(ScriptHostTest, TheTextWindowBeepsAndDocumentsAreKept) {
  ScriptHost& host = Start("");
  EXPECT_FALSE(host.Text().Visible());
  host.Text().Show(true);
  host.Text().SetText(" ");
  host.Text().Append("Hello\r\nPart");
  host.Text().Append("ly\r\n");
  EXPECT_TRUE(host.Text().Visible());
  EXPECT_EQ(host.Text().Text(), " Hello\r\nPartly\r\n");
  host.Beep();
  host.Beep();
  EXPECT_EQ(host.Beeps(), 2);
  EXPECT_TRUE(host.OpenDocument("/x/help.html"));
  ASSERT_EQ(host.OpenedDocuments().size(), 1u);
  EXPECT_EQ(host.OpenedDocuments()[0], "/x/help.html");
  // Only the text window's lines are printed, each once it has ended, as the window holds it.
  EXPECT_EQ(out_.str(), "|  Hello\n| Partly\n");
}

}  // namespace
}  // namespace corvane
