// The headless host: keys come from a script, the clock is virtual, and everything the game says
// is printed, one line per phrase, as it is spoken. Each line the text window receives (the
// no-speech mode) is printed too, as "| " and the line as the window holds it.
//
// Delivery. A `now` key is delivered at the next wait of any kind. When the game waits for an
// answer (WaitKind::Answer, or a pause without a deadline, which only a key could end), the keys
// queued by `on` rules come first, then the keys of the current `key` item; with none left and an
// `expect` still waiting the expect has failed, and with no items left the program ends with
// status 0, as after Alt-F4. A pause fires the timers that fall due before its deadline, in time
// order, moving the clock to each, and then moves the clock to the deadline.
//
// The script is read in order: a `key` item stays current until each of its keys has been
// delivered, a `now` item until its key has been, an `expect` until a spoken line contains its
// text; an `on` rule takes effect as soon as the script reaches it. A spoken line is checked
// against the rules in force before it is checked against the waiting expect, so a rule that
// follows an expect sees only the lines after the one that met the expect. A rule does not fire
// again while keys it queued are still waiting. When the items run out the rules are dropped
// (keys they already queued are still delivered).
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "platform/memory_text_window.h"
#include "platform/script.h"

namespace corvane {

class ScriptHost : public Host {
 public:
  // Virtual seconds an `expect` may wait before it has failed.
  static constexpr double kExpectLimit = 100000.0;

  // The transcript goes to `out`, failures of `expect` to `err`; with `printSounds` each sound
  // played is printed too, as "~ " and its file name.
  ScriptHost(Script script, std::ostream& out, std::ostream& err, bool printSounds);

  double Now() override { return now_; }
  // Monday 7 December 2026 20:00 (UTC) when the script starts, moved on by the virtual clock, so
  // that a transcript or a file that shows the time is the same on every machine.
  CalendarTime LocalTime() override;
  std::optional<HostEvent> NextEvent(double deadline, WaitKind kind) override;
  void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override;
  TextWindow& Text() override { return text_; }
  void Beep() override { ++beeps_; }
  void StartTimer(int id, double intervalSeconds) override;
  void StopTimer(int id) override { timers_.erase(id); }
  bool OpenDocument(const std::string& path) override;
  void OnSpoken(std::string_view text) override;
  void OnSoundPlayed(std::string_view file) override;

  // The exit status of the run, given the status the game ended with: 3 when an expect has
  // failed or is still waiting (then "expect failed: TEXT" is printed), else `status`.
  int FinalStatus(int status);

  // The display's bell rang this many times (for tests: a transcript does not show it).
  int Beeps() const { return beeps_; }

  // The machine has no program to show a document: OpenDocument fails (--missing viewer).
  void LackViewer(bool lacking) { viewerMissing_ = lacking; }

 private:
  struct Rule {
    std::string text;
    std::vector<KeyStroke> keys;
  };
  struct QueuedKey {
    KeyStroke key;
    std::size_t rule;
  };
  struct Timer {
    double interval = 0;
    double next = 0;
  };

  // Moves past the items that take effect at once (rules) and starts the clock of an expect.
  void Advance();
  const ScriptItem* Current() const;
  bool ExpectWaiting() const;
  // Moves the virtual clock forward; a waiting expect fails when it passes its limit.
  void AdvanceClock(double to);
  [[noreturn]] void FailExpect();
  void ReportFailure();
  std::optional<HostEvent> NextAnswer();
  std::optional<HostEvent> NextPause(double deadline);
  static HostEvent KeyEvent(KeyStroke key);

  Script script_;
  std::ostream& out_;
  std::ostream& err_;
  bool printSounds_;

  double now_ = 0;
  std::size_t cursor_ = 0;    // the current item
  std::size_t keyIndex_ = 0;  // the next key of the current `key` item
  double expectSince_ = 0;    // when the current expect became current
  bool failed_ = false;       // an expect has failed and been reported

  std::vector<Rule> rules_;
  std::vector<int> ruleKeysWaiting_;  // per rule
  std::deque<QueuedKey> ruleQueue_;
  std::map<int, Timer> timers_;

  MemoryTextWindow text_;
  int beeps_ = 0;
  bool viewerMissing_ = false;
};

}  // namespace corvane
