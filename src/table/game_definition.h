// The rules of one poker game: a few game-wide switches, the wild cards and up to seven card
// rounds, one for each card every player receives.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "table/card.h"

namespace corvane {

// Game codes: 0 none, 11..16 the built-in games, 30 a custom game.
enum GameCodes : std::int16_t {
  kNoGame = 0,
  kSevenCardStud = 11,
  kFiveCardDraw = 12,
  kFiveCardStud = 13,
  kKingsAndLittleOnes = 14,
  kFollowTheQueen = 15,
  kTexasHoldem = 16,
  kCustomGame = 30,
};

inline constexpr int kMaxRounds = 7;
inline constexpr int kMaxWildCards = 16;
inline constexpr int kMaxDescriptionLines = 20;

// One card round; every array of the game is indexed from 1 and has room for entry 0.
struct CardRound {
  std::string Announcement;
  bool Betting = false;
  bool FaceUp = false;
  bool Shared = false;
  std::int16_t Draws = 0;
  std::int16_t MaxDrawCards = 0;
  bool BetAfterDraw = false;
};

struct GameDefinition {
  std::int16_t GameCode = kNoGame;
  std::string GameName;
  std::int16_t RoundCount = 0;
  bool HasWildCards = false;
  std::int16_t WildCount = 0;
  std::array<CardNumber, kMaxWildCards + 1> WildCards{};
  bool HasFaceUp = false;
  bool HighShowingBetsFirst = false;
  bool HasShared = false;
  bool HasAnte = true;
  // Entry 0 is not part of any game.
  std::array<CardRound, kMaxRounds + 1> Rounds{};
  std::array<std::string, kMaxDescriptionLines + 1> Description{};
  std::int16_t DescriptionCount = 0;
};

}  // namespace corvane
