// The chance of winning: sampled answers against every way counted, positions of Texas Holdem,
// Seven Card Stud and Follow the Queen; and an answer that does not depend on cards the user
// cannot see.
#include "engine/win_chance.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "support/cards.h"
#include "test_games.h"

namespace corvane::testing {
namespace {

// "Ah Kh -- 7c" fills slots 1, 2 and 4 of a hand; "--" is a card still to come.
void PutCards(TableState& table, int seat, const std::string& cards) {
  std::istringstream in(cards);
  std::string card;
  for (int slot = 1; in >> card; ++slot) {
    if (card == "--") continue;
    const std::string ranks = "A23456789TJQK";
    const int rank = static_cast<int>(ranks.find(card[0])) + 1;
    table.Cards[seat][slot] = C(rank, static_cast<char>(std::toupper(card[1])));
  }
}

struct Position {
  const char* name;
  GameDefinition game;
  // The table's cards, seat 1 (the user) first, the hidden ones as they were dealt.
  std::vector<std::string> seats;
  int dealer;
  int currentRound;
  // Follow the Queen's wild rank as the deal left it.
  int followRank;
  bool followPending;
};

struct Table {
  TableState table;
  HandState hand;
};

Table Seat(const Position& p) {
  Table t;
  t.table.game = p.game;
  t.table.PlayerCount = static_cast<std::int16_t>(p.seats.size());
  t.table.Dealer = static_cast<std::int16_t>(p.dealer);
  for (std::size_t s = 0; s < p.seats.size(); ++s)
    PutCards(t.table, static_cast<int>(s) + 1, p.seats[s]);
  t.hand.CurrentRound = static_cast<std::int16_t>(p.currentRound);
  t.hand.FollowRank = static_cast<std::int16_t>(p.followRank);
  t.hand.FollowPending = p.followPending;
  return t;
}

// Follow the Queen's rules on five cards, one face down and four face up: cheap enough to count
// every way while a face-up card still to come may set the wild rank.
GameDefinition FollowTheQueenOnFiveCards() {
  GameDefinition g = Builtin(kFollowTheQueen);
  g.RoundCount = 5;
  for (int r = 1; r <= 5; ++r) g.Rounds[r].FaceUp = r >= 2;
  g.Rounds[6] = {};
  g.Rounds[7] = {};
  return g;
}

TEST(WinChanceTest, SampledAnswersLieWithinAPointOfEveryWayCounted) {
  const std::vector<Position> positions{
      {"Texas Holdem, heads-up after the flop",
       Builtin(kTexasHoldem),
       {"Ah Kh Qh 7h 2c -- --", "9s 9c Qh 7h 2c -- --"},
       2,
       5,
       0,
       false},
      {"Seven Card Stud, heads-up on sixth street",
       Builtin(kSevenCardStud),
       {"Ts 9d Th 4c Js 2d --", "Ac 5h Kd Kc 8h 6s --"},
       1,
       6,
       0,
       false},
      {"Follow the Queen, heads-up on sixth street, Sevens wild",
       Builtin(kFollowTheQueen),
       {"As 4d Ad 7c 9s Jh --", "8c 8d Qd 3s Kh 5c --"},
       2,
       6,
       7,
       false},
      {"Follow the Queen on five cards, a Queen showing and the card after it to come",
       FollowTheQueenOnFiveCards(),
       {"Js 9h Jd 4c --", "Tc Ts 6h Qs --"},
       2,
       5,
       0,
       true},
  };
  for (const Position& p : positions) {
    SCOPED_TRACE(p.name);
    const Table t = Seat(p);
    const WinChance exact = ChanceOfWinning(t.table, t.hand, WinChanceMethod::kExact);
    const WinChance sampled = ChanceOfWinning(t.table, t.hand, WinChanceMethod::kSampled);
    std::cout << p.name << ": every way (" << exact.deals << ") " << 100 * exact.share
              << " percent, sampled (" << sampled.deals << ") " << 100 * sampled.share
              << " percent\n";
    EXPECT_TRUE(exact.exact);
    EXPECT_FALSE(sampled.exact);
    EXPECT_LT(std::abs(100 * (sampled.share - exact.share)), 1.0);
    // Sampling again from the same position deals the same cards.
    EXPECT_EQ(ChanceOfWinning(t.table, t.hand, WinChanceMethod::kSampled).share, sampled.share);
  }
}

TEST(WinChanceTest, CardsTheUserCannotSeeDoNotChangeTheAnswer) {
  // Heads-up on the river: few enough ways to count them all, whatever the opponent holds.
  Position p{"Texas Holdem on the river",
             Builtin(kTexasHoldem),
             {"Ah Kh Qh 7h 2c 5d Kc", "9s 9c Qh 7h 2c 5d Kc"},
             2,
             7,
             0,
             false};
  const Table shown = Seat(p);
  const WinChance chance = ChanceOfWinning(shown.table, shown.hand);
  EXPECT_TRUE(chance.exact);
  EXPECT_EQ(chance.deals, 990);  // the opponent's two cards out of 45
  p.seats[1] = "Kd Ks Qh 7h 2c 5d Kc";
  const Table other = Seat(p);
  EXPECT_EQ(ChanceOfWinning(other.table, other.hand).share, chance.share);
  // Top pair with the Ace kicker loses only to the hands that beat it and ties the other Ace-King.
  EXPECT_GT(chance.share, 0.8);
  EXPECT_LT(chance.share, 1.0);
}

TEST(WinChanceTest, AFaceUpCardJustAnnouncedSetsTheWildRankBeforeItsTurnIsTaken) {
  // The user's Queen waits for the next face-up card; the opponent's Seven follows it, and a key
  // pressed in the pause after its announcement comes before the deal has looked at it.
  const Position p{"Follow the Queen on five cards, the card after the Queen just dealt",
                   FollowTheQueenOnFiveCards(),
                   {"Js 9h 3d 4c Qh", "Tc Ts 6h 2d 7c"},
                   2,
                   5,
                   0,
                   true};
  Table before = Seat(p);
  before.table.DealtCount = 10;
  before.table.Deck[10] = C(7, 'C');
  Table after = Seat(p);
  after.hand.FollowRank = 7;
  after.hand.FollowPending = false;
  Table queensOnly = Seat(p);
  const double share = ChanceOfWinning(before.table, before.hand).share;
  EXPECT_EQ(share, ChanceOfWinning(after.table, after.hand).share);
  // Looking at the Seven again once the deal has looked at it changes nothing.
  after.table.DealtCount = 10;
  after.table.Deck[10] = C(7, 'C');
  EXPECT_EQ(share, ChanceOfWinning(after.table, after.hand).share);
  // With the Queens alone wild the answer is another.
  EXPECT_NE(share, ChanceOfWinning(queensOnly.table, queensOnly.hand).share);
}

}  // namespace
}  // namespace corvane::testing
