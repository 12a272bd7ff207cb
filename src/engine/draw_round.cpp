// One draw: every seat still in, the user first, may throw away cards and get as many new ones,
// at most the card round's MaxDrawCards; each seat chooses its own and the engine makes the
// exchange. Every replacement comes from the deck into the emptied slot, with the deal sound at
// the seat.
#include <fmt/format.h>

#include <algorithm>
#include <utility>
#include <vector>

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
    DrawChoice choice = PlayerAt(seat).ChooseDiscards(seat, View());
    CheckGameOver();
    MakeExchange(seat, std::move(choice));
  }
}

void HandEngine::MakeExchange(int seat, DrawChoice choice) {
  const GameDefinition& game = table_.game;
  const int maxDraw = std::max<int>(0, game.Rounds[hand_.CurrentRound].MaxDrawCards);
  const int lastSlot = std::min<int>(game.RoundCount, kMaxRounds);
  // Only the seat's own cards may go, each once, and no more than the round allows.
  std::vector<int> slots;
  for (const int slot : choice.slots) {
    const bool own =
        slot >= 1 && slot <= lastSlot && table_.Cards[seat][slot] != 0 && !game.Rounds[slot].Shared;
    if (!own || std::find(slots.begin(), slots.end(), slot) != slots.end()) continue;
    if (static_cast<int>(slots.size()) == maxDraw) break;
    slots.push_back(slot);
  }
  std::string drawn;
  if (choice.exchange == Exchange::CardByCard) {
    for (const int slot : slots) {
      ThrowCard(seat, slot);
      drawn += CardName(DealReplacement(seat, slot), 0) + " ";
    }
  } else {
    for (const int slot : slots) ThrowCard(seat, slot);
    std::vector<int> inOrder = slots;
    std::sort(inOrder.begin(), inOrder.end());
    for (const int slot : inOrder) DealReplacement(seat, slot);
  }
  // The person at the seat hears the new cards by name; everyone else hears how many were drawn,
  // as of a bot. A person who drew is given a moment whatever the count; a bot's draw of no card
  // goes by without one.
  const int count = static_cast<int>(slots.size());
  if (!drawn.empty()) Say(Audience::Only(seat), Name(seat) + " draws " + drawn);
  if (count > 0) {
    Say(Audience::AllBut(seat), fmt::format("{} draws {} cards.", Name(seat), count));
  } else {
    Say(Audience::AllBut(seat), Name(seat) + " draws no cards.");
  }
  if (count > 0 || narration_.HeardAt(seat)) Pause(1);
}

void HandEngine::ThrowCard(int seat, int slot) {
  CardNumber& card = table_.Cards[seat][slot];
  if (card != 0) {
    const std::uint64_t bit = std::uint64_t{1} << card;
    (table_.game.Rounds[slot].FaceUp ? hand_.SeenDiscards : hand_.OwnDiscards[seat]) |= bit;
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
