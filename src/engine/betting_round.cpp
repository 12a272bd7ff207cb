// One betting round: every seat still in and not all-in acts in turn until a pass round the table
// reaches the seat of the last bet or raise; then the chips of the round are put into the pots.
// In Texas Holdem the blinds are taken at the first turn of the first betting round.
#include <fmt/format.h>

#include "engine/hand_engine.h"
#include "engine/side_pots.h"

namespace corvane {

int HandEngine::NextSeat(int seat) const {
  return seat >= table_.PlayerCount ? 1 : seat + 1;
}

int HandEngine::CountActive() const {
  int count = 0;
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (!hand_.Folded[seat] && !hand_.AllIn[seat] && table_.players.Chips[seat] > 0) ++count;
  }
  return count;
}

bool HandEngine::OneSeatLeft() const {
  return hand_.FoldCount + 1 >= table_.PlayerCount;
}

bool HandEngine::BettingRound(int firstBettor) {
  hand_.RaiseCount = 0;
  hand_.LastRaise = 0;
  hand_.ToCall.fill(0);
  if (OneSeatLeft()) {
    ClaimPot();
    return false;
  }
  const bool texas = table_.game.GameCode == kTexasHoldem;
  hand_.EndSeat = static_cast<std::int16_t>(firstBettor);
  bool firstTurn = true;
  int seat = firstBettor;
  do {
    if (!hand_.Folded[seat] && !hand_.AllIn[seat]) {
      hand_.ActiveCount = static_cast<std::int16_t>(CountActive());
      if (firstTurn) {
        firstTurn = false;
        if (!texas && !hand_.Folded[firstBettor] && !hand_.AllIn[firstBettor]) {
          Say(Name(firstBettor) + " bets first.");
        }
      }
      if (texas && hand_.CurrentRound == 2 && !hand_.BlindsPaid) {
        if (!PostBlinds(seat)) return false;
        hand_.BlindsPaid = true;
        hand_.ActiveCount = static_cast<std::int16_t>(CountActive());
      }
      if (hand_.AllIn[seat]) {
        // Nothing to bet with (only after the blinds moved the turn on).
      } else {
        // The card review of the person whose turn begins goes back to the first card.
        if (narration_.HeardAt(seat)) hand_.ReviewPosition[seat] = 1;
        ApplyBet(seat, PlayerAt(seat).ChooseBet(seat, View()));
      }
      if (OneSeatLeft()) {
        ClaimPot();
        return false;
      }
    }
    seat = NextSeat(seat);
  } while (seat != hand_.EndSeat);
  BuildSidePots(hand_, table_.PlayerCount);
  events_.BettingRoundEnded();
  return true;
}

bool HandEngine::PostBlinds(int& seat) {
  const std::int32_t ante = table_.settings.Ante;
  for (int k = 1; k <= 2; ++k) {
    while (table_.players.Chips[seat] < 2 * k * ante) {
      Say(Name(seat) + " cannot cover the next hand. " + Name(seat) + " leaves the table.");
      PlayerLeaves(seat);
      CheckGameOver();
      if (OneSeatLeft()) {
        ClaimPot();
        return false;
      }
      // The blind is asked of the player who moved into the seat.
      seat = NextSeat(seat);
      while (hand_.Folded[seat]) seat = NextSeat(seat);
    }
    for (int s = 1; s <= table_.PlayerCount; ++s) hand_.ToCall[s] += ante;
    const std::int32_t amount = hand_.ToCall[seat];
    PayIn(seat, amount);
    hand_.ToCall[seat] = 0;
    ChipSound(seat, amount);
    Say(k == 1 ? fmt::format("{} pays  the small blind of {}", Name(seat), ante)
               : fmt::format("{} pays  the big blind of {}", Name(seat), 2 * ante));
    do {
      seat = NextSeat(seat);
    } while (hand_.Folded[seat]);
    hand_.EndSeat = static_cast<std::int16_t>(seat);
  }
  return true;
}

}  // namespace corvane
