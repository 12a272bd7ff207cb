#include "app/friend_player.h"

#include <algorithm>

namespace corvane {

namespace {

// Takes the clock off the keyboard however the turn ends.
class Timed {
 public:
  Timed(Keyboard& keyboard, AnswerClock& clock) : keyboard_(keyboard) {
    keyboard_.SetClock(&clock);
  }
  ~Timed() { keyboard_.SetClock(nullptr); }
  Timed(const Timed&) = delete;
  Timed& operator=(const Timed&) = delete;

 private:
  Keyboard& keyboard_;
};

}  // namespace

template <typename Choice, typename Ask, typename Stand, typename Late>
Choice FriendPlayer::Decide(Ask ask, Stand stand, Late timedOut) {
  turnStarted_ = keyboard_.host().Now();
  remindersSaid_ = 0;
  try {
    const Timed timed(keyboard_, *this);
    return ask();
  } catch (const PersonGone&) {
    return stand();
  } catch (const TimeUp&) {
    speech_.speak("???Your time for this turn is up.");
    return timedOut();
  }
}

BetChoice FriendPlayer::ChooseBet(int seat, const TableView& view) {
  return Decide<BetChoice>([&] { return keys_.ChooseBet(seat, view); },
                           [&] { return standIn_.ChooseBet(seat, view); },
                           [] {
                             return BetChoice{BetAction::CheckOrFold, 0};
                           });
}

DrawChoice FriendPlayer::ChooseDiscards(int seat, const TableView& view) {
  return Decide<DrawChoice>([&] { return keys_.ChooseDiscards(seat, view); },
                            [&] { return standIn_.ChooseDiscards(seat, view); },
                            [] { return DrawChoice{}; });
}

bool FriendPlayer::PayForWildCard(int seat, std::int32_t cost, bool queen, const TableView& view) {
  return Decide<bool>([&] { return keys_.PayForWildCard(seat, cost, queen, view); },
                      [&] { return standIn_.PayForWildCard(seat, cost, queen, view); },
                      [] { return false; });
}

double FriendPlayer::NextAlarm() {
  double next = turnStarted_ + kReminderSeconds * (remindersSaid_ + 1);
  if (rules_.limitSeconds > 0) next = std::min(next, turnStarted_ + rules_.limitSeconds);
  return next;
}

void FriendPlayer::Alarm() {
  const double now = keyboard_.host().Now();
  if (rules_.limitSeconds > 0 && now >= turnStarted_ + rules_.limitSeconds) throw TimeUp{};
  if (now < turnStarted_ + kReminderSeconds * (remindersSaid_ + 1)) return;
  ++remindersSaid_;
  speech_.speak("???" + name_ + ", the table is waiting for you: it is your turn.");
}

}  // namespace corvane
