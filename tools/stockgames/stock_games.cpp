#include "stock_games.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "table/builtin_games.h"
#include "table/card.h"
#include "table/gam_file.h"

namespace corvane {

namespace {

struct StockGame {
  std::string_view GameName;
  std::int16_t RoundCount;
  bool HasFaceUp;
  bool HighShowingBetsFirst;
  bool HasShared;
  bool HasAnte;
  std::span<const CardNumber> WildCards;        // none: the game has no wild cards
  std::array<BuiltinRound, kMaxRounds> Rounds;  // rounds 1..7 at indexes 0..6
  std::span<const std::string_view> Description;
};

// The four Twos, in card order.
constexpr std::array<CardNumber, 4> kDeuces{MakeCard(1, 2), MakeCard(2, 2), MakeCard(3, 2),
                                            MakeCard(4, 2)};
constexpr std::array<std::string_view, 4> kDeucesText{
    "Five card draw with every Two wild.",
    "Each player is dealt five cards face down, and a round of betting follows.",
    "Then everyone may throw away up to four cards and draw new ones; another round of betting.",
    "A wild Two stands for any card, so hands run high: think twice before calling on one pair.",
};

// The one-eyed jacks: the Jack of Spades and the Jack of Hearts.
constexpr std::array<CardNumber, 2> kOneEyedJacks{MakeCard(1, 11), MakeCard(2, 11)};
constexpr std::array<std::string_view, 4> kOneEyedJacksText{
    "Seven card stud where the one-eyed jacks, the Jack of Spades and the Jack of Hearts, are "
    "wild.",
    "Two cards are dealt face down, then four face up, then the last one face down.",
    "A round of betting follows the third card and every card after it; the best hand showing "
    "opens.",
    "Make the best five card hand out of your seven cards.",
};

constexpr std::array<std::string_view, 5> kVillageGreenText{
    "A stud game with two community cards and no wild cards.",
    "Each player is dealt two cards face down and two face up, with betting after each face up "
    "card.",
    "Then two cards are turned up on the village green, one at a time: they belong to every hand.",
    "A round of betting follows each of them; the best hand showing always opens.",
    "Make the best five card hand out of your four cards and the two on the green.",
};

constexpr std::array<StockGame, 3> kStockGames{{
    {"Twos Wild Draw",
     5,
     false,
     false,
     false,
     true,
     kDeuces,
     {{
         {"Five cards are dealt face down. Every Two is wild."},
         {},
         {},
         {},
         {"", true, false, false, 1, 4, true},
         {},
         {},
     }},
     kDeucesText},
    {"Winking Jacks",
     7,
     true,
     true,
     false,
     true,
     kOneEyedJacks,
     {{
         {"Two cards are dealt face down. The one-eyed jacks are wild."},
         {},
         {"Four cards are dealt face up.", true, true},
         {"Next card face up.", true, true},
         {"Next card face up.", true, true},
         {"Last card face up.", true, true},
         {"The last card is dealt face down.", true},
     }},
     kOneEyedJacksText},
    {"Village Green",
     6,
     true,
     true,
     true,
     true,
     {},
     {{
         {"Two cards are dealt face down."},
         {},
         {"Two cards are dealt face up.", true, true},
         {"", true, true},
         {"The first card on the village green.", true, true, true},
         {"The last card on the village green.", true, true, true},
         {},
     }},
     kVillageGreenText},
}};

// A text field of the file holds 120 bytes: every text of the stock games fits whole.
constexpr bool FitsTextField(std::string_view text) {
  return text.size() <= kGamTextSize;
}
constexpr bool AllTextsFit() {
  for (const StockGame& g : kStockGames) {
    if (!FitsTextField(g.GameName)) return false;
    for (const BuiltinRound& r : g.Rounds) {
      if (!FitsTextField(r.Announcement)) return false;
    }
    for (std::string_view line : g.Description) {
      if (!FitsTextField(line)) return false;
    }
  }
  return true;
}
static_assert(AllTextsFit());

constexpr bool AllCountsFit() {
  for (const StockGame& g : kStockGames) {
    if (g.RoundCount < 1 || g.RoundCount > kMaxRounds) return false;
    if (g.WildCards.size() > kMaxWildCards) return false;
    if (g.Description.size() > kMaxDescriptionLines) return false;
  }
  return true;
}
static_assert(AllCountsFit());

GameDefinition ToDefinition(const StockGame& stock) {
  GameDefinition game;
  game.GameCode = kCustomGame;
  game.GameName = std::string(stock.GameName);
  game.RoundCount = stock.RoundCount;
  game.HasWildCards = !stock.WildCards.empty();
  game.WildCount = static_cast<std::int16_t>(stock.WildCards.size());
  for (std::size_t i = 0; i < stock.WildCards.size(); ++i) {
    game.WildCards[i + 1] = stock.WildCards[i];
  }
  game.HasFaceUp = stock.HasFaceUp;
  game.HighShowingBetsFirst = stock.HighShowingBetsFirst;
  game.HasShared = stock.HasShared;
  game.HasAnte = stock.HasAnte;
  for (int r = 1; r <= stock.RoundCount; ++r) {
    const BuiltinRound& from = stock.Rounds[static_cast<std::size_t>(r - 1)];
    CardRound& to = game.Rounds[static_cast<std::size_t>(r)];
    to.Announcement = std::string(from.Announcement);
    to.Betting = from.Betting;
    to.FaceUp = from.FaceUp;
    to.Shared = from.Shared;
    to.Draws = from.Draws;
    to.MaxDrawCards = from.MaxDrawCards;
    to.BetAfterDraw = from.BetAfterDraw;
  }
  game.DescriptionCount = static_cast<std::int16_t>(stock.Description.size());
  for (std::size_t i = 0; i < stock.Description.size(); ++i) {
    game.Description[i + 1] = std::string(stock.Description[i]);
  }
  return game;
}

}  // namespace

std::vector<GameDefinition> StockGames() {
  std::vector<GameDefinition> games;
  for (const StockGame& stock : kStockGames) games.push_back(ToDefinition(stock));
  return games;
}

}  // namespace corvane
