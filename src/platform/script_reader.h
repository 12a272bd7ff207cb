// One person's script in the headless host: where it stands, its standing answers and the keys
// they queued, its expect, and the transcript of what that person is told.
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
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "platform/script.h"

namespace corvane {

class ScriptReader {
 public:
  // Virtual seconds an `expect` may wait before it has failed.
  static constexpr double kExpectLimit = 100000.0;

  // The transcript goes to `out`, a failed `expect` to `err`.
  ScriptReader(Script script, std::ostream& out, std::ostream& err);

  // The key of the current `now` item, which is then done; nothing when the current item is
  // another.
  std::optional<KeyStroke> TakeNow(double now);
  // The next answer: a key queued by a rule, else the next key of the current `key` item.
  std::optional<KeyStroke> NextAnswer(double now);
  // No items are left.
  bool Finished() const { return Current() == nullptr; }
  bool ExpectWaiting() const;
  // When the waiting expect fails, moving the clock past it: its start plus the limit.
  double ExpectDeadline() const { return expectSince_ + kExpectLimit; }

  // A phrase the person was told: printed, matched against the rules and the waiting expect.
  void OnSpoken(std::string_view text, double now);
  // A line of the transcript that is no phrase (a message box, a sound, a line of the text
  // window).
  std::ostream& out() { return out_; }
  void Flush() { out_.flush(); }

  // Says on the error stream that the waiting expect failed (once).
  void ReportFailure();
  bool Failed() const { return failed_; }

 private:
  struct Rule {
    std::string text;
    std::vector<KeyStroke> keys;
  };
  struct QueuedKey {
    KeyStroke key;
    std::size_t rule;
  };

  // Moves past the items that take effect at once (rules) and starts the clock of an expect.
  void Advance(double now);
  // The current item is done.
  void Next(double now);
  const ScriptItem* Current() const;

  Script script_;
  std::ostream& out_;
  std::ostream& err_;
  std::size_t cursor_ = 0;    // the current item
  std::size_t keyIndex_ = 0;  // the next key of the current `key` item
  double expectSince_ = 0;    // when the current expect became current
  bool failed_ = false;       // an expect has failed and been reported
  std::vector<Rule> rules_;
  std::vector<int> ruleKeysWaiting_;  // per rule
  std::deque<QueuedKey> ruleQueue_;
};

}  // namespace corvane
