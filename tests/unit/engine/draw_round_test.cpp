// The draws of a hand on stacked decks: the user's discard menu (sorted high to low, only the
// face-down cards of the user's own, the round's limit, Escape), the bots' discards and
// announcements, the replacements from the deck, and a round with two draws.
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace corvane::testing {
namespace {

class DrawRoundTest : public EngineFixture {};

constexpr const char* kTitle = "Press space to select card to discard. Press Enter when done.";

// Five Card Draw at three seats, the Boss first. The Boss throws the King and the Two and hears the
// two new cards; Susan, with a pair of Nines, throws her three singles; Harry, with a straight,
// stands pat.
TEST_F(DrawRoundTest, FiveCardDrawTheUserDiscardsTwoAndHearsTheNewCards) {
  Seat(Builtin(kFiveCardDraw), {"The Boss", "Susan", "Harry"}, {1000, 1000, 1000}, 3);
  const std::vector<CardNumber> boss{C(1, 'S'), C(7, 'H'), C(13, 'D'), C(2, 'C'), C(7, 'S')};
  const std::vector<CardNumber> susan{C(9, 'S'), C(9, 'H'), C(3, 'D'), C(11, 'C'), C(5, 'S')};
  const std::vector<CardNumber> harry{C(4, 'H'), C(5, 'H'), C(6, 'C'), C(7, 'D'), C(8, 'C')};
  Ready(DealtAs({boss, susan, harry}, {C(7, 'C'), C(12, 'H'), C(9, 'C'), C(10, 'D'), C(1, 'D')}),
        true);
  const std::int32_t total = TotalChips();
  // Check; in the menu: down to the King, mark it, to the last card (the Two), mark it, done.
  host.Keys("C Down Space End Space Enter C Enter N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "You may draw up to 3 cards",
      kTitle,
      "Ace of Spades",
      "King of Diamonds",
      "selected",
      "1 selected.",
      "Two of Clubs",
      "selected",
      "2 selected.",
      "Two of Clubs",
      "selected",
      "The Boss draws Seven of Clubs Queen of Hearts ",
      "Susan draws 3 cards.",
      "Harry draws no cards.",
  })) << host.Transcript();
  // The new cards are in the emptied slots; the thrown ones lie on the discard pile.
  EXPECT_EQ(HandCards(1, 5),
            (std::vector<CardNumber>{C(1, 'S'), C(7, 'H'), C(7, 'C'), C(12, 'H'), C(7, 'S')}));
  EXPECT_EQ(HandCards(2, 5),
            (std::vector<CardNumber>{C(9, 'S'), C(9, 'H'), C(9, 'C'), C(10, 'D'), C(1, 'D')}));
  EXPECT_EQ(HandCards(3, 5), harry);
  EXPECT_EQ(table.Discards[52], C(13, 'D'));
  EXPECT_EQ(table.Discards[51], C(2, 'C'));
  EXPECT_EQ(table.DiscardTop, 48);
  EXPECT_EQ(table.DealtCount, 20);
  // A deal sound for every replacement, after the fifteen cards of the deal.
  EXPECT_EQ(std::count(host.sounds.begin(), host.sounds.end(), "deal.wav"), 20);
  EXPECT_TRUE(Said("Harry wins this hand with Straight  Eight high. The pot is worth 75"))
      << host.Transcript();
  EXPECT_EQ(TotalChips(), total);
  EXPECT_FALSE(ended);
}

// The menu lists the user's cards from the highest rank to the lowest, the Ace high.
TEST_F(DrawRoundTest, TheDiscardMenuIsSortedHighToLow) {
  Seat(Builtin(kFiveCardDraw), {"The Boss", "Susan"}, {1000, 1000}, 2);
  const std::vector<CardNumber> boss{C(4, 'S'), C(12, 'H'), C(1, 'D'), C(10, 'C'), C(6, 'S')};
  Ready(DealtAs({boss, {C(2, 'S'), C(2, 'H'), C(2, 'D'), C(5, 'C'), C(5, 'S')}}), true);
  host.Keys("C Down Down Down Down Down Esc C Enter N");
  Play();
  const Lines menu = LinesFrom(kTitle);
  ASSERT_GE(menu.size(), 7u) << host.Transcript();
  EXPECT_EQ(Lines(menu.begin(), menu.begin() + 7),
            (Lines{kTitle, "Ace of Diamonds", "Queen of Hearts", "Ten of Clubs", "Six of Spades",
                   "Four of Spades", kTitle}))
      << host.Transcript();
}

