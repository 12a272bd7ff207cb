// The shared data of a running table: the deck, the cards each hand holds, the players and their
// bot attributes, the game settings, the counters and the flags through which the shell and the
// hand engine hand control to each other. One TableState lives for the whole run.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "table/card.h"
#include "table/game_definition.h"

namespace corvane {

inline constexpr int kMaxSeats = 7;
// The seat of the person who hosts the table: the user, when they play alone. It never moves,
// since the seats that move down are those after a seat that empties.
inline constexpr int kHostSeat = 1;
// Hands 10 and 11 are the evaluator's work hands, hand 30 a bot's hand while it draws.
inline constexpr int kWorkHand = 10;
inline constexpr int kWorkHand2 = 11;
inline constexpr int kDrawHand = 30;

// When the game is over (GameEndRule), as the table setup's menu numbers its rows and the files
// keep it.
inline constexpr std::int16_t kEndRuleNotChosen = 0;
inline constexpr std::int16_t kEndOnChips = 1;          // the user, or every other player, is out
inline constexpr std::int16_t kEndOnMinutes = 2;        // GameEndAmount minutes have passed
inline constexpr std::int16_t kEndOnDealingRounds = 3;  // GameEndAmount dealing rounds are done

// Table-wide game variables: asked by the table setup, stored with the saved table.
struct GameSettings {
  std::int32_t MaxRaise = 1000;
  std::int16_t MaxRaises = 3;
  std::int32_t Ante = 25;
  std::int32_t StartingChips = 10000;
  std::int16_t GameEndRule = kEndOnChips;
  std::int32_t GameEndAmount = 0;
};

// The seats' fields, each array with room for seats 0..7 (seat 1 is always the user).
struct Players {
  std::array<std::string, kMaxSeats + 1> PlayerName{};
  std::array<std::int32_t, kMaxSeats + 1> Chips{};
  std::array<float, kMaxSeats + 1> Bluffing{};
  std::array<float, kMaxSeats + 1> Aggressiveness{};
  std::array<float, kMaxSeats + 1> RiskTaker{};
  std::array<float, kMaxSeats + 1> Intelligence{};
};

// Cards(hand, slot): hand 0..52, slot 0..52.
using CardTable = std::array<std::array<CardNumber, 53>, 53>;

struct TableState {
  // The deck and the discard pile.
  std::array<CardNumber, 53> Deck{};
  std::int16_t DealtCount = 0;
  std::array<CardNumber, 53> Discards{};
  std::int16_t DiscardTop = 53;
  CardTable Cards{};

  Players players;
  std::array<std::string, kMaxSeats + 1> DefaultName{};
  GameSettings settings;

  std::int16_t PlayerCount = 0;
  std::int16_t Dealer = 0;
  std::int32_t RoundEndSeat = 0;
  std::int32_t DealerRounds = 0;
  std::int32_t ElapsedSeconds = 0;
  // The saved table's reserved field: written back as it was last restored, 0 for a new table.
  std::int32_t SavedTableReserved = 0;

  // Texts of the bots that left, entries 1..6 in the order they left.
  std::array<std::string, 7> LeftTable{};
  std::int16_t LeftTableCount = 0;

  GameDefinition game;

  bool GameOver = false;
  bool TableSaved = true;
  bool FirstDeal = true;
  bool ErrorFlag = false;
};

// Card(hand, slot) helpers over the table.
inline CardNumber& Card(TableState& t, int hand, int slot) {
  return t.Cards[hand][slot];
}

// Copies slots 1..7 of one hand into another.
void CopyHand(TableState& t, int from, int to);
// Copies a hand, then orders its slots 1..RoundCount by rank, high first, Ace as 14.
void SortHand(TableState& t, int from, int to);
// Sorts hand `from` into `to` as SortHand does and returns the sorted slots 0..RoundCount (slot 0
// is never a card).
std::vector<CardNumber> SortedHandCards(TableState& t, int from, int to);
// "Name Bluffing B %, Aggressiveness A%, Risk Taker R%, Intelligence I%".
std::string AttributeText(const TableState& t, int seat);
// The default names of new tables and the default game settings.
void SetDefaults(TableState& t);

}  // namespace corvane
