// A host for unit tests: a virtual clock, scripted keys, and a record of everything the game
// showed or said.
//
// Keys queued with Key()/Keys() are delivered only when the game waits for an answer
// (WaitKind::Answer), as a person would answer a prompt; keys queued with KeyNow()/KeysNow() are
// delivered at the next wait of any kind. When the game waits for an answer and no key is left,
// the host throws EndProgram{0}, so a test never hangs (so does a pause without end and without a
// timer). Timers run on the virtual clock: a pause returns each timer tick that falls before its
// deadline, then moves the clock to the deadline; an answer comes `answerDelay` seconds after the
// prompt starts waiting, with the ticks that fall before it delivered first.
#pragma once

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/host.h"

namespace corvane::testing {

// The in-memory text window.
class FakeTextWindow : public TextWindow {
 public:
  void Show(bool visible) override {
    visible_ = visible;
    ++showCalls;
  }
  bool Visible() const override { return visible_; }
  void SetText(std::string_view text) override { text_ = std::string(text); }
  std::string Text() const override { return text_; }
  void Append(std::string_view text) override { text_ += text; }

  int showCalls = 0;

 private:
  bool visible_ = false;
  std::string text_;
};

struct RecordedMessage {
  std::string title;
  std::string text;
  MessageIcon icon = MessageIcon::Information;
};

// Parses a key name as scripts write it ("A", "7", "Enter", "Ctrl+Up", "Shift+Comma", "Alt+F4")
// into a key event for the sound window. Throws std::invalid_argument on an unknown name.
inline HostEvent ParseKeyName(std::string_view name) {
  HostEvent event;
  event.kind = HostEvent::Kind::Key;
  for (;;) {
    if (name.rfind("Shift+", 0) == 0) {
      event.shift |= 1;
      name.remove_prefix(6);
    } else if (name.rfind("Ctrl+", 0) == 0) {
      event.shift |= 2;
      name.remove_prefix(5);
    } else if (name.rfind("Alt+", 0) == 0) {
      event.shift |= 4;
      name.remove_prefix(4);
    } else {
      break;
    }
  }
  static const std::map<std::string, int, std::less<>> kNames = {
      {"Enter", 13}, {"Esc", 27},   {"Space", 32},  {"Tab", 9},     {"Up", 38},   {"Down", 40},
      {"Left", 37},  {"Right", 39}, {"Home", 36},   {"End", 35},    {"PgUp", 33}, {"PgDn", 34},
      {"Del", 46},   {"Back", 8},   {"Comma", 188}, {"Period", 190}};
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    event.code = std::toupper(static_cast<unsigned char>(name[0]));
    return event;
  }
  if (auto it = kNames.find(name); it != kNames.end()) {
    event.code = it->second;
    return event;
  }
  if (name.size() >= 2 && name[0] == 'F') {
    int n = 0;
    for (char c : name.substr(1)) {
      if (!std::isdigit(static_cast<unsigned char>(c))) throw std::invalid_argument("key name");
      n = n * 10 + (c - '0');
    }
    if (n >= 1 && n <= 12) {
      event.code = 111 + n;
      return event;
    }
  }
  throw std::invalid_argument("unknown key name: " + std::string(name));
}

class FakeHost : public Host {
 public:
  // --- scripting -------------------------------------------------------------------------------
  // A key answered at the next prompt.
  void Key(int code, int shift = 0, Window window = Window::Sound) {
    answerKeys_.push_back(MakeKey(code, shift, window));
  }
  // Keys by name, separated by blanks: "Down Down Ctrl+Up Enter".
  void Keys(std::string_view names) {
    for (const auto& event : ParseAll(names)) answerKeys_.push_back(event);
  }
  // A key delivered at the next wait of any kind (a pause included).
  void KeyNow(int code, int shift = 0, Window window = Window::Sound) {
    anyKeys_.push_back(MakeKey(code, shift, window));
  }
  void KeysNow(std::string_view names) {
    for (const auto& event : ParseAll(names)) anyKeys_.push_back(event);
  }
  // The window is closed at the next wait of any kind.
  void CloseNow() {
    HostEvent event;
    event.kind = HostEvent::Kind::Close;
    anyKeys_.push_back(event);
  }
  std::size_t KeysLeft() const { return answerKeys_.size() + anyKeys_.size(); }
  void ClearSpoken() { spoken.clear(); }
  // The spoken lines joined with "\n".
  std::string Transcript() const {
    std::string all;
    for (const auto& line : spoken) {
      if (!all.empty()) all += '\n';
      all += line;
    }
    return all;
  }

