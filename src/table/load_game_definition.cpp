#include "table/load_game_definition.h"

#include "table/builtin_games.h"
#include "table/gam_file.h"

namespace corvane {

void ClearGameRounds(GameDefinition& game) {
  for (int r = 1; r <= kMaxRounds; ++r) game.Rounds[static_cast<std::size_t>(r)] = CardRound{};
  game.HasWildCards = false;
  game.HasFaceUp = false;
  game.HighShowingBetsFirst = false;
  game.HasShared = false;
  game.HasAnte = true;
}

bool LoadGameDefinition(GameDefinition& game, int gameCode, const std::string& gameFile) {
  if (gameCode == kCustomGame) {
    const std::optional<GameDefinition> custom = ReadGamFile(gameFile);
    if (!custom) return false;
    ClearGameRounds(game);
    game.GameCode = kCustomGame;
    game.GameName = custom->GameName;
    game.RoundCount = custom->RoundCount;
    game.HasWildCards = custom->HasWildCards;
    game.HasFaceUp = custom->HasFaceUp;
    game.HighShowingBetsFirst = custom->HighShowingBetsFirst;
    game.HasShared = custom->HasShared;
    game.HasAnte = custom->HasAnte;
    if (custom->HasWildCards) {
      game.WildCount = custom->WildCount;
      game.WildCards = custom->WildCards;
    }
    for (int r = 1; r <= custom->RoundCount; ++r) {
      game.Rounds[static_cast<std::size_t>(r)] = custom->Rounds[static_cast<std::size_t>(r)];
    }
    game.DescriptionCount = custom->DescriptionCount;
    for (int i = 1; i <= custom->DescriptionCount; ++i) {
      game.Description[static_cast<std::size_t>(i)] =
          custom->Description[static_cast<std::size_t>(i)];
    }
    return true;
  }

  const BuiltinGame* builtin = FindBuiltinGame(gameCode);
  if (builtin == nullptr) return false;
  ClearGameRounds(game);
  game.GameCode = builtin->GameCode;
  game.GameName = std::string(builtin->GameName);
  game.RoundCount = builtin->RoundCount;
  game.HasWildCards = builtin->HasWildCards;
  game.HasFaceUp = builtin->HasFaceUp;
  game.HighShowingBetsFirst = builtin->HighShowingBetsFirst;
  game.HasShared = builtin->HasShared;
  game.HasAnte = builtin->HasAnte;
  for (int r = 1; r <= builtin->RoundCount; ++r) {
    const BuiltinRound& from = builtin->Rounds[static_cast<std::size_t>(r - 1)];
    CardRound& to = game.Rounds[static_cast<std::size_t>(r)];
    to.Announcement = std::string(from.Announcement);
    to.Betting = from.Betting;
    to.FaceUp = from.FaceUp;
    to.Shared = from.Shared;
    to.Draws = from.Draws;
    to.MaxDrawCards = from.MaxDrawCards;
    to.BetAfterDraw = from.BetAfterDraw;
  }
  return true;
}

}  // namespace corvane
