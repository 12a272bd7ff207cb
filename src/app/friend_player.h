// Decides for a friend's seat: the friend's own menus while their program answers. When it stops
// answering in the middle of a decision (their connection dropped), a bot makes that decision with
// the seat's attributes, as it makes the next ones until the friend is back. A turn the friend
// leaves unanswered brings a reminder every minute, and once the host's limit is up the seat
// checks, or folds when it cannot check.
#pragma once

#include <string>

#include "engine/bot_player.h"
#include "engine/keyboard_player.h"
#include "engine/seat_player.h"
#include "speech/keyboard.h"
#include "speech/speech.h"

namespace corvane {

// How long a friend may take over a turn: no limit by default; the host sets one in the lobby.
struct TurnRules {
  double limitSeconds = 0;  // 0: none
};

class FriendPlayer : public SeatPlayer, private AnswerClock {
 public:
  static constexpr double kReminderSeconds = 60;

  FriendPlayer(KeyboardPlayer& keys, Keyboard& keyboard, Speech& speech, Random& game,
               const TurnRules& rules, std::string name)
      : keys_(keys),
        keyboard_(keyboard),
        speech_(speech),
        standIn_(game),
        rules_(rules),
        name_(std::move(name)) {}

  BetChoice ChooseBet(int seat, const TableView& view) override;
  DrawChoice ChooseDiscards(int seat, const TableView& view) override;
  bool PayForWildCard(int seat, std::int32_t cost, bool queen, const TableView& view) override;

 private:
  // The friend's time is up: the turn ends with the answer that risks nothing.
  struct TimeUp {};

  // Asks the friend, timing the turn; the bot answers when the friend is gone, `timedOut` when the
  // time is up.
  template <typename Choice, typename Ask, typename Stand, typename Late>
  Choice Decide(Ask ask, Stand stand, Late timedOut);

  double NextAlarm() override;
  void Alarm() override;

  KeyboardPlayer& keys_;
  Keyboard& keyboard_;
  Speech& speech_;
  BotPlayer standIn_;
  const TurnRules& rules_;
  std::string name_;
  double turnStarted_ = 0;
  int remindersSaid_ = 0;
};

}  // namespace corvane