// Escape leaves the menu with nothing thrown, even when cards were marked.
TEST_F(DrawRoundTest, AnEscapedMenuDrawsNothing) {
  Seat(Builtin(kFiveCardDraw), {"The Boss", "Susan"}, {1000, 1000}, 2);
  const std::vector<CardNumber> boss{C(4, 'S'), C(12, 'H'), C(1, 'D'), C(10, 'C'), C(6, 'S')};
  Ready(DealtAs({boss, {C(2, 'S'), C(2, 'H'), C(2, 'D'), C(5, 'C'), C(5, 'S')}}), true);
  host.Keys("C Space Down Space Esc C Enter N");
  Play();
  EXPECT_TRUE(SaidInOrder({"2 selected.", "Susan draws no cards."})) << host.Transcript();
  EXPECT_FALSE(SaidContaining("The Boss draws")) << host.Transcript();
  EXPECT_EQ(HandCards(1, 5), boss);
  EXPECT_EQ(table.DealtCount, 10);
}

// When the menu lets more cards through than the round allows, the draw refuses them and asks
// again, with nothing marked.
TEST_F(DrawRoundTest, TooManyCardsAreRefusedAndTheMenuIsShownAgain) {
  menuLimitWired = false;
  Seat(Builtin(kFiveCardDraw), {"The Boss", "Susan"}, {1000, 1000}, 2);
  const std::vector<CardNumber> boss{C(4, 'S'), C(12, 'H'), C(1, 'D'), C(10, 'C'), C(6, 'S')};
  Ready(DealtAs({boss, {C(2, 'S'), C(2, 'H'), C(2, 'D'), C(5, 'C'), C(5, 'S')}}, {C(3, 'C')}),
        true);
  host.Keys("C Space Down Space Down Space Down Space Enter End Space Enter C Enter N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "You may draw up to 3 cards",
      kTitle,
      "4 selected.",
      "Too many cards drawn.",
      "You may draw up to 3 cards",
      kTitle,
      "Four of Spades",
      "1 selected.",
      "The Boss draws Three of Clubs ",
  })) << host.Transcript();
  EXPECT_EQ(CountSaid("Too many cards drawn."), 1);
  EXPECT_EQ(HandCards(1, 5),
            (std::vector<CardNumber>{C(3, 'C'), C(12, 'H'), C(1, 'D'), C(10, 'C'), C(6, 'S')}));
}

// With the menu's limit set to the round's MaxDrawCards (as the application wires it), the menu
// itself refuses a fourth card.
TEST_F(DrawRoundTest, TheMenuKeepsToTheRoundsLimit) {
  Seat(Builtin(kFiveCardDraw), {"The Boss", "Susan"}, {1000, 1000}, 2);
  const std::vector<CardNumber> boss{C(4, 'S'), C(12, 'H'), C(1, 'D'), C(10, 'C'), C(6, 'S')};
  Ready(DealtAs({boss, {C(2, 'S'), C(2, 'H'), C(2, 'D'), C(5, 'C'), C(5, 'S')}},
                {C(3, 'C'), C(3, 'D'), C(3, 'H')}),
        true);
  // The Ace, the Queen and the Ten are marked; the Six is refused.
  host.Keys("C Space Down Space Down Space Down Space Enter C Enter N");
  Play();
  EXPECT_TRUE(SaidInOrder({
      "3 selected.",
      "You can only discard up to 3 cards.",
      "3 selected.",
      "The Boss draws Three of Clubs Three of Diamonds Three of Hearts ",
  })) << host.Transcript();
  EXPECT_FALSE(SaidContaining("Too many cards drawn.")) << host.Transcript();
  EXPECT_EQ(HandCards(1, 5),
            (std::vector<CardNumber>{C(4, 'S'), C(3, 'C'), C(3, 'D'), C(3, 'H'), C(6, 'S')}));
}

// A game with face-down, face-up and shared cards: the menu offers only the user's own face-down
// cards, and a bot never throws the community card.
TEST_F(DrawRoundTest, FaceUpAndSharedCardsAreNeverOffered) {
  GameDefinition g;
  g.GameCode = kCustomGame;
  g.GameName = "Mixed Draw";
  g.RoundCount = 4;
  g.HasFaceUp = true;
  g.HasShared = true;
  g.Rounds[2].FaceUp = true;
  g.Rounds[3].FaceUp = true;
  g.Rounds[3].Shared = true;
  g.Rounds[4].Draws = 1;
  g.Rounds[4].MaxDrawCards = 3;
  Seat(g, {"The Boss", "Susan"}, {1000, 1000}, 2);
  // Round 3 is one community card, the Two of Hearts: Susan's lowest card, which she may not throw.
  Ready({C(9, 'S'), C(4, 'D'), C(10, 'S'), C(11, 'D'), C(2, 'H'), C(5, 'C'), C(13, 'C'), C(7, 'C'),
         C(8, 'D'), C(6, 'H')},
        true);
  host.Keys("Down Down Enter Enter N");
  Play();
  const Lines menu = LinesFrom(kTitle);
  ASSERT_GE(menu.size(), 4u) << host.Transcript();
  EXPECT_EQ(Lines(menu.begin(), menu.begin() + 4),
            (Lines{kTitle, "Nine of Spades", "Five of Clubs", kTitle}))
      << host.Transcript();
  EXPECT_TRUE(Said("Susan draws 3 cards.")) << host.Transcript();
  // Susan threw her Four, Jack and King; the Two of Hearts stays in the shared slot.
  EXPECT_EQ(HandCards(2, 4), (std::vector<CardNumber>{C(7, 'C'), C(8, 'D'), C(2, 'H'), C(6, 'H')}));
  EXPECT_EQ(table.Cards[1][3], C(2, 'H'));
}

