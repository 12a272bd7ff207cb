// The sequence that starts each hand: the hints, the shuffle, the deal moving on, the raise of the
// ante, the antes with the players who cannot cover them, the hand itself and its time.
#include <gtest/gtest.h>

#include <cctype>

#include "sound/seat_sounds.h"
#include "table/rounding.h"
#include "table_fixture.h"

namespace corvane::testing {
namespace {

constexpr const char* kFirstRound = "The first two card rounds are dealt facedown.";

class NextHandTest : public TableFixture {
 protected:
  NextHandTest() {
    Seat(kSevenCardStud, {"The Boss", "Susan", "Harry", "Donald"}, {1000, 1000, 1000, 1000}, 4);
    AnswerEveryQuestion();
    // The state of the table when the first card is dealt: the antes are in.
    host.OnLine(kFirstRound, [this] {
      atDeal.chips = table.players.Chips;
      atDeal.pot = hand.Pot;
      atDeal.players = table.PlayerCount;
      atDeal.names = table.players.PlayerName;
      atDeal.now = host.Now();
    });
  }

  struct Snapshot {
    std::array<std::int32_t, kMaxSeats + 1> chips{};
    std::array<std::string, kMaxSeats + 1> names{};
    std::int32_t pot = -1;
    int players = 0;
    double now = 0;
  } atDeal;
};

TEST_F(NextHandTest, FirstHandGivesTheHintsThenShufflesAndTheDealWrapsToTheUser) {
  const std::int32_t total = TotalChips();
  NextHand();
  EXPECT_FALSE(ended);
  EXPECT_TRUE(SaidInOrder({"Press F1 for Help, and Shift-F2 for a list of commands.",
                           "Press F2 to obtain a brief description of the game.", "Now shuffling.",
                           "The deal goes to The Boss", "Everyone puts in the 25 chip ante.",
                           kFirstRound, "Play another hand of this game?"}));
  EXPECT_EQ(table.Dealer, 1);
  EXPECT_EQ(table.DealerRounds, 1);
  EXPECT_FALSE(table.FirstDeal);
  EXPECT_TRUE(hand.HandOver);
  EXPECT_FALSE(table.KeepPlaying);
  EXPECT_EQ(TotalChips(), total);
  // The antes: 25 from each of the four, nothing else yet.
  EXPECT_EQ(atDeal.pot, 100);
  for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(atDeal.chips[seat], 975) << seat;
}

TEST_F(NextHandTest, TheHintsComeOnlyOnceAndTheDealMovesOnEachHand) {
  NextHand();
  NextHand();
  NextHand();
  EXPECT_EQ(CountSaid("Press F1 for Help, and Shift-F2 for a list of commands."), 1);
  EXPECT_EQ(CountSaid("Press F2 to obtain a brief description of the game."), 1);
  EXPECT_EQ(CountSaid("Now shuffling."), 3);
  EXPECT_TRUE(SaidInOrder(
      {"The deal goes to The Boss", "The deal goes to Susan", "The deal goes to Harry"}));
  EXPECT_EQ(table.Dealer, 3);
  EXPECT_EQ(table.DealerRounds, 1);
}

TEST_F(NextHandTest, ADealerRoundIsCountedEachTimeTheDealPassesTheLastSeat) {
  table.Dealer = 3;
  NextHand();
  EXPECT_EQ(table.Dealer, 4);
  EXPECT_EQ(table.DealerRounds, 0);
  NextHand();
  EXPECT_EQ(table.Dealer, 1);
  EXPECT_EQ(table.DealerRounds, 1);
}

TEST_F(NextHandTest, WithTheBotsChoosingTheDealerDeclaresTheGame) {
  settings.BotsDealersChoice = true;
  table.Dealer = 1;
  host.On("The deal passes to the next player. Continue?", "N");
  NextHand();
  EXPECT_TRUE(SaidInOrder({"Now shuffling.", "The deal goes to Susan",
                           "Susan declares the game to be Seven Card Stud",
                           "Everyone puts in the 25 chip ante."}));
}

TEST_F(NextHandTest, TheShuffleIsHeardFromTheDealersSeat) {
  table.Dealer = 2;
  settings.TableVolume = -400;
  NextHand();
  const SeatPlacement harry = PlaceSeat(4, 3);
  int shuffles = 0;
  for (const auto& play : audio.Plays()) {
    std::string name = play.name;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name.rfind("shuffle", 0) != 0) continue;
    ++shuffles;
    EXPECT_EQ(play.pan, harry.pan);
    EXPECT_EQ(play.volume, harry.volume - 400);
  }
  EXPECT_EQ(shuffles, 1);
}

TEST_F(NextHandTest, APlayerWithNoChipsLeavesAtTheAnteAndTheNextSeatStillPays) {
  table.players.Chips[3] = 0;
  const std::int32_t total = TotalChips();
  NextHand();
  EXPECT_TRUE(
      SaidInOrder({"Everyone puts in the 25 chip ante.",
                   "Harry cannot cover another hand, so they leave the table.", kFirstRound}));
  EXPECT_EQ(atDeal.players, 3);
  EXPECT_EQ(atDeal.names[3], "Donald");
  EXPECT_EQ(atDeal.chips[3], 975);
  EXPECT_EQ(atDeal.pot, 75);
  EXPECT_EQ(table.LeftTableCount, 1);
  EXPECT_EQ(table.LeftTable[1].rfind("Harry ", 0), 0u);
  EXPECT_EQ(TotalChips(), total);
}

TEST_F(NextHandTest, APlayerShortOfTheAntePaysWhatItHas) {
  table.players.Chips[2] = 10;
  NextHand();
  EXPECT_EQ(atDeal.chips[2], 0);
  EXPECT_EQ(atDeal.pot, 85);
  EXPECT_FALSE(Said("Susan cannot cover another hand, so they leave the table."));
}

TEST_F(NextHandTest, TheUserWithNoChipsLeavesAndTheTableCloses) {
  table.players.Chips[1] = 0;
  NextHand();
  EXPECT_TRUE(SaidInOrder({"Everyone puts in the 25 chip ante.",
                           "The Boss cannot cover another hand, so they leave the table.",
                           "better luck next time. The table is closed to you."}));
  EXPECT_TRUE(table.GameOver);
  EXPECT_FALSE(Said(kFirstRound));
  // Nobody else paid after the table closed.
  EXPECT_EQ(table.players.Chips[2], 1000);
  EXPECT_EQ(hand.Pot, 0);
}

TEST_F(NextHandTest, AGameWithoutAnAnteTakesNone) {
  ASSERT_TRUE(LoadGameDefinition(table.game, kTexasHoldem, ""));
  NextHand();
  EXPECT_FALSE(Said("Everyone puts in the 25 chip ante."));
  EXPECT_EQ(atDeal.pot, 0);
}

TEST_F(NextHandTest, RaisingTheAnteScalesTheMaximumRaise) {
  host.Keys("Y");
  Press("A");
  host.On("What is the new ante?", "3 0 Enter");
  NextHand();
  EXPECT_TRUE(SaidInOrder({"The deal goes to The Boss", "What is the new ante?", "50",
                           "The ante is now 30 and the max bet is now 1200.",
                           "Everyone puts in the 30 chip ante."}));
  EXPECT_EQ(table.settings.Ante, 30);
  EXPECT_EQ(table.settings.MaxRaise, 1200);
  EXPECT_EQ(atDeal.pot, 120);
  EXPECT_FALSE(dispatcher.RaiseAnteRequested());
  // The next hand asks nothing.
  NextHand();
  EXPECT_EQ(CountSaid("What is the new ante?"), 1);
}

TEST_F(NextHandTest, TheScaledMaximumRaiseRoundsHalvesToEven) {
  table.settings.Ante = 4;
  table.settings.MaxRaise = 50;
  host.Keys("Y");
  Press("A");
  host.On("What is the new ante?", "5 Enter");
  NextHand();
  // 50 * 5 / 4 = 62.5
  EXPECT_TRUE(Said("The ante is now 5 and the max bet is now 62."));
  EXPECT_EQ(table.settings.MaxRaise, 62);
}

TEST_F(NextHandTest, TheProposedAnteIsTwiceTheAnteAtMostTheMaximumRaise) {
  table.settings.MaxRaise = 40;
  host.Keys("Y");
  Press("A");
  host.On("What is the new ante?", "Enter");
  NextHand();
  EXPECT_TRUE(SaidInOrder(
      {"What is the new ante?", "40", "The ante is now 40 and the max bet is now 64."}));
}

TEST_F(NextHandTest, TheNewAnteMustLieBetweenTheAnteAndTheMaximumRaise) {
  host.Keys("Y");
  Press("A");
  host.On("What is the new ante?", "2 0 Enter 1 0 0 1 Enter 2 5 Enter");
  NextHand();
  EXPECT_EQ(CountSaid("The entered value is less than 25 and greater than 1000. Please try again."),
            2);
  EXPECT_TRUE(Said("The ante is now 25 and the max bet is now 1000."));
}

TEST_F(NextHandTest, EscapeAtTheNewAnteDealsNothing) {
  host.Keys("Y");
  Press("A");
  host.On("What is the new ante?", "Esc");
  const auto chips = table.players.Chips;
  const std::int32_t rounds = table.DealerRounds;
  NextHand();
  // The deal had gone round to the user: it goes back to the last seat, who deals the next hand.
  EXPECT_EQ(table.Dealer, 4);
  EXPECT_EQ(table.DealerRounds, rounds);
  EXPECT_TRUE(Said("What is the new ante?"));
  EXPECT_FALSE(Said("Everyone puts in the 25 chip ante."));
  EXPECT_FALSE(Said(kFirstRound));
  EXPECT_EQ(table.players.Chips, chips);
  EXPECT_EQ(hand.Pot, 0);
  EXPECT_EQ(table.settings.Ante, 25);
  EXPECT_EQ(table.settings.MaxRaise, 1000);
  EXPECT_FALSE(dispatcher.RaiseAnteRequested());
  EXPECT_FALSE(table.KeepPlaying);
}

TEST_F(NextHandTest, TheHandsTimeIsAddedRoundedToTheNearestSecond) {
  // Each answer takes the user 0.3 s, so the hand lasts a fraction of a second over a whole.
  host.answerDelay = 0.3;
  double end = 0;
  host.OnLine("Play another hand of this game?", [&] { end = host.Now() + host.answerDelay; });
  table.ElapsedSeconds = 100;
  NextHand();
  ASSERT_GT(atDeal.now, 0);
  const double seconds = end - atDeal.now;
  EXPECT_EQ(table.ElapsedSeconds, 100 + RoundHalfEven(seconds)) << seconds;
}

TEST_F(NextHandTest, TabDuringTheHandCountsTheHandsTimeSoFar) {
  table.settings.GameEndRule = 2;
  table.settings.GameEndAmount = 10;
  table.ElapsedSeconds = 500;
  double at = 0;
  std::string minutes;
  host.OnLine("Next face up card.", [&] {
    if (at == 0) host.KeysNow("Tab");
  });
  host.OnLine("minutes remaining in the game.", [&] {
    at = host.Now();
    minutes = host.spoken.back();
  });
  NextHand();
  ASSERT_GT(at, 0);
  const auto played = RoundHalfEven((500 + (at - atDeal.now)) / 60.0);
  EXPECT_EQ(minutes, "You have " + std::to_string(10 - played) + " minutes remaining in the game.");
  // The time of this hand so far moves the report: 500 s alone would leave 2 minutes.
  EXPECT_GT(at - atDeal.now, 0.0);
  EXPECT_EQ(minutes, "You have 1 minutes remaining in the game.");
}

}  // namespace
}  // namespace corvane::testing
