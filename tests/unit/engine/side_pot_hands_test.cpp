// Hands on stacked decks that end with all-ins and side pots: who wins which pot, what is said,
// and where every chip goes.
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace corvane::testing {
namespace {

class SidePotHandTest : public EngineFixture {};

// Five Card Stud, dealt 1, 2, 3 each round (the dealer is seat 3). The Boss holds a pair of Aces,
// Susan Jack high, Harry a pair of Queens.
TEST_F(SidePotHandTest, AllInForFiftyCapsTheMainPotAndTheRestGoesToTheBestOfTheOthers) {
  Seat(FiveCardStud(), {"The Boss", "Susan", "Harry"}, {50, 1000, 1000}, 3);
  Ready({C(1, 'S'), C(3, 'S'), C(4, 'S'),    // round 1, face down
         C(1, 'H'), C(5, 'H'), C(6, 'H'),    // round 2
         C(13, 'C'), C(8, 'C'), C(12, 'C'),  // round 3
         C(7, 'D'), C(9, 'D'), C(12, 'D'),   // round 4
         C(2, 'C'), C(11, 'S'), C(2, 'H')},  // round 5
        false);
  const std::int32_t total = TotalChips();
  Script(2, {Call(), Call(), Check()});
  Script(3, {Call(), Raise(100), Check()});
  std::vector<std::array<std::int32_t, 3>> pots;  // after each betting round: pot 1, cap 1, count
  engine.hooks().BettingRoundEnded = [&] {
    pots.push_back({hand.PotAmount[1], hand.PotCap[1], hand.PotCount});
  };
  host.Keys("I Enter N");
  Play();

  EXPECT_TRUE(SaidInOrder({
      "The first card round is dealt facedown.",
      "You are dealt a Ace of Spades face down.",
      "The next four card rounds are dealt face up.",
      "The Boss is dealt a Ace of Hearts",
      "Susan is dealt a Five of Hearts",
      "Harry is dealt a Six of Hearts",
      "The Boss bets first.",
      "What would you like to do?",
      "The Boss is going all in for 50",
      "Susan calls, 50.",
      "Harry calls, 50.",
      "Harry bets first.",
      "Harry bets 100",
      "Susan calls, 100.",
      "All betting is complete. Time to show your cards. Press Enter when ready.",
      "The following has been calculated based on split pots and side pots.",
  })) << host.Transcript();
  EXPECT_TRUE(SaidInOrder({
      "The Boss has Pair of Aces  which pays 150",
      "Harry has Pair of Queens  which pays 200",
      "Other players in order of hand ranking",
      "Susan had Jack high",
      "Use Control-Up arrow to review the hand.",
      "Play another hand of this game?",
  })) << host.Transcript();
  ASSERT_EQ(pots.size(), 3u);
  EXPECT_EQ(pots[0], (std::array<std::int32_t, 3>{150, 1, 2}));
  EXPECT_EQ(hand.HandReport,
            "The Boss has Pair of Aces  which pays 150\r\nHarry has Pair of Queens  which pays "
            "200\r\n");
  EXPECT_EQ(table.players.Chips[1], 150);
  EXPECT_EQ(table.players.Chips[2], 850);
  EXPECT_EQ(table.players.Chips[3], 1050);
  EXPECT_EQ(hand.Pot, 0);
  EXPECT_EQ(TotalChips(), total);
  EXPECT_FALSE(ended);
}

}  // namespace
}  // namespace corvane::testing

