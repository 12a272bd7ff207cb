#include "platform/script_reader.h"

#include <utility>

namespace corvane {

ScriptReader::ScriptReader(Script script, std::ostream& out, std::ostream& err)
    : script_(std::move(script)), out_(out), err_(err) {
  Advance(0);
}

const ScriptItem* ScriptReader::Current() const {
  return cursor_ < script_.items.size() ? &script_.items[cursor_] : nullptr;
}

bool ScriptReader::ExpectWaiting() const {
  const ScriptItem* item = Current();
  return item != nullptr && item->kind == ScriptItem::Kind::Expect;
}

void ScriptReader::Advance(double now) {
  while (const ScriptItem* item = Current()) {
    if (item->kind == ScriptItem::Kind::On) {
      rules_.push_back({item->text, item->keys});
      ruleKeysWaiting_.push_back(0);
      ++cursor_;
      keyIndex_ = 0;
      continue;
    }
    if (item->kind == ScriptItem::Kind::Expect) expectSince_ = now;
    return;
  }
  // No items left: the standing answers end with the script.
  rules_.clear();
}

void ScriptReader::Next(double now) {
  ++cursor_;
  keyIndex_ = 0;
  Advance(now);
}

std::optional<KeyStroke> ScriptReader::TakeNow(double now) {
  const ScriptItem* item = Current();
  if (item == nullptr || item->kind != ScriptItem::Kind::Now) return std::nullopt;
  const KeyStroke key = item->keys.front();
  Next(now);
  return key;
}

std::optional<KeyStroke> ScriptReader::NextAnswer(double now) {
  out_.flush();
  if (!ruleQueue_.empty()) {
    const QueuedKey queued = ruleQueue_.front();
    ruleQueue_.pop_front();
    if (queued.rule < ruleKeysWaiting_.size()) --ruleKeysWaiting_[queued.rule];
    return queued.key;
  }
  const ScriptItem* item = Current();
  if (item == nullptr || item->kind != ScriptItem::Kind::Key) return std::nullopt;
  const KeyStroke key = item->keys[keyIndex_++];
  if (keyIndex_ == item->keys.size()) Next(now);
  return key;
}

void ScriptReader::OnSpoken(std::string_view text, double now) {
  if (text.empty()) return;
  out_ << text << "\n";
  for (std::size_t i = 0; i < rules_.size(); ++i) {
    if (ruleKeysWaiting_[i] > 0 || text.find(rules_[i].text) == std::string_view::npos) continue;
    for (const KeyStroke& key : rules_[i].keys) ruleQueue_.push_back({key, i});
    ruleKeysWaiting_[i] += static_cast<int>(rules_[i].keys.size());
  }
  if (ExpectWaiting() && text.find(Current()->text) != std::string_view::npos) Next(now);
}

void ScriptReader::ReportFailure() {
  if (failed_ || !ExpectWaiting()) return;
  failed_ = true;
  out_.flush();
  err_ << "expect failed: " << Current()->text << "\n";
  err_.flush();
}

}  // namespace corvane
