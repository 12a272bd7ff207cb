#include "commands/hand_log.h"

#include <fmt/format.h>

#include <array>

namespace corvane {

namespace {

constexpr std::array<std::string_view, 7> kWeekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                    "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonths{"January",   "February", "March",    "April",
                                                   "May",       "June",     "July",     "August",
                                                   "September", "October",  "November", "December"};

// "Monday 7 December 2026 20:15"; a time the system could not give is left out.
std::string CalendarText(const CalendarTime& when) {
  if (when.weekday < 0 || when.weekday > 6 || when.month < 1 || when.month > 12) return {};
  return fmt::format("{} {} {} {} {:02}:{:02}", kWeekdays[static_cast<std::size_t>(when.weekday)],
                     when.day, kMonths[static_cast<std::size_t>(when.month - 1)], when.year,
                     when.hour, when.minute);
}

}  // namespace

std::string HandHeading(int number, const TableState& table, const CalendarTime& when) {
  std::string heading = fmt::format("Hand {}, {}", number, table.game.GameName);
  const std::string date = CalendarText(when);
  if (!date.empty()) heading += ", " + date;
  heading += ". Dealer " + table.players.PlayerName[table.Dealer] + ". Chips: ";
  for (int seat = 1; seat <= table.PlayerCount; ++seat) {
    if (seat > 1) heading += ", ";
    heading += fmt::format("{} {}", table.players.PlayerName[seat], table.players.Chips[seat]);
  }
  return heading + ".";
}

void HandLog::TableStarts() {
  recording_ = false;
  finished_ = false;
  handsFinished_ = 0;
  current_ = {};
  last_ = {};
}

void HandLog::Begin(const TableState& table, const CalendarTime& when, int seat) {
  current_ = {};
  current_.number = handsFinished_ + 1;
  current_.game = table.game.GameName;
  current_.heading = HandHeading(current_.number, table, when);
  current_.userChips = table.players.Chips[seat];
  recording_ = true;
}

const LoggedHand* HandLog::Settle() {
  if (!recording_) return nullptr;
  recording_ = false;
  last_ = std::move(current_);
  current_ = {};
  finished_ = true;
  ++handsFinished_;
  return &last_;
}

void HandLog::Abandon() {
  if (!recording_) return;
  recording_ = false;
  current_ = {};
}

void HandLog::PhraseRecorded(std::string_view text) {
  if (!recording_ || paused_ > 0 || current_.lines.size() >= kMostLines) return;
  current_.lines.emplace_back(text);
}

}  // namespace corvane