  // --- Host --------------------------------------------------------------------------------------
  double Now() override { return now_; }

  std::optional<HostEvent> NextEvent(double deadline, WaitKind kind) override {
    ++waits;
    if (!anyKeys_.empty()) return Pop(anyKeys_);
    if (kind == WaitKind::Answer) {
      ++answerWaits;
      if (answerKeys_.empty()) throw EndProgram{0};
      // The person takes answerDelay virtual seconds to answer; timers tick meanwhile.
      if (!answerAt_) answerAt_ = now_ + answerDelay;
      if (auto tick = TakeTimer(std::min(*answerAt_, deadline))) return tick;
      now_ = std::max(now_, *answerAt_);
      answerAt_.reset();
      return Pop(answerKeys_);
    }
    if (auto tick = TakeTimer(deadline)) return tick;
    if (deadline == kForever) throw EndProgram{0};
    if (deadline > now_) {
      pausedSeconds += deadline - now_;
      now_ = deadline;
    }
    return std::nullopt;
  }

  void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override {
    messages.push_back({std::string(title), std::string(text), icon});
  }
  TextWindow& Text() override { return text; }
  void Beep() override { ++beeps; }
  void StartTimer(int id, double intervalSeconds) override {
    if (intervalSeconds <= 0) {
      timers_.erase(id);
      return;
    }
    timers_[id] = {intervalSeconds, now_ + intervalSeconds};
  }
  void StopTimer(int id) override { timers_.erase(id); }
  bool OpenDocument(const std::string& path) override {
    documents.push_back(path);
    return openDocumentResult;
  }
  void OnSpoken(std::string_view line) override { spoken.emplace_back(line); }
  void OnSoundPlayed(std::string_view file) override { sounds.emplace_back(file); }

  // --- what happened
  // ------------------------------------------------------------------------------
  std::vector<std::string> spoken;
  std::vector<std::string> sounds;
  std::vector<RecordedMessage> messages;
  std::vector<std::string> documents;
  FakeTextWindow text;
  int beeps = 0;
  int waits = 0;
  int answerWaits = 0;
  double pausedSeconds = 0;
  bool openDocumentResult = true;
  // Virtual seconds a person takes to answer a prompt (timers tick meanwhile).
  double answerDelay = 0;

  bool TimerRunning(int id) const { return timers_.count(id) != 0; }
  void SetNow(double now) { now_ = now; }

 private:
  struct Timer {
    double interval = 0;
    double next = 0;
  };

  static HostEvent MakeKey(int code, int shift, Window window) {
    HostEvent event;
    event.kind = HostEvent::Kind::Key;
    event.code = code;
    event.shift = shift;
    event.window = window;
    return event;
  }
  static std::vector<HostEvent> ParseAll(std::string_view names) {
    std::vector<HostEvent> events;
    std::istringstream in{std::string(names)};
    std::string name;
    while (in >> name) events.push_back(ParseKeyName(name));
    return events;
  }
  static HostEvent Pop(std::deque<HostEvent>& queue) {
    HostEvent event = queue.front();
    queue.pop_front();
    return event;
  }
  // The first timer tick due by `until`, with the clock moved to it.
  std::optional<HostEvent> TakeTimer(double until) {
    std::optional<std::pair<int, double>> best;
    for (const auto& [id, timer] : timers_) {
      if (!best || timer.next < best->second) best = {id, timer.next};
    }
    if (!best || best->second > until) return std::nullopt;
    now_ = std::max(now_, best->second);
    timers_[best->first].next = best->second + timers_[best->first].interval;
    HostEvent event;
    event.kind = HostEvent::Kind::Timer;
    event.code = best->first;
    return event;
  }

  double now_ = 1000.0;
  std::deque<HostEvent> answerKeys_;
  std::deque<HostEvent> anyKeys_;
  std::optional<double> answerAt_;
  std::map<int, Timer> timers_;
};

}  // namespace corvane::testing