// A round with two draws and no betting after them plays both, one after the other; with betting
// after the draws, each draw is followed by a betting round.
TEST_F(DrawRoundTest, ARoundWithTwoDrawsPlaysBoth) {
  for (const bool betAfter : {false, true}) {
    SCOPED_TRACE(betAfter ? "betting after each draw" : "no betting");
    host.ClearSpoken();
    GameDefinition g = Builtin(kFiveCardDraw);
    g.Rounds[5].Draws = 2;
    g.Rounds[5].MaxDrawCards = 1;
    g.Rounds[5].Betting = false;
    g.Rounds[5].BetAfterDraw = betAfter;
    Seat(g, {"The Boss", "Susan"}, {1000, 1000}, 2);
    // Susan holds nothing: she throws her lowest card in each draw, one at a time.
    const std::vector<CardNumber> susan{C(1, 'S'), C(3, 'H'), C(6, 'C'), C(9, 'D'), C(11, 'S')};
    Ready(DealtAs({{C(5, 'S'), C(5, 'H'), C(5, 'D'), C(8, 'C'), C(8, 'S')}, susan},
                  {C(13, 'D'), C(12, 'D')}),
          true);
    host.Keys(betAfter ? "Enter C Enter C Enter N" : "Enter Enter Enter N");
    Play();
    EXPECT_EQ(CountSaid("You may draw up to 1 cards"), 2) << host.Transcript();
    EXPECT_EQ(CountSaid("Susan draws 1 cards."), 2) << host.Transcript();
    EXPECT_EQ(CountSaid("The Boss bets first."), betAfter ? 2 : 0) << host.Transcript();
    // First the Three went for the King, then the Six for the Queen.
    EXPECT_EQ(HandCards(2, 5),
              (std::vector<CardNumber>{C(1, 'S'), C(13, 'D'), C(12, 'D'), C(9, 'D'), C(11, 'S')}));
    EXPECT_EQ(hand.DrawsLeft, 0);
    EXPECT_FALSE(ended);
    EXPECT_TRUE(SaidContaining("The Boss wins this hand with Full house")) << host.Transcript();
  }
}

// Kings and Little Ones: a bot never throws its wild cards, its own little one included.
TEST_F(DrawRoundTest, ABotNeverThrowsItsWildCards) {
  Seat(Builtin(kKingsAndLittleOnes), {"The Boss", "Susan"}, {1000, 1000}, 2);
  const std::vector<CardNumber> susan{C(13, 'S'), C(2, 'H'), C(7, 'C'), C(9, 'D'), C(11, 'S')};
  Ready(DealtAs({{C(5, 'S'), C(5, 'H'), C(5, 'D'), C(8, 'C'), C(8, 'S')}, susan},
                {C(4, 'D'), C(10, 'D'), C(12, 'S')}),
        true);
  host.Keys("C Enter C Enter N");
  Play();
  EXPECT_TRUE(Said("Susan draws 3 cards.")) << host.Transcript();
  EXPECT_EQ(HandCards(2, 5),
            (std::vector<CardNumber>{C(13, 'S'), C(2, 'H'), C(4, 'D'), C(10, 'D'), C(12, 'S')}));
}

// A custom game with deuces wild: the bot keeps its Two although that leaves it only two cards to
// throw of the three allowed.
TEST_F(DrawRoundTest, ACustomWildCardIsKeptWhenFewerKickersRemain) {
  Seat(DeucesWildDraw(), {"The Boss", "Susan"}, {1000, 1000}, 2);
  const std::vector<CardNumber> susan{C(2, 'S'), C(8, 'H'), C(8, 'C'), C(5, 'D'), C(11, 'S')};
  Ready(DealtAs({{C(6, 'S'), C(6, 'H'), C(6, 'D'), C(9, 'C'), C(9, 'S')}, susan},
                {C(8, 'D'), C(3, 'C')}),
        true);
  host.Keys("C Enter C Enter N");
  Play();
  EXPECT_TRUE(Said("Susan draws 2 cards.")) << host.Transcript();
  EXPECT_EQ(HandCards(2, 5),
            (std::vector<CardNumber>{C(2, 'S'), C(8, 'H'), C(8, 'C'), C(8, 'D'), C(3, 'C')}));
  // Her Two makes four Eights, which beat the Boss's full house.
  EXPECT_TRUE(SaidContaining("Susan wins this hand with Four of a kind")) << host.Transcript();
}

}  // namespace
}  // namespace corvane::testing
