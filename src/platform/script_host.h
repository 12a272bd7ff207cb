// The headless host: keys come from scripts, the clock is virtual, and everything the game says
// is printed, one line per phrase, as it is spoken. Each line the text window receives (the
// no-speech mode) is printed too, as "| " and the line as the window holds it.
//
// One script is the host's own person's, printed to the host's output; each other person seated
// from a script of their own (AddPerson) has a transcript of their own (script_reader.h says how
// a script is read).
//
// Delivery. A `now` key of any person is delivered at the next wait of any kind (the host's first,
// then the others' in the order they were added). When the game waits for an answer
// (WaitKind::Answer, or a pause without a deadline, which only a key could end), the answer comes
// from the script of the person whose prompt waits (the innermost one, when a command key of one
// person asked a question while another's prompt waited; the host's when none said so): the keys
// queued by that script's `on` rules come first, then the keys of its current `key` item. With
// none left and an `expect` of that script still waiting the expect has failed, and with no items
// left in that script the program ends with status 0, as after Alt-F4. A pause fires the timers
// that fall due before its deadline, in time order, moving the clock to each, and then moves the
// clock to the deadline; an `expect` of any script that has waited longer than the limit fails.
//
// The network. A descriptor the game watches (WatchDescriptor) is looked at in real time: when the
// game waits on the network (WaitKind::Remote), or waits for an answer that the script has no key
// for while a descriptor is watched and items remain, the host blocks on the watched descriptors
// for at most kRemoteWaitLimit real seconds, or until a finite deadline (which then passes on the
// virtual clock, the timers due meanwhile firing at the next pause); a readable one is returned as
// a Wake event and the virtual clock stands still.
// When the limit passes with nothing arriving, a waiting expect has failed; with none waiting the
// program ends with status 0, as at the end of the script.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "platform/memory_text_window.h"
#include "platform/script.h"
#include "platform/script_reader.h"

namespace corvane {

class ScriptHost : public Host {
 public:
  // Virtual seconds an `expect` may wait before it has failed.
  static constexpr double kExpectLimit = ScriptReader::kExpectLimit;
  // Real seconds a wait on the network may last with nothing arriving.
  static constexpr double kRemoteWaitLimit = 60.0;

  // The transcript goes to `out`, failures of `expect` to `err`; with `printSounds` each sound
  // played is printed too, as "~ " and its file name.
  ScriptHost(Script script, std::ostream& out, std::ostream& err, bool printSounds);
  ~ScriptHost() override;

  // Another person, whose keys come from `script` and whose transcript goes to `out`; the keys
  // carry `id`. Returns that person's output, which lives as long as the host.
  PersonOutput& AddPerson(int id, Script script, std::ostream& out);

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
  void WatchDescriptor(int id, int descriptor) override { watched_[id] = descriptor; }
  void UnwatchDescriptor(int id) override { watched_.erase(id); }
  void OnSpoken(std::string_view text) override;
  void OnSoundPlayed(std::string_view file) override;
  void AnswerWaiting(bool waiting) override { Waiting(kHostPerson, waiting); }

  // The exit status of the run, given the status the game ended with: 3 when an expect of any
  // script has failed or is still waiting (then "expect failed: TEXT" is printed), else `status`.
  int FinalStatus(int status);

  // The display's bell rang this many times (for tests: a transcript does not show it).
  int Beeps() const { return beeps_; }

  // The machine has no program to show a document: OpenDocument fails (--missing viewer).
  void LackViewer(bool lacking) { viewerMissing_ = lacking; }

 private:
  class Guest;
  struct Timer {
    double interval = 0;
    double next = 0;
  };
  // A script and the person whose keys it gives.
  struct Reader {
    int id = kHostPerson;
    std::unique_ptr<ScriptReader> script;
  };

  // The prompt of `person` begins or stops waiting for an answer.
  void Waiting(int person, bool waiting);
  Reader& Answering();
  // Moves the virtual clock forward; a waiting expect fails when it passes its limit.
  void AdvanceClock(double to);
  [[noreturn]] void FailExpect(ScriptReader& reader);
  std::optional<HostEvent> NextPause(double deadline);
  std::optional<HostEvent> NextRemote(double deadline);
  // A watched descriptor that is readable within `seconds` of real time, as its Wake event.
  std::optional<HostEvent> Watched(double seconds);
  static HostEvent KeyEvent(KeyStroke key, int person);

  std::ostream& err_;
  bool printSounds_;

  double now_ = 0;
  std::vector<Reader> readers_;  // the host's first
  std::vector<std::unique_ptr<Guest>> guests_;
  std::vector<int> waiting_;  // the people whose prompts wait, the innermost last
  std::map<int, Timer> timers_;
  std::map<int, int> watched_;  // id -> descriptor

  MemoryTextWindow text_;
  int beeps_ = 0;
  bool viewerMissing_ = false;
};

}  // namespace corvane
