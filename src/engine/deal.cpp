// The deal of one card round: a card to every seat still in, going once round the table from the
// seat after the dealer; the community card of a shared round is dealt once and put into every
// hand. Face-up cards are announced and valued for the best hand showing, which is found again
// among the players still in before every betting round that it opens.
#include "engine/deck.h"
#include "engine/hand_engine.h"

namespace corvane {

void HandEngine::DealRound(int r) {
  const GameDefinition& game = table_.game;
  const CardRound& round = game.Rounds[r];
  const bool shared = round.Shared && game.HasShared;
  bool sharedDealt = false;
  CardNumber previous = 0;

  const int first = SeatAfterDealer();
  int seat = first;
  for (int i = 0; i < table_.PlayerCount; ++i, seat = NextSeat(seat)) {
    if (hand_.Folded[seat]) continue;
    CardNumber card = 0;
    if (shared && sharedDealt) {
      card = previous;
    } else {
      card = DealCard(table_, game_);
      SeatSound("deal.wav", seat);
    }
    table_.Cards[seat][r] = card;
    previous = card;

    // Every card dealt is followed by at least a short spacing, so a round goes round the table;
    // the copies of a community card make no sound and need none.
    if (shared && !sharedDealt) {
      Say(CardName(card, 0) + " is dealt.");
      Pause(1, PauseOf::DealtCard);
    } else {
      Pause(0.5, shared ? PauseOf::Deal : PauseOf::DealtCard);
    }
    sharedDealt = sharedDealt || shared;

    if (!round.Shared && !round.FaceUp) {
      Say(Audience::Only(seat), "You are dealt a " + CardName(card, 0) + " face down.");
    } else if (round.FaceUp && !round.Shared) {
      RefillDeck();
      Say(Name(seat) + " is dealt a " + CardName(card, 0));
      Pause(0.5, PauseOf::Deal);
      WildCardCheck(seat, r);
      CheckGameOver();
      if (!hand_.Folded[seat]) ValueShowing(seat);
    }
  }

  if (round.FaceUp && round.Betting && !round.Shared) {
    // A leader who folded during the deal no longer counts: the best hand of those still in opens.
    FindBestShowing();
    if (hand_.BestShowingSeat >= 1) {
      Say(Name(hand_.BestShowingSeat) + "  has the best hand showing with " + hand_.HandReport);
    }
  }
}

void HandEngine::FindBestShowing() {
  hand_.BestShowingValue = 0;
  hand_.BestShowingSeat = 0;
  int seat = SeatAfterDealer();
  for (int i = 0; i < table_.PlayerCount; ++i, seat = NextSeat(seat)) {
    if (!hand_.Folded[seat]) ValueShowing(seat);
  }
}

void HandEngine::ValueShowing(int seat) {
  std::string description;
  const HandValue value = ValueHand(seat, true, description);
  if (value > hand_.BestShowingValue) {
    hand_.BestShowingValue = value;
    hand_.BestShowingSeat = static_cast<std::int16_t>(seat);
    hand_.HandReport = description;
  }
}

}  // namespace corvane
