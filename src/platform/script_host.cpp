#include "platform/script_host.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <ctime>
#include <utility>
#include <vector>

namespace corvane {

namespace {

// Monday 7 December 2026 20:00:00 UTC, in seconds since 1970.
constexpr std::time_t kScriptCalendarStart = 1796673600;

}  // namespace

// The output of a person other than the host: their own transcript, text window and sounds.
class ScriptHost::Guest : public PersonOutput {
 public:
  Guest(ScriptHost& host, int id, ScriptReader& reader)
      : host_(host),
        id_(id),
        reader_(reader),
        text_([this](std::string_view line) { reader_.out() << "| " << line << "\n"; }) {}

  void ShowMessage(std::string_view title, std::string_view text, MessageIcon) override {
    reader_.out() << "! " << title << ": " << text << "\n";
  }
  TextWindow& Text() override { return text_; }
  void OnSpoken(std::string_view text) override { reader_.OnSpoken(text, host_.Now()); }
  void OnSoundPlayed(std::string_view file) override {
    if (host_.printSounds_) reader_.out() << "~ " << file << "\n";
  }
  void AnswerWaiting(bool waiting) override { host_.Waiting(id_, waiting); }

 private:
  ScriptHost& host_;
  int id_;
  ScriptReader& reader_;
  MemoryTextWindow text_;
};

ScriptHost::ScriptHost(Script script, std::ostream& out, std::ostream& err, bool printSounds)
    : err_(err),
      printSounds_(printSounds),
      text_([&out](std::string_view line) { out << "| " << line << "\n"; }) {
  readers_.push_back({kHostPerson, std::make_unique<ScriptReader>(std::move(script), out, err)});
}

ScriptHost::~ScriptHost() = default;

PersonOutput& ScriptHost::AddPerson(int id, Script script, std::ostream& out) {
  readers_.push_back({id, std::make_unique<ScriptReader>(std::move(script), out, err_)});
  guests_.push_back(std::make_unique<Guest>(*this, id, *readers_.back().script));
  return *guests_.back();
}

CalendarTime ScriptHost::LocalTime() {
  const std::time_t at = kScriptCalendarStart + static_cast<std::time_t>(std::floor(now_));
  std::tm parts{};
  if (::gmtime_r(&at, &parts) == nullptr) return {};
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_wday,        parts.tm_hour,    parts.tm_min};
}

HostEvent ScriptHost::KeyEvent(KeyStroke key, int person) {
  HostEvent event;
  event.kind = HostEvent::Kind::Key;
  event.code = key.code;
  event.shift = key.shift;
  event.window = Window::Sound;
  event.person = person;
  return event;
}

void ScriptHost::Waiting(int person, bool waiting) {
  if (waiting) {
    waiting_.push_back(person);
    return;
  }
  const auto last = std::find(waiting_.rbegin(), waiting_.rend(), person);
  if (last != waiting_.rend()) waiting_.erase(std::next(last).base());
}

ScriptHost::Reader& ScriptHost::Answering() {
  const int person = waiting_.empty() ? kHostPerson : waiting_.back();
  for (Reader& reader : readers_) {
    if (reader.id == person) return reader;
  }
  return readers_.front();
}

void ScriptHost::FailExpect(ScriptReader& reader) {
  for (Reader& other : readers_) other.script->Flush();
  reader.ReportFailure();
  throw EndProgram{3};
}

void ScriptHost::AdvanceClock(double to) {
  for (Reader& reader : readers_) {
    if (reader.script->ExpectWaiting() && to > reader.script->ExpectDeadline()) {
      now_ = std::max(now_, reader.script->ExpectDeadline());
      FailExpect(*reader.script);
    }
  }
  if (to > now_) now_ = to;
}

