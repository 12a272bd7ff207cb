// The six built-in games as constant data.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "table/game_definition.h"

namespace corvane {

struct BuiltinRound {
  std::string_view Announcement;
  bool Betting = false;
  bool FaceUp = false;
  bool Shared = false;
  std::int16_t Draws = 0;
  std::int16_t MaxDrawCards = 0;
  bool BetAfterDraw = false;
};

struct BuiltinGame {
  GameCodes GameCode;
  std::string_view GameName;
  std::int16_t RoundCount;
  bool HasWildCards;
  bool HasFaceUp;
  bool HighShowingBetsFirst;
  bool HasShared;
  bool HasAnte;
  std::array<BuiltinRound, kMaxRounds> Rounds;  // rounds 1..7 at indexes 0..6
};

// The built-in game of a code 11..16, or null.
const BuiltinGame* FindBuiltinGame(int gameCode);

}  // namespace corvane
