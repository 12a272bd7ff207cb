// The built-in games the engine tests play, written out as their rules give them.
#pragma once

#include "table/game_definition.h"
#include "table/load_game_definition.h"

namespace corvane::testing {

inline GameDefinition SevenCardStud() {
  GameDefinition g;
  g.GameCode = kSevenCardStud;
  g.GameName = "Seven Card Stud";
  g.RoundCount = 7;
  g.HasFaceUp = true;
  g.HighShowingBetsFirst = true;
  g.HasAnte = true;
  g.Rounds[1].Announcement = "The first two card rounds are dealt facedown.";
  g.Rounds[2].Announcement = "Next face down card.";
  g.Rounds[3].Announcement = "The next four card rounds are dealt face up.";
  for (int r = 3; r <= 6; ++r) {
    g.Rounds[r].FaceUp = true;
    g.Rounds[r].Betting = true;
    if (r > 3) g.Rounds[r].Announcement = "Next face up card.";
  }
  g.Rounds[7].Betting = true;
  g.Rounds[7].Announcement = "The last card round is dealt face down.";
  return g;
}

inline GameDefinition FiveCardStud() {
  GameDefinition g;
  g.GameCode = kFiveCardStud;
  g.GameName = "Five Card Stud Poker";
  g.RoundCount = 5;
  g.HasFaceUp = true;
  g.HighShowingBetsFirst = true;
  g.HasAnte = true;
  g.Rounds[1].Announcement = "The first card round is dealt facedown.";
  g.Rounds[2].Announcement = "The next four card rounds are dealt face up.";
  for (int r = 2; r <= 5; ++r) g.Rounds[r].FaceUp = true;
  g.Rounds[2].Betting = true;
  g.Rounds[4].Betting = true;
  g.Rounds[5].Betting = true;
  return g;
}

inline GameDefinition TexasHoldem() {
  GameDefinition g;
  g.GameCode = kTexasHoldem;
  g.GameName = "Texas Holdem";
  g.RoundCount = 7;
  g.HasFaceUp = true;
  g.HasShared = true;
  g.HasAnte = false;
  g.HighShowingBetsFirst = false;
  g.Rounds[1].Announcement = "The first two card rounds are dealt facedown.";
  g.Rounds[2].Betting = true;
  g.Rounds[3].Announcement = "The next three cards are the flop.";
  for (int r = 3; r <= 7; ++r) {
    g.Rounds[r].FaceUp = true;
    g.Rounds[r].Shared = true;
  }
  g.Rounds[5].Betting = true;
  g.Rounds[6].Betting = true;
  g.Rounds[6].Announcement = "The next card is the return.";
  g.Rounds[7].Betting = true;
  g.Rounds[7].Announcement = "The last card is the river.";
  return g;
}

// A built-in game as the game selection loads it.
inline GameDefinition Builtin(int gameCode) {
  GameDefinition g;
  LoadGameDefinition(g, gameCode, "");
  return g;
}

// A custom game of five cards dealt face down, deuces wild, with one draw of up to three cards
// and betting before and after it.
inline GameDefinition DeucesWildDraw() {
  GameDefinition g;
  g.GameCode = kCustomGame;
  g.GameName = "Deuces Wild Draw";
  g.RoundCount = 5;
  g.HasWildCards = true;
  g.WildCount = 4;
  for (int k = 0; k < 4; ++k) g.WildCards[static_cast<std::size_t>(k + 1)] = MakeCard(k + 1, 2);
  g.Rounds[5].Betting = true;
  g.Rounds[5].Draws = 1;
  g.Rounds[5].MaxDrawCards = 3;
  g.Rounds[5].BetAfterDraw = true;
  return g;
}

}  // namespace corvane::testing
