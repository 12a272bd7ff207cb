// The state of the hand being played: who is still in, what each seat has paid, the pot and the
// pots cut from it, the betting round under way and the best hand showing. The status reports read
// it while the hand runs; only the hand engine writes it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "eval/evaluator.h"
#include "table/table_state.h"

namespace corvane {

// The pot tables hold pots 1..7: a table of seven seats can cut no more.
inline constexpr int kMaxPots = 7;

template <typename T>
using PerSeat = std::array<T, kMaxSeats + 1>;

struct HandState {
  // Per seat (1..PlayerCount).
  PerSeat<bool> Folded{};
  PerSeat<bool> AllIn{};
  // Went all-in and has not yet been used to cut a pot.
  PerSeat<bool> PendingAllIn{};
  // Everything the seat paid into the pot this hand (ante, blinds, bets; not wild-card payments).
  PerSeat<std::int32_t> HandContribution{};
  // Paid into the pot but not yet put into one of the pots below.
  PerSeat<std::int32_t> OpenContribution{};
  // Wild-card payments not yet put into one of the pots below.
  PerSeat<std::int32_t> ExtraContribution{};
  // Chips each seat paid for wild cards this hand.
  PerSeat<std::int32_t> WildPayments{};

  // Chips in the middle. Chips that reach it between hands (a leaving player's remainder) are won
  // in the next hand, so it is never cleared when a hand starts.
  std::int32_t Pot = 0;
  std::int16_t FoldCount = 0;
  // The card round being played, 1..RoundCount.
  std::int16_t CurrentRound = 0;
  // Draws still to come after the current card round.
  std::int16_t DrawsLeft = 0;
  // The best face-up hand so far and its seat; the earlier seat keeps a tie.
  HandValue BestShowingValue = 0;
  std::int16_t BestShowingSeat = 0;
  // During the deal the description of the best hand showing; after the hand its result.
  std::string HandReport;
  // The two blinds of Texas Holdem have been taken this hand.
  bool BlindsPaid = false;
  // The hand has been settled.
  bool HandOver = false;
  // The hands still in were shown at the end: the hand was not won by everyone else folding.
  bool CardsShown = false;

  // The betting round under way. ToCall is what a seat still owes to match the highest bet.
  PerSeat<std::int32_t> ToCall{};
  // The size of the latest bet or raise of the round.
  std::int32_t LastRaise = 0;
  // Bets and raises made in the round.
  std::int16_t RaiseCount = 0;
  // The pass round the table stops at this seat; every bet or raise moves it to the bettor.
  std::int16_t EndSeat = 0;
  // Seats that are in, not all-in and hold chips; counted before every turn.
  std::int16_t ActiveCount = 0;

  // The pots: pot 1 is the main pot, every all-in closes one at its size. PotCap is the all-in
  // seat whose contribution bounds the pot, 0 for the open pot on top. PotCount is the highest pot
  // in use, 0 before the first chips are put into one.
  std::int16_t PotCount = 0;
  std::array<std::int32_t, kMaxPots + 1> PotAmount{};
  std::array<std::int16_t, kMaxPots + 1> PotCap{};

  // Follow the Queen: a queen was dealt face up and the next face-up card sets the wild rank, and
  // that rank (0 for none).
  bool FollowPending = false;
  std::int16_t FollowRank = 0;

  // Each seat's card-review position: 0 when a hand starts, 1 when the turn of the person at the
  // seat begins.
  PerSeat<std::int16_t> ReviewPosition{};

  // Cards everyone saw go onto the discard pile this hand, bit c for card c: the face-up cards of
  // a seat that folded and every face-up card thrown in a draw; and the cards each seat threw away
  // face down in a draw, which only that seat saw. Such a card is known to be out of play, to
  // whoever saw it, for as long as it lies on the pile.
  std::uint64_t SeenDiscards = 0;
  PerSeat<std::uint64_t> OwnDiscards{};
  // A draw is being played: the seats exchange their cards one after another.
  bool DrawUnderWay = false;
};

// Readies the hand state for the next hand, before the antes are taken: every seat is in again
// with nothing paid, and the pot tables are empty. The Pot itself keeps what it carries.
void ClearForNextHand(HandState& hand);

// Empties the pot tables (amounts, caps, count).
void ClearPots(HandState& hand);

}  // namespace corvane
