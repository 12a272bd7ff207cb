// The hand engine: deals the next hand of the current game at the table, from the shuffle and the
// antes through the first card to the award of the pots, with the betting rounds, the user's menu
// and the bots' decisions; then removes the players who cannot pay the next ante and asks whether
// to play on.
//
// Every pause checks GameOver; when it is set the hand is abandoned where it stands and the chips
// already in the pot stay there.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/audience.h"
#include "engine/hand_state.h"
#include "engine/narration.h"
#include "engine/next_hand.h"
#include "engine/seat_player.h"
#include "engine/seating.h"
#include "engine/table_events.h"
#include "eval/evaluator.h"
#include "speech/prompts.h"
#include "table/random.h"
#include "table/table_state.h"
#include "table/user_settings.h"

namespace corvane {

class HandEngine {
 public:
  // The table's questions (playing on, the new ante, the showdown) and its pauses go to
  // `hostPrompts`, the prompts of the person who hosts the table; everything the hand says and
  // plays goes through `narration` to whoever hears it.
  HandEngine(TableState& table, HandState& hand, const UserSettings& settings, Narration& narration,
             Seating& seating, Prompts& hostPrompts, Random& game, TableEvents& events);
  HandEngine(const HandEngine&) = delete;
  HandEngine& operator=(const HandEngine&) = delete;

  // The next hand: the shuffle, the deal moved on, a new ante when the user asked for one, the
  // antes, the hand itself and the question whether to play on, whose answer is returned.
  NextHand DealNextHand();
  // Plays one hand and asks whether to play on. The caller has shuffled, moved the deal, readied
  // the hand state (ClearForNextHand) and taken the antes.
  NextHand PlayHand();
  // A new game begins: every seat's running totals start again.
  void ClearForNewGame() { ClearForNextHand(hand_); }
  // The user asked for a new ante: it is asked for at the start of the next hand.
  void RequestAnteRaise() { raiseAnte_ = true; }
  // True from the first card of a hand to the question that follows it.
  bool HandUnderWay() const { return handRunning_; }
  // The time the hand under way has taken so far; 0 between hands.
  double SecondsThisHand() const;
  // The hands played so far, each counted when it ends.
  std::int64_t HandsPlayed() const { return handsPlayed_; }

  // Checks a seat's betting choice against the rules of the round and applies it, as a turn of
  // the betting round does: a choice the rules do not allow becomes a check, or a fold when
  // something is owed.
  void ApplyBet(int seat, const BetChoice& choice);

 private:
  // Thrown at a pause when GameOver is set; PlayHand catches it and cleans up.
  struct HandAbandoned {};

  TableView View() const { return {table_, hand_}; }
  const std::string& Name(int seat) const { return table_.players.PlayerName[seat]; }
  // Speech and pauses of the hand; each, like CheckGameOver after a question, leaves the hand
  // when GameOver is set.
  void Say(const std::string& text) { Say(Audience::Everyone(), text); }
  void Say(const Audience& audience, const std::string& text);
  // A pause of the hand (a pause in the play unless said), as long as the pace makes it.
  void Pause(double seconds, PauseOf kind = PauseOf::Play);
  void CheckGameOver() const;
  void Shuffle();
  void RefillDeck();
  // Removes `seat` from the table: a bot's chips go into the pot and the seats after it move down,
  // and `seat` is decreased by one so that a loop stepping forward looks at the seat that moved
  // in. The host's leaving closes the table; another person leaves as a bot does.
  void PlayerLeaves(int& seat);
  HandValue ValueHand(int seat, bool showingOnly, std::string& description) const;

  // The start of the next hand.
  // Asks for the new ante; false when none was given.
  bool RaiseAnte();
  void TakeAntes();

  // Hand flow.
  NextHand PlayHandSteps();
  void StartHand();
  // Deals card round r.
  void DealRound(int r);
  // Values the seat's face-up cards; a value above the best showing so far takes its place.
  void ValueShowing(int seat);
  // The best hand showing among the players still in; a tie keeps the earlier seat in dealing
  // order.
  void FindBestShowing();
  int SeatAfterDealer() const;
  int FirstBettor();
  void ClaimPot();
  NextHand EndOfHand();
  void RemovePlayersWhoCannotCover();
  NextHand AskToPlayOn();
  void CleanUp();

  // The actions of the betting menu.
  void CheckOrCall(int seat);
  void BetOrRaise(int seat, std::int32_t raise);
  void GoAllIn(int seat);
  void Fold(int seat);
  // The actions of the bots' ladder: a check, or a fold when something is owed; a call (a check
  // when nothing is owed, all-in for what the chips allow); a raise, cut to the table's limits,
  // which may leave a call or an all-in.
  void CheckOrFold(int seat);
  void Call(int seat);
  void Raise(int seat, std::int32_t raise);
  // Whether the betting menu would offer `choice` to the seat now.
  bool MenuOffers(int seat, const BetChoice& choice) const;

  // Betting round; false when the hand has been won by the last seat in.
  bool BettingRound(int firstBettor);
  bool PostBlinds(int& seat);
  int CountActive() const;
  int NextSeat(int seat) const;
  bool OneSeatLeft() const;
  // Moves chips of a seat into the pot as a contribution of this hand; a seat that pays its last
  // chip is all-in.
  void PayIn(int seat, std::int32_t amount);

  // Showdown.
  void Showdown();

  // Draws: every draw of the current card round, with DrawUnderWay set while it runs; in each,
  // every seat still in, the user first, may exchange cards.
  void RunDraw();
  void Draw();
  // Checks a seat's exchange against the card round (its own cards, not shared, at most the
  // round's MaxDrawCards) and makes it.
  void MakeExchange(int seat, DrawChoice choice);
  // Puts the card of a slot on the discard pile and empties the slot.
  void ThrowCard(int seat, int slot);
  // Deals a replacement into an emptied slot; returns the card.
  CardNumber DealReplacement(int seat, int slot);
  // Follow the Queen, after every face-up card: a Queen costs its owner two antes and makes the
  // rank of the next face-up card wild, which costs that card's owner one ante; who will not or
  // cannot pay folds.
  void WildCardCheck(int seat, int round);
  // Asks the seat to pay `cost` for a wild card, a Queen or the card that follows one. Returns true
  // when it paid; a seat that does not pay folds.
  bool ChargeForWildCard(int seat, std::int32_t cost, bool queen);
  // Moves a wild-card payment from the seat into the pot.
  void PayWildCard(int seat, std::int32_t cost);

  // Seat removal: the per-seat fields of seat + 1.. move down by one.
  void MoveSeatsDown(int seat);

  // Sounds; a chip sound checks GameOver afterwards.
  void SeatSound(const std::string& name, int seat) { narration_.SeatSound(name, seat); }
  void ChipSound(int seat, std::int32_t amount);

  SeatPlayer& PlayerAt(int seat) const { return seating_.PlayerAt(seat); }

  TableState& table_;
  HandState& hand_;
  const UserSettings& settings_;
  Narration& narration_;
  Seating& seating_;
  Prompts& prompts_;
  Random& game_;
  TableEvents& events_;
  bool raiseAnte_ = false;
  bool handRunning_ = false;
  double handStart_ = 0;
  std::int64_t handsPlayed_ = 0;
};

}  // namespace corvane
