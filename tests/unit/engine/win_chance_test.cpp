// The chance of winning where a transcript cannot be exact: the sampled answer against every way
// counted, on heads-up positions of Texas Holdem after the flop, Seven Card Stud and Follow the
// Queen; and the same answer whatever the cards the user cannot see.
#include "engine/win_chance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/cards.h"
#include "table/load_game_definition.h"

namespace corvane::testing {
namespace {

struct Position {
  const char* name;
  int gameCode;
  std::vector<const char*> seats;  // seat 1 (the user) first; "--" a card still to come
  int currentRound;
  int followRank;  // Follow the Queen's wild rank as the deal left it
};

void Seat(const Position& p, TableState& table, HandState& hand) {
  ASSERT_TRUE(LoadGameDefinition(table.game, p.gameCode, ""));
  table.PlayerCount = static_cast<std::int16_t>(p.seats.size());
  table.Dealer = 2;
  for (std::size_t s = 0; s < p.seats.size(); ++s) {
    const std::vector<CardNumber> cards = Cards(p.seats[s]);
    for (std::size_t slot = 0; slot < cards.size(); ++slot)
      table.Cards[s + 1][slot + 1] = cards[slot];
  }
  hand.CurrentRound = static_cast<std::int16_t>(p.currentRound);
  hand.FollowRank = static_cast<std::int16_t>(p.followRank);
}

TEST(WinChance, SampledAnswersLieWithinAPointOfEveryWayCounted) {
  const Position rows[] = {
      {"Texas Holdem after the flop",
       kTexasHoldem,
       {"Ah Kh Qh 7h 2c -- --", "9s 9c Qh 7h 2c -- --"},
       5,
       0},
      {"Seven Card Stud on sixth street",
       kSevenCardStud,
       {"Ts 9d Th 4c Js 2d --", "Ac 5h Kd Kc 8h 6s --"},
       6,
       0},
      {"Follow the Queen, Sevens wild",
       kFollowTheQueen,
       {"As 4d Ad 7c 9s Jh --", "8c 8d Qd 3s Kh 5c --"},
       6,
       7},
  };
  for (const Position& p : rows) {
    SCOPED_TRACE(p.name);
    TableState table;
    HandState hand;
    Seat(p, table, hand);
    const WinChance exact = ChanceOfWinning(table, hand, kHostSeat, WinChanceMethod::kExact);
    const WinChance sampled = ChanceOfWinning(table, hand, kHostSeat, WinChanceMethod::kSampled);
    EXPECT_TRUE(exact.exact);
    EXPECT_FALSE(sampled.exact);
    EXPECT_LT(std::abs(100 * (sampled.share - exact.share)), 1.0);
    // The same position samples the same deals.
    EXPECT_EQ(ChanceOfWinning(table, hand, kHostSeat, WinChanceMethod::kSampled).share,
              sampled.share);
    // The opponent's face-down cards are unknown: other ones give the same answer.
    table.Cards[2][1] = Cards("Jc")[0];
    EXPECT_EQ(ChanceOfWinning(table, hand, kHostSeat, WinChanceMethod::kSampled).share,
              sampled.share);
  }
}

}  // namespace
}  // namespace corvane::testing
