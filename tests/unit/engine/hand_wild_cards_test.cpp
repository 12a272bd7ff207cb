// The wild cards of one hand, one row each: the Kings and the seat's own lowest rank, the Queens
// and the rank that followed the last face-up Queen, a custom game's own list, and none elsewhere.
#include "engine/hand_wild_cards.h"

#include <gtest/gtest.h>

#include "support/cards.h"
#include "table/load_game_definition.h"

namespace corvane::testing {
namespace {

TEST(HandWildCards, WildCardsOfEachGame) {
  const struct {
    int game;
    const char* cards;
    int followRank;
    bool fixedOnly;
    const char* wilds;
  } rows[] = {
      {kKingsAndLittleOnes, "9s 4h Ac Kd 7s", 0, false, "Ks Kh Kc Kd 4s 4h 4c 4d"},
      {kKingsAndLittleOnes, "9s 6h Tc Qd 7s", 0, false, "Ks Kh Kc Kd 6s 6h 6c 6d"},
      // An Ace or a King is never the little one.
      {kKingsAndLittleOnes, "As Kh Ac Kd Ah", 0, false, "Ks Kh Kc Kd Ks Kh Kc Kd"},
      {kKingsAndLittleOnes, "As Qh Ac Kd Ah", 0, false, "Ks Kh Kc Kd Qs Qh Qc Qd"},
      {kKingsAndLittleOnes, "2s 4h 5c", 0, true, "Ks Kh Kc Kd"},
      {kFollowTheQueen, "2s 4h 5c", 0, false, "Qs Qh Qc Qd"},
      {kFollowTheQueen, "2s 4h 5c", 7, false, "Qs Qh Qc Qd 7s 7h 7c 7d"},
      {kCustomGame, "2s", 0, false, "2s 2h Jd"},
      // A list left over from a custom game means nothing to the other games.
      {kSevenCardStud, "2s Kh Qc", 7, false, ""},
      {kFiveCardDraw, "2s Kh Qc", 7, false, ""},
      {kFiveCardStud, "2s Kh Qc", 7, false, ""},
      {kTexasHoldem, "2s Kh Qc", 7, false, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cards);
    GameDefinition game;
    game.WildCount = 3;
    game.WildCards = {0, MakeCard(1, 2), MakeCard(2, 2), MakeCard(4, 11)};
    if (row.game == kCustomGame) {
      game.GameCode = kCustomGame;
      game.HasWildCards = true;
    } else {
      ASSERT_TRUE(LoadGameDefinition(game, row.game, ""));
    }
    HandSlots hand{};
    const std::vector<CardNumber> cards = Cards(row.cards);
    std::copy(cards.begin(), cards.end(), hand.begin() + 1);
    const HandWilds wilds = WildCardsOfHand(game, hand, row.followRank, row.fixedOnly);
    const std::vector<CardNumber> expected = Cards(row.wilds);
    EXPECT_EQ(wilds.count, static_cast<int>(expected.size()));
    EXPECT_EQ(
        std::vector<CardNumber>(wilds.cards.begin() + 1, wilds.cards.begin() + 1 + wilds.count),
        expected);
    EXPECT_TRUE(std::all_of(wilds.cards.begin() + 1 + wilds.count, wilds.cards.end(),
                            [](CardNumber c) { return c == 0; }));
  }
}

}  // namespace
}  // namespace corvane::testing