std::optional<HostEvent> ScriptHost::NextEvent(double deadline, WaitKind kind) {
  for (Reader& reader : readers_) {
    if (const std::optional<KeyStroke> key = reader.script->TakeNow(now_)) {
      return KeyEvent(*key, reader.id);
    }
  }
  if (kind == WaitKind::Remote && !watched_.empty()) return NextRemote(deadline);
  // A pause without end could only be ended by a key: a person would answer it.
  if (kind == WaitKind::Answer || std::isinf(deadline)) {
    Reader& answering = Answering();
    ScriptReader& script = *answering.script;
    if (const std::optional<KeyStroke> key = script.NextAnswer(now_)) {
      return KeyEvent(*key, answering.id);
    }
    if (script.Finished()) {
      for (Reader& reader : readers_) reader.script->Flush();
      throw EndProgram{0};
    }
    // What the script waits for may yet come over the network.
    if (!watched_.empty()) return NextRemote(deadline);
    if (std::isinf(deadline)) {
      // Nothing can make the waiting expect come true any more.
      AdvanceClock(script.ExpectDeadline() + 1);
      FailExpect(script);
    }
  }
  return NextPause(deadline);
}

std::optional<HostEvent> ScriptHost::NextPause(double deadline) {
  // The timer that falls due first (the lowest id among equals) fires.
  auto due = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.next <= deadline && (due == timers_.end() || it->second.next < due->second.next))
      due = it;
  }
  if (due != timers_.end()) {
    AdvanceClock(due->second.next);
    due->second.next += due->second.interval;
    HostEvent event;
    event.kind = HostEvent::Kind::Timer;
    event.code = due->first;
    return event;
  }
  AdvanceClock(deadline);
  return std::nullopt;
}

std::optional<HostEvent> ScriptHost::NextRemote(double deadline) {
  for (Reader& reader : readers_) reader.script->Flush();
  const double wait = std::min(kRemoteWaitLimit, deadline - now_);
  if (std::optional<HostEvent> woken = Watched(wait)) return woken;
  // The deadline of a wait on another program passes at once on the virtual clock; the timers that
  // fell due meanwhile fire at the next pause, so they never cut the real wait short.
  if (deadline - now_ <= kRemoteWaitLimit) {
    AdvanceClock(deadline);
    return std::nullopt;
  }
  for (Reader& reader : readers_) {
    if (!reader.script->ExpectWaiting()) continue;
    AdvanceClock(reader.script->ExpectDeadline() + 1);
    FailExpect(*reader.script);
  }
  throw EndProgram{0};
}

std::optional<HostEvent> ScriptHost::Watched(double seconds) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(
                         std::chrono::duration<double>(std::max(seconds, 0.0)));
  std::vector<pollfd> descriptors;
  for (const auto& [id, descriptor] : watched_) descriptors.push_back({descriptor, POLLIN, 0});
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    const int ready = ::poll(descriptors.data(), descriptors.size(),
                             static_cast<int>(std::clamp<long long>(left, 0, 1 << 30)));
    if (ready > 0) break;
    if (ready == 0 || errno != EINTR) return std::nullopt;
  }
  auto watch = watched_.begin();
  for (const pollfd& descriptor : descriptors) {
    if (descriptor.revents != 0) {
      HostEvent event;
      event.kind = HostEvent::Kind::Wake;
      event.code = watch->first;
      return event;
    }
    ++watch;
  }
  return std::nullopt;
}

void ScriptHost::ShowMessage(std::string_view title, std::string_view text, MessageIcon) {
  readers_.front().script->out() << "! " << title << ": " << text << "\n";
}

void ScriptHost::StartTimer(int id, double intervalSeconds) {
  if (!(intervalSeconds > 0)) {
    timers_.erase(id);
    return;
  }
  timers_[id] = Timer{intervalSeconds, now_ + intervalSeconds};
}

bool ScriptHost::OpenDocument(const std::string& /*path*/) {
  return !viewerMissing_;
}

void ScriptHost::OnSpoken(std::string_view text) {
  readers_.front().script->OnSpoken(text, now_);
}

void ScriptHost::OnSoundPlayed(std::string_view file) {
  if (printSounds_) readers_.front().script->out() << "~ " << file << "\n";
}

int ScriptHost::FinalStatus(int status) {
  int final = status;
  for (Reader& reader : readers_) {
    if (reader.script->Failed()) final = 3;
    if (reader.script->ExpectWaiting()) {
      reader.script->ReportFailure();
      final = 3;
    }
  }
  return final;
}

}  // namespace corvane
