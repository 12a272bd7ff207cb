// The start of every hand: the shuffle, the greeting of the first deal, the deal moved on to the
// next player, a new ante when the user asked for one, and the antes; then the hand is played and
// its time added to the table's.
#include "engine/next_hand.h"

#include <algorithm>

#include "engine/hand_engine.h"
#include "engine/pay_in.h"
#include "table/rounding.h"

namespace corvane {

namespace {

// The table is told when the hand begins and when its sequence is over, whichever way it ends.
class HandScope {
 public:
  explicit HandScope(TableEvents& events) : events_(events) { events_.HandBegins(); }
  ~HandScope() { events_.HandEnds(); }
  HandScope(const HandScope&) = delete;
  HandScope& operator=(const HandScope&) = delete;

 private:
  TableEvents& events_;
};

}  // namespace

NextHand HandEngine::DealNextHand() {
  ClearForNextHand(hand_);
  hand_.HandOver = false;
  Shuffle();
  if (table_.FirstDeal) {
    narration_.Say(Audience::Everyone(), "Press F1 for Help, and Shift-F2 for a list of commands.");
    narration_.Say(Audience::Everyone(), "Press F2 to obtain a brief description of the game.");
    // A key pressed during the greeting gets its answer at once rather than being lost.
    prompts_.Pause(PauseOf::BetweenHands, 2);
  }
  narration_.Say(Audience::Everyone(), "Now shuffling.");
  table_.FirstDeal = false;

  const std::int16_t previousDealer = table_.Dealer;
  const std::int32_t previousRounds = table_.DealerRounds;
  ++table_.Dealer;
  if (table_.Dealer > table_.PlayerCount) {
    table_.Dealer = 1;
    ++table_.DealerRounds;
  }
  const std::string& dealer = table_.players.PlayerName[table_.Dealer];
  const HandScope scope(events_);
  narration_.Say(Audience::Everyone(), "The deal goes to " + dealer);
  if (settings_.BotsDealersChoice) {
    narration_.Say(Audience::Everyone(),
                   dealer + " declares the game to be " + table_.game.GameName);
  }
  narration_.SeatSound("shuffle*2.wav", table_.Dealer);
  prompts_.Pause(PauseOf::BetweenHands, 4);
  ClearPots(hand_);
  if (raiseAnte_ && !RaiseAnte()) {
    // No new ante, no hand: the deal stays with the dealer before, who deals the next hand.
    table_.Dealer = previousDealer;
    table_.DealerRounds = previousRounds;
    return NextHand::GameSelection;
  }
  if (table_.game.HasAnte) TakeAntes();
  if (table_.GameOver) return NextHand::TableOver;

  hand_.HandOver = false;
  handStart_ = prompts_.keyboard().host().Now();
  handRunning_ = true;
  const NextHand next = PlayHand();
  handRunning_ = false;
  ++handsPlayed_;
  // The playing time is kept in whole seconds: the hand's time is rounded, not cut, so that the
  // fractions of many hands do not go missing.
  const double seconds = prompts_.keyboard().host().Now() - handStart_;
  if (seconds > 0) table_.ElapsedSeconds += static_cast<std::int32_t>(RoundHalfEven(seconds));
  hand_.HandOver = true;
  return next;
}

double HandEngine::SecondsThisHand() const {
  return handRunning_ ? prompts_.keyboard().host().Now() - handStart_ : 0.0;
}

bool HandEngine::RaiseAnte() {
  raiseAnte_ = false;
  GameSettings& s = table_.settings;
  const std::int32_t oldAnte = s.Ante;
  const std::int32_t proposal = std::min<std::int64_t>(2LL * oldAnte, s.MaxRaise);
  const std::int32_t ante =
      prompts_.InputNumber("What is the new ante?", oldAnte, s.MaxRaise, proposal, 0, oldAnte);
  if (ante <= 0) return false;
  const auto scaled = RoundHalfEven(static_cast<double>(s.MaxRaise) * ante / oldAnte);
  s.MaxRaise = static_cast<std::int32_t>(std::min<std::int64_t>(scaled, 1000000000));
  s.Ante = ante;
  narration_.Say(Audience::Everyone(), "The ante is now " + std::to_string(s.Ante) +
                                           " and the max bet is now " + std::to_string(s.MaxRaise) +
                                           ".");
  return true;
}

void HandEngine::TakeAntes() {
  const std::int32_t ante = table_.settings.Ante;
  narration_.Say(Audience::Everyone(),
                 "Everyone puts in the " + std::to_string(ante) + " chip ante.");
  for (int seat = 1; seat <= table_.PlayerCount && !table_.GameOver; ++seat) {
    if (table_.players.Chips[seat] <= 0) {
      narration_.Say(
          Audience::Everyone(),
          table_.players.PlayerName[seat] + " cannot cover another hand, so they leave the table.");
      PlayerLeaves(seat);
      continue;
    }
    const std::int32_t paid = TakeAnte(table_, hand_, seat);
    narration_.ChipSound(seat, paid);
    prompts_.Pause(PauseOf::Deal, 0.2);
  }
}

}  // namespace corvane
