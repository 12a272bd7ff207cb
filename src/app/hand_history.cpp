#include "app/hand_history.h"

#include <fmt/format.h>

#include <vector>

#include "app/line_reader.h"
#include "store/hand_history_file.h"

namespace corvane {

namespace {

constexpr std::string_view kNoHandYet = "???No hand has been played yet at this table.";

std::string LineCount(std::size_t count) {
  return fmt::format("{} line{}", count, count == 1 ? "" : "s");
}

}  // namespace

HandHistory::HandHistory(Speech& speech, Keyboard& keyboard, const HandLog& log,
                         std::string dataFolder)
    : speech_(speech),
      keyboard_(keyboard),
      log_(log),
      path_(dataFolder.empty() ? std::string()
                               : std::move(dataFolder) + std::string(kHandHistoryFileName)) {}

void HandHistory::Keep(const LoggedHand& hand) {
  if (path_.empty()) return;
  std::string error;
  switch (AppendToHandHistory(path_, HandHistoryText(hand.heading, hand.lines), error)) {
    case HistoryAppend::kAppended:
      failureSaid_ = false;
      break;
    case HistoryAppend::kMended:
      failureSaid_ = false;
      speech_.speak(fmt::format(
          "The hand history file, {}, ended in the middle of a hand; it may be damaged. The new "
          "hands are added after it.",
          kHandHistoryFileName));
      break;
    case HistoryAppend::kFailed:
      if (failureSaid_) break;
      failureSaid_ = true;
      speech_.speak(fmt::format(
          "The hand history file, {}, cannot be written: {}. Play goes on; the hands are kept "
          "there again once it can be written.",
          kHandHistoryFileName, error));
      break;
  }
}

void HandHistory::ReadAgain() {
  const LoggedHand* hand = log_.Recording() ? &log_.Current() : log_.LastFinished();
  if (hand == nullptr) {
    speech_.speak(kNoHandYet);
    return;
  }
  speech_.speak(
      fmt::format("???{}, hand {}, {}: {}. Use the arrows to read it, and Escape to return.",
                  log_.Recording() ? "The hand so far" : "The last hand", hand->number, hand->game,
                  LineCount(hand->lines.size())));
  std::vector<std::string> lines{""};
  lines.insert(lines.end(), hand->lines.begin(), hand->lines.end());
  ReadLines(keyboard_, speech_, lines, LineHistory::kNotRecorded);
}

}  // namespace corvane
