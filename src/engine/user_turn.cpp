// The user's turn in a betting round: the hand is described, then a spoken menu offers the actions
// that the user's chips and the bets of the round allow.
#include <algorithm>
#include <cctype>

#include "engine/betting_menu.h"
#include "engine/hand_engine.h"

namespace corvane {

void HandEngine::UserTurn() {
  const int seat = kUserSeat;
  const GameSettings& limits = table_.settings;
  hand_.ReviewPosition = 1;
  for (;;) {
    std::string description;
    ValueHand(seat, false, description);
    Say("???You have " + description);

    const BettingSituation situation{Name(seat),         table_.players.Chips[seat],
                                     hand_.ToCall[seat], hand_.LastRaise,
                                     limits.Ante,        limits.MaxRaise,
                                     hand_.RaiseCount,   limits.MaxRaises,
                                     hand_.ActiveCount};
    BettingMenu menu = BuildBettingMenu(situation);
    for (const std::string& notice : menu.notices) Say(notice);
    // Nothing to decide: the user checks without being asked.
    if (menu.count() == 1 && menu.keys[1] == "C" && hand_.ToCall[seat] == 0) return;

    int key = 0;
    while (key == 0) {
      key = prompts_.Menu("???What would you like to do?", menu.items, menu.keys, menu.count(), 1,
                          kMenuKeyCode, false);
      CheckGameOver();
    }
    switch (std::toupper(key)) {
      case 'C':
        CheckOrCall(seat);
        return;
      case 'I':
        GoAllIn(seat);
        return;
      case 'F':
        Fold(seat);
        return;
      case 'R': {
        const std::int32_t chips = table_.players.Chips[seat];
        const std::int32_t minRaise = std::max(hand_.LastRaise, limits.Ante);
        const std::int32_t maxAllowed = std::min(limits.MaxRaise, chips - hand_.ToCall[seat]);
        if (maxAllowed < minRaise) {
          Say("You have insufficient chips to raise the bet. You can go all in instead by "
              "pressing I.");
          break;
        }
        const std::int32_t amount = prompts_.InputNumber("Amount to bet or raise?", minRaise,
                                                         maxAllowed, minRaise, 1, limits.Ante);
        CheckGameOver();
        if (amount < minRaise || amount > maxAllowed) break;  // cancelled: the menu again
        BetOrRaise(seat, amount);
        return;
      }
      default:
        break;
    }
  }
}

}  // namespace corvane