namespace corvane::testing {
namespace {

// Two all-ins in one round (30 and 50) cut two pots, capped in that order, and the rest of the
// betting makes the third. The Boss has the best hand, Susan the second, Donald the third.
TEST_F(SidePotHandTest, TwoAllInsInOneRoundMakeThreePotsInOrder) {
  Seat(FiveCardStud(), {"The Boss", "Susan", "Harry", "Donald"}, {30, 50, 1000, 1000}, 4);
  Ready({C(13, 'S'), C(13, 'H'), C(2, 'S'),  C(4, 'S'),   // round 1: Kings for the Boss and Susan
         C(13, 'C'), C(12, 'H'), C(3, 'H'),  C(5, 'H'),   // round 2: the Boss shows a King
         C(9, 'C'),  C(12, 'C'), C(7, 'C'),  C(8, 'H'),   // round 3
         C(10, 'D'), C(6, 'D'),  C(11, 'D'), C(8, 'D'),   // round 4: Donald pairs his Eights
         C(3, 'C'),  C(4, 'C'),  C(9, 'S'),  C(6, 'C')},  // round 5
        false);
  const std::int32_t total = TotalChips();
  std::vector<std::vector<std::int32_t>> pots;
  engine.hooks().BettingRoundEnded = [&] {
    pots.push_back({hand.PotCount, hand.PotAmount[1], hand.PotCap[1], hand.PotAmount[2],
                    hand.PotCap[2], hand.PotAmount[3], hand.PotCap[3]});
  };
  Script(2, {Raise(100)});                   // all-in for 50: a raise part of 20
  Script(3, {Call(), Raise(100), Check()});  // calls 50, bets 100 later
  Script(4, {Call(), Call(), Check()});
  host.Keys("I Enter N");
  Play();

  EXPECT_TRUE(SaidInOrder({
      "The Boss is going all in for 30",
      "Susan is going all in for 50",
      "Harry calls, 50.",
      "Donald calls, 50.",
      "The following has been calculated based on split pots and side pots.",
      "The Boss has Pair of Kings  which pays 120",
      "Susan has Pair of Queens  which pays 60",
      "Donald has Pair of Eights  which pays 200",
      "Other players in order of hand ranking",
  })) << host.Transcript();
  ASSERT_FALSE(pots.empty());
  EXPECT_EQ(pots[0], (std::vector<std::int32_t>{3, 120, 1, 60, 2, 0, 0}));
  EXPECT_EQ(table.players.Chips[1], 120);
  EXPECT_EQ(table.players.Chips[2], 60);
  EXPECT_EQ(table.players.Chips[3], 850);
  EXPECT_EQ(table.players.Chips[4], 1050);
  EXPECT_EQ(TotalChips(), total);
}

// A folded player's chips stay in every pot they reached; the folded player is not ranked.
TEST_F(SidePotHandTest, AFoldedPlayersChipsCountInEveryPotReached) {
  Seat(FiveCardStud(), {"The Boss", "Susan", "Harry"}, {50, 1000, 1000}, 3);
  Ready({C(1, 'S'), C(3, 'S'), C(4, 'S'), C(1, 'H'), C(5, 'H'), C(6, 'H'), C(13, 'C'), C(8, 'C'),
         C(12, 'C'), C(7, 'D'), C(9, 'D'), C(12, 'D'), C(2, 'C'), C(11, 'S'), C(2, 'H')},
        false);
  const std::int32_t total = TotalChips();
  Script(2, {Call(), Call(), Raise(100)});
  Script(3, {Call(), Raise(100), Check(), Check()});
  host.Keys("I Enter N");
  Play();

  // Pot 1: 3 x 50 = 150 for the Boss; pot 2: Harry's 100, folded, and Susan's 200: 300.
  EXPECT_TRUE(SaidInOrder({
      "Harry folds.",
      "All betting is complete. Time to show your cards. Press Enter when ready.",
      "The following has been calculated based on split pots and side pots.",
      "The Boss has Pair of Aces  which pays 150",
      "Susan has Jack high which pays 300",
      "Other players in order of hand ranking",
      "Use Control-Up arrow to review the hand.",
  })) << host.Transcript();
  EXPECT_FALSE(SaidContaining("Harry had")) << host.Transcript();
  EXPECT_EQ(table.players.Chips[1], 150);
  EXPECT_EQ(table.players.Chips[2], 1000 - 250 + 300);
  EXPECT_EQ(table.players.Chips[3], 1000 - 150);
  EXPECT_EQ(TotalChips(), total);
}

// Equal hands share the pot; the odd chip goes to the first winner left of the dealer.
TEST_F(SidePotHandTest, ATieSplitsThePotAndTheOddChipGoesLeftOfTheDealer) {
  Seat(FiveCardStud(), {"The Boss", "Susan", "Harry"}, {1000, 1000, 1000}, 1);
  // Dealt 2, 3, 1 each round until Harry folds. The Boss and Susan both hold Ace, King, Queen,
  // Jack, Nine.
  Ready({C(1, 'H'), C(2, 'C'), C(1, 'S'),    // round 1
         C(13, 'H'), C(3, 'C'), C(13, 'S'),  // round 2
         C(12, 'C'), C(12, 'D'),             // round 3
         C(11, 'S'), C(11, 'H'),             // round 4
         C(9, 'S'), C(9, 'D')},              // round 5
        true);
  // Antes 75; Susan bets 50, Harry folds, the Boss calls: 175 split two ways.
  const std::int32_t total = TotalChips();
  Script(2, {Raise(50), Check(), Check()});
  Script(3, {Check()});
  host.Keys("C C C Enter N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "Susan bets first.",
      "Susan bets 50",
      "Harry folds.",
      "The Boss calls, 50 chips.",
      "The following has been calculated based on split pots and side pots.",
      "The Boss has Ace high which pays 87",
      "Susan has Ace high which pays 88",
      "Other players in order of hand ranking",
  })) << host.Transcript();
  EXPECT_EQ(table.players.Chips[1], 1000 - 75 + 87);
  EXPECT_EQ(table.players.Chips[2], 1000 - 75 + 88);
  EXPECT_EQ(table.players.Chips[3], 1000 - 25);
  EXPECT_EQ(TotalChips(), total);
  EXPECT_EQ(hand.Pot, 0);
}

}  // namespace
}  // namespace corvane::testing
