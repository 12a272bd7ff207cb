#include "engine/betting_menu.h"

#include <fmt/format.h>

namespace corvane {

BettingMenu BuildBettingMenu(const BettingSituation& s) {
  BettingMenu menu;
  const auto add = [&](std::string item, std::string key) {
    menu.items.push_back(std::move(item));
    menu.keys.push_back(std::move(key));
  };
  const bool mayRaise = s.RaiseCount < s.MaxRaises && s.ActiveCount > 1;

  if (s.Chips < s.ToCall) {
    menu.notices.push_back(s.PlayerName +
                           " has insufficient chips to cover the bet. You can now only go All-In "
                           "or fold.");
  } else {
    add(s.ToCall == 0 ? std::string("Check") : fmt::format("Call {}", s.ToCall), "C");
    const std::int32_t minRaise = s.LastRaise == 0 ? s.Ante : s.LastRaise;
    if (std::int64_t{s.Chips} < std::int64_t{s.ToCall} + minRaise) {
      menu.notices.push_back("???" + s.PlayerName +
                             " has insufficient chips to make a valid bet. You can now only "
                             "call/check, go All-In or fold.");
    } else if (mayRaise) {
      add("Raise", "R");
    }
  }
  if (s.Chips - s.ToCall <= s.MaxRaise) {
    std::string item = fmt::format("All-In {}", s.Chips);
    if (s.ToCall < s.Chips && mayRaise) {
      item += fmt::format(", includes  a raise of {}", s.Chips - s.ToCall);
    }
    add(std::move(item), "I");
  }
  if (s.ToCall > 0) add("Fold", "F");
  return menu;
}

}  // namespace corvane
