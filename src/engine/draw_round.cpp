// One draw: every seat still in, the user first, may throw away cards and get as many new ones,
// at most the card round's MaxDrawCards. The user marks the cards in a multi-select menu; the bots
// decide by the rules of bot_discard.h. Every replacement comes from the deck into the emptied
// slot, with the deal sound at the seat.
#include <fmt/format.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/bot_discard.h"
#include "engine/deck.h"
#include "engine/hand_engine.h"

namespace corvane {

namespace {

constexpr const char* kDiscardTitle =
    "Press space to select card to discard. Press Enter when done.";

}  // namespace

void HandEngine::RunDraw() {
  hand_.DrawUnderWay = true;
  Draw();
  hand_.DrawUnderWay = false;
}

void HandEngine::Draw() {
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (hand_.Folded[seat]) continue;
    if (seat == kUserSeat) {
      UserDraw();
    } else {
      BotDraw(seat);
    }
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
  Pause(0.5, PauseOf::Deal);
  SeatSound("deal.wav", seat);
  return card;
}

void HandEngine::UserDraw() {
  const GameDefinition& game = table_.game;
  const int seat = kUserSeat;
  const int maxDraw = std::max<int>(0, game.Rounds[hand_.CurrentRound].MaxDrawCards);
  const int lastSlot = std::min<int>(game.RoundCount, kMaxRounds);

  // The cards the user may exchange: face down and not shared, highest rank first (an exchange
  // sort, as every sorted hand of the game).
  std::vector<CardNumber> drawable;
  for (int slot = 1; slot <= lastSlot; ++slot) {
    const CardRound& round = game.Rounds[slot];
    const CardNumber card = table_.Cards[seat][slot];
    if (card != 0 && !round.Shared && !round.FaceUp) drawable.push_back(card);
  }
  for (std::size_t i = 0; i + 1 < drawable.size(); ++i) {
    for (std::size_t j = i + 1; j < drawable.size(); ++j) {
      if (PlayRank(drawable[j]) > PlayRank(drawable[i])) std::swap(drawable[i], drawable[j]);
    }
  }
  const int n = static_cast<int>(drawable.size());
  if (n == 0) return;

  std::vector<std::string> items(static_cast<std::size_t>(n) + 1);
  std::vector<std::string> keys(static_cast<std::size_t>(n) + 1);
  for (int i = 1; i <= n; ++i) items[static_cast<std::size_t>(i)] = CardName(drawable[i - 1], 0);

  // The marked cards; none when the menu was left with Escape.
  std::vector<CardNumber> marked;
  for (;;) {
    // Every showing of the menu starts with nothing marked.
    std::fill(keys.begin(), keys.end(), std::string());
    Say(fmt::format("You may draw up to {} cards", maxDraw));
    const int selected =
        prompts_.Menu(kDiscardTitle, items, keys, n, 1, kMenuMultiSelect, false, maxDraw);
    CheckGameOver();
    marked.clear();
    if (selected > 0) {
      for (int i = 1; i <= n; ++i) {
        if (keys[static_cast<std::size_t>(i)] == "*") marked.push_back(drawable[i - 1]);
      }
    }
    if (selected > maxDraw || static_cast<int>(marked.size()) > maxDraw) {
      Say("Too many cards drawn.");
      continue;
    }
    if (selected >= 0) break;
  }

  std::string drawn;
  for (int slot = 1; slot <= lastSlot; ++slot) {
    const CardNumber card = table_.Cards[seat][slot];
    if (card == 0 || std::find(marked.begin(), marked.end(), card) == marked.end()) continue;
    ThrowCard(seat, slot);
    drawn += CardName(DealReplacement(seat, slot), 0) + " ";
  }
  if (!drawn.empty()) Say(Name(seat) + " draws " + drawn);
  Pause(1);
}

void HandEngine::BotDraw(int seat) {
  const GameDefinition& game = table_.game;
  const int maxDraw = game.Rounds[hand_.CurrentRound].MaxDrawCards;
  const HandSlots cards = HandOf(table_, seat);
  // A bot exchanges its own cards, never a community card.
  DrawableSlots drawable{};
  for (int slot = 1; slot <= std::min<int>(game.RoundCount, kMaxRounds); ++slot) {
    drawable[static_cast<std::size_t>(slot)] =
        cards[static_cast<std::size_t>(slot)] != 0 && !game.Rounds[slot].Shared;
  }

  int count = 0;
  if (game.HasWildCards) {
    // The bot keeps every card that is wild in its hand now, its own little ones included.
    BuildHandWildCards(seat, false);
    const WildList wilds = hand_.HandWildCards;
    for (const int slot : WildBotDiscard(cards, drawable, wilds, maxDraw)) {
      ThrowCard(seat, slot);
      DealReplacement(seat, slot);
      ++count;
    }
  } else {
    std::vector<int> thrown = BotDiscard(cards, drawable, maxDraw);
    for (const int slot : thrown) ThrowCard(seat, slot);
    std::sort(thrown.begin(), thrown.end());
    for (const int slot : thrown) {
      DealReplacement(seat, slot);
      ++count;
    }
  }

  if (count > 0) {
    Say(fmt::format("{} draws {} cards.", Name(seat), count));
    Pause(1);
  } else {
    Say(Name(seat) + " draws no cards.");
  }
}

}  // namespace corvane
