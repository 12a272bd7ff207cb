#include "platform/script_host.h"

#include <cmath>
#include <ctime>
#include <utility>

namespace corvane {

namespace {

// Monday 7 December 2026 20:00:00 UTC, in seconds since 1970.
constexpr std::time_t kScriptCalendarStart = 1796673600;

}  // namespace

ScriptHost::ScriptHost(Script script, std::ostream& out, std::ostream& err, bool printSounds)
    : script_(std::move(script)),
      out_(out),
      err_(err),
      printSounds_(printSounds),
      text_([this](std::string_view line) { out_ << "| " << line << "\n"; }) {
  Advance();
}

CalendarTime ScriptHost::LocalTime() {
  const std::time_t at = kScriptCalendarStart + static_cast<std::time_t>(std::floor(now_));
  std::tm parts{};
  if (::gmtime_r(&at, &parts) == nullptr) return {};
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_wday,        parts.tm_hour,    parts.tm_min};
}

const ScriptItem* ScriptHost::Current() const {
  return cursor_ < script_.items.size() ? &script_.items[cursor_] : nullptr;
}

bool ScriptHost::ExpectWaiting() const {
  const ScriptItem* item = Current();
  return item != nullptr && item->kind == ScriptItem::Kind::Expect;
}

void ScriptHost::Advance() {
  while (const ScriptItem* item = Current()) {
    if (item->kind == ScriptItem::Kind::On) {
      rules_.push_back({item->text, item->keys});
      ruleKeysWaiting_.push_back(0);
      ++cursor_;
      keyIndex_ = 0;
      continue;
    }
    if (item->kind == ScriptItem::Kind::Expect) expectSince_ = now_;
    return;
  }
  // No items left: the standing answers end with the script.
  rules_.clear();
}

HostEvent ScriptHost::KeyEvent(KeyStroke key) {
  HostEvent event;
  event.kind = HostEvent::Kind::Key;
  event.code = key.code;
  event.shift = key.shift;
  event.window = Window::Sound;
  return event;
}

void ScriptHost::ReportFailure() {
  if (failed_) return;
  failed_ = true;
  out_.flush();
  err_ << "expect failed: " << Current()->text << "\n";
  err_.flush();
}

void ScriptHost::FailExpect() {
  ReportFailure();
  throw EndProgram{3};
}

void ScriptHost::AdvanceClock(double to) {
  if (ExpectWaiting() && to > expectSince_ + kExpectLimit) {
    now_ = std::max(now_, expectSince_ + kExpectLimit);
    FailExpect();
  }
  if (to > now_) now_ = to;
}

std::optional<HostEvent> ScriptHost::NextEvent(double deadline, WaitKind kind) {
  if (const ScriptItem* item = Current(); item != nullptr && item->kind == ScriptItem::Kind::Now) {
    const KeyStroke key = item->keys.front();
    ++cursor_;
    keyIndex_ = 0;
    Advance();
    return KeyEvent(key);
  }
  // A pause without end could only be ended by a key: a person would answer it.
  if (kind == WaitKind::Answer || std::isinf(deadline)) {
    if (std::optional<HostEvent> answer = NextAnswer()) return answer;
    if (Current() == nullptr) throw EndProgram{0};
    if (std::isinf(deadline)) {
      // Nothing can make the waiting expect come true any more.
      AdvanceClock(expectSince_ + kExpectLimit + 1);
      FailExpect();
    }
  }
  return NextPause(deadline);
}

std::optional<HostEvent> ScriptHost::NextAnswer() {
  out_.flush();
  if (!ruleQueue_.empty()) {
    const QueuedKey queued = ruleQueue_.front();
    ruleQueue_.pop_front();
    if (queued.rule < ruleKeysWaiting_.size()) --ruleKeysWaiting_[queued.rule];
    return KeyEvent(queued.key);
  }
  const ScriptItem* item = Current();
  if (item == nullptr || item->kind != ScriptItem::Kind::Key) return std::nullopt;
  const KeyStroke key = item->keys[keyIndex_++];
  if (keyIndex_ == item->keys.size()) {
    ++cursor_;
    keyIndex_ = 0;
    Advance();
  }
  return KeyEvent(key);
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

void ScriptHost::ShowMessage(std::string_view title, std::string_view text, MessageIcon) {
  out_ << "! " << title << ": " << text << "\n";
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
  if (text.empty()) return;
  out_ << text << "\n";
  for (std::size_t i = 0; i < rules_.size(); ++i) {
    if (ruleKeysWaiting_[i] > 0 || text.find(rules_[i].text) == std::string_view::npos) continue;
    for (const KeyStroke& key : rules_[i].keys) ruleQueue_.push_back({key, i});
    ruleKeysWaiting_[i] += static_cast<int>(rules_[i].keys.size());
  }
  if (ExpectWaiting() && text.find(Current()->text) != std::string_view::npos) {
    ++cursor_;
    keyIndex_ = 0;
    Advance();
  }
}

void ScriptHost::OnSoundPlayed(std::string_view file) {
  if (printSounds_) out_ << "~ " << file << "\n";
}

int ScriptHost::FinalStatus(int status) {
  if (failed_) return 3;
  if (ExpectWaiting()) {
    ReportFailure();
    return 3;
  }
  return status;
}

}  // namespace corvane
