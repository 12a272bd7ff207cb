// One draw: every seat still in, the user first, may throw away cards and get as many new ones,
// at most the card round's MaxDrawCards; each seat chooses its own. Every replacement comes from
// the deck into the emptied slot, with the deal sound at the seat.
#include "engine/deck.h"
#include "engine/hand_engine.h"

namespace corvane {

void HandEngine::RunDraw() {
  hand_.DrawUnderWay = true;
  Draw();
  hand_.DrawUnderWay = false;
}

void HandEngine::Draw() {
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (hand_.Folded[seat]) continue;
    seats_[static_cast<std::size_t>(seat)]->ChooseDiscards(seat);
  }
}

void HandEngine::ThrowCard(int seat, int slot) {
  CardNumber& card = table_.Cards[seat][slot];
  if (card != 0 && (seat == kUserSeat || table_.game.Rounds[slot].FaceUp)) {
    hand_.SeenDiscards |= std::uint64_t{1} << card;
  }
  Discard(table_, card);
  card = 0;
}

CardNumber HandEngine::DealReplacement(int seat, int slot) {
  const CardNumber card = DealCard(table_, game_);
  table_.Cards[seat][slot] = card;
  RefillDeck();
  Pause(0.5, PauseOf::DealtCard);
  SeatSound("deal.wav", seat);
  return card;
}

}  // namespace corvane
