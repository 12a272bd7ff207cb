#include "table/builtin_games.h"

namespace corvane {

namespace {

// Seven Card Stud's rounds, shared with Follow the Queen.
constexpr std::array<BuiltinRound, kMaxRounds> kStudSevenRounds{{
    {"The first two card rounds are dealt facedown."},
    {"Next face down card."},
    {"The next four card rounds are dealt face up.", true, true},
    {"Next face up card.", true, true},
    {"Next face up card.", true, true},
    {"Next face up card.", true, true},
    {"The last card round is dealt face down.", true},
}};

// Five Card Draw's rounds, shared with Kings and Little Ones: one draw of at most three cards
// after the fifth card, with betting before and after it.
constexpr std::array<BuiltinRound, kMaxRounds> kDrawFiveRounds{{
    {"The 5 cards are dealt facedown."},
    {},
    {},
    {},
    {"", true, false, false, 1, 3, true},
    {},
    {},
}};

constexpr std::array<BuiltinGame, 6> kGames{{
    {kSevenCardStud, "Seven Card Stud", 7, false, true, true, false, true, kStudSevenRounds},
    {kFiveCardDraw, "Five Card Draw Poker", 5, false, false, false, false, true, kDrawFiveRounds},
    {kFiveCardStud,
     "Five Card Stud Poker",
     5,
     false,
     true,
     true,
     false,
     true,
     {{
         {"The first card round is dealt facedown."},
         {"The next four card rounds are dealt face up.", true, true},
         {"", false, true},
         {"", true, true},
         {"", true, true},
         {},
         {},
     }}},
    {kKingsAndLittleOnes, "Kings and Little Ones", 5, true, false, false, false, true,
     kDrawFiveRounds},
    {kFollowTheQueen, "Follow the Queen Stud Poker", 7, true, true, true, false, true,
     kStudSevenRounds},
    {kTexasHoldem,
     "Texas Holdem",
     7,
     false,
     true,
     false,
     true,
     false,
     {{
         {"The first two card rounds are dealt facedown."},
         {"", true},
         {"The next three cards are the flop.", false, true, true},
         {"", false, true, true},
         {"", true, true, true},
         {"The next card is the return.", true, true, true},
         {"The last card is the river.", true, true, true},
     }}},
}};

}  // namespace

const BuiltinGame* FindBuiltinGame(int gameCode) {
  for (const BuiltinGame& g : kGames) {
    if (g.GameCode == gameCode) return &g;
  }
  return nullptr;
}

}  // namespace corvane
