#include "table/load_game_definition.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "gam_bytes.h"
#include "table/builtin_games.h"

namespace corvane {
namespace {

using testing::GamBytes;

std::string WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

TEST(LoadGameDefinition, SevenCardStud) {
  GameDefinition g;
  ASSERT_TRUE(LoadGameDefinition(g, kSevenCardStud, ""));
  EXPECT_EQ(g.GameCode, 11);
  EXPECT_EQ(g.GameName, "Seven Card Stud");
  EXPECT_EQ(g.RoundCount, 7);
  EXPECT_TRUE(g.HasFaceUp);
  EXPECT_TRUE(g.HighShowingBetsFirst);
  EXPECT_TRUE(g.HasAnte);
  EXPECT_FALSE(g.HasWildCards);
  EXPECT_FALSE(g.HasShared);
  EXPECT_EQ(g.Rounds[1].Announcement, "The first two card rounds are dealt facedown.");
  EXPECT_EQ(g.Rounds[2].Announcement, "Next face down card.");
  EXPECT_EQ(g.Rounds[3].Announcement, "The next four card rounds are dealt face up.");
  EXPECT_EQ(g.Rounds[7].Announcement, "The last card round is dealt face down.");
  const bool faceUp[] = {false, false, true, true, true, true, false};
  const bool betting[] = {false, false, true, true, true, true, true};
  for (int r = 1; r <= 7; ++r) {
    EXPECT_EQ(g.Rounds[static_cast<std::size_t>(r)].FaceUp, faceUp[r - 1]) << r;
    EXPECT_EQ(g.Rounds[static_cast<std::size_t>(r)].Betting, betting[r - 1]) << r;
  }
}

TEST(LoadGameDefinition, FiveCardDrawAfterSevenCardStudLeavesRoundsSixAndSevenEmpty) {
  GameDefinition g;
  ASSERT_TRUE(LoadGameDefinition(g, kSevenCardStud, ""));
  ASSERT_TRUE(LoadGameDefinition(g, kFiveCardDraw, ""));
  EXPECT_EQ(g.GameName, "Five Card Draw Poker");
  EXPECT_EQ(g.RoundCount, 5);
  EXPECT_FALSE(g.HasFaceUp);
  EXPECT_FALSE(g.HighShowingBetsFirst);
  for (int r = 6; r <= 7; ++r) {
    const CardRound& round = g.Rounds[static_cast<std::size_t>(r)];
    EXPECT_EQ(round.Announcement, "");
    EXPECT_FALSE(round.Betting || round.FaceUp || round.Shared || round.BetAfterDraw);
  }
  EXPECT_EQ(g.Rounds[1].Announcement, "The 5 cards are dealt facedown.");
  EXPECT_TRUE(g.Rounds[5].Betting);
  EXPECT_EQ(g.Rounds[5].Draws, 1);
  EXPECT_EQ(g.Rounds[5].MaxDrawCards, 3);
  EXPECT_TRUE(g.Rounds[5].BetAfterDraw);
  EXPECT_FALSE(g.Rounds[3].FaceUp);
}

TEST(LoadGameDefinition, FiveCardStudBetsAfterRoundsTwoFourAndFive) {
  GameDefinition g;
  ASSERT_TRUE(LoadGameDefinition(g, kFiveCardStud, ""));
  EXPECT_EQ(g.GameName, "Five Card Stud Poker");
  EXPECT_EQ(g.Rounds[1].Announcement, "The first card round is dealt facedown.");
  EXPECT_EQ(g.Rounds[2].Announcement, "The next four card rounds are dealt face up.");
  const bool betting[] = {false, true, false, true, true};
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(g.Rounds[static_cast<std::size_t>(r)].Betting, betting[r - 1]) << r;
    EXPECT_EQ(g.Rounds[static_cast<std::size_t>(r)].FaceUp, r >= 2) << r;
  }
}

TEST(LoadGameDefinition, WildCardGamesAndTexasHoldem) {
  GameDefinition g;
  ASSERT_TRUE(LoadGameDefinition(g, kKingsAndLittleOnes, ""));
  EXPECT_EQ(g.GameName, "Kings and Little Ones");
  EXPECT_TRUE(g.HasWildCards);
  EXPECT_EQ(g.Rounds[5].Draws, 1);
  ASSERT_TRUE(LoadGameDefinition(g, kFollowTheQueen, ""));
  EXPECT_EQ(g.GameName, "Follow the Queen Stud Poker");
  EXPECT_TRUE(g.HasWildCards);
  EXPECT_TRUE(g.Rounds[6].FaceUp);
  EXPECT_EQ(g.Rounds[5].Draws, 0);
  ASSERT_TRUE(LoadGameDefinition(g, kTexasHoldem, ""));
  EXPECT_EQ(g.GameName, "Texas Holdem");
  EXPECT_FALSE(g.HasAnte);
  EXPECT_FALSE(g.HasWildCards);
  EXPECT_FALSE(g.HighShowingBetsFirst);
  EXPECT_TRUE(g.HasShared);
  EXPECT_EQ(g.Rounds[3].Announcement, "The next three cards are the flop.");
  EXPECT_EQ(g.Rounds[6].Announcement, "The next card is the return.");
  EXPECT_EQ(g.Rounds[7].Announcement, "The last card is the river.");
  const bool betting[] = {false, true, false, false, true, true, true};
  for (int r = 1; r <= 7; ++r) {
    const CardRound& round = g.Rounds[static_cast<std::size_t>(r)];
    EXPECT_EQ(round.Betting, betting[r - 1]) << r;
    EXPECT_EQ(round.FaceUp, r >= 3) << r;
    EXPECT_EQ(round.Shared, r >= 3) << r;
  }
}

TEST(LoadGameDefinition, BuiltInGamesKeepTheCustomWildCardsAndDescription) {
  GameDefinition g;
  g.WildCount = 2;
  g.WildCards[1] = 5;
  g.WildCards[2] = 18;
  g.Description[1] = "old line";
  g.DescriptionCount = 1;
  g.Rounds[0].MaxDrawCards = 16;
  ASSERT_TRUE(LoadGameDefinition(g, kFiveCardStud, ""));
  EXPECT_EQ(g.WildCount, 2);
  EXPECT_EQ(g.WildCards[2], 18);
  EXPECT_EQ(g.Description[1], "old line");
  EXPECT_EQ(g.DescriptionCount, 1);
  EXPECT_EQ(g.Rounds[0].MaxDrawCards, 16);
}

TEST(LoadGameDefinition, CustomGameFromItsFile) {
  GamBytes b;
  b.Text(" Midnight Baseball ").Int(2).Int(-1).Int(-1).Int(0).Int(0).Int(0).Int(2).Int(9).Int(22);
  b.Round(" Down ", 0, 0, 0, 0, 0, 0).Round("Up", -1, -1, 0, 0, 0, 0).Int(1).Text("Nines wild.");
  const std::string path = WriteFile("corvane_load_custom.gam", b.Bytes());
  GameDefinition g;
  ASSERT_TRUE(LoadGameDefinition(g, kSevenCardStud, ""));
  ASSERT_TRUE(LoadGameDefinition(g, kCustomGame, path));
  EXPECT_EQ(g.GameCode, kCustomGame);
  EXPECT_EQ(g.GameName, "Midnight Baseball");
  EXPECT_EQ(g.RoundCount, 2);
  EXPECT_TRUE(g.HasWildCards);
  EXPECT_FALSE(g.HighShowingBetsFirst);
  EXPECT_FALSE(g.HasAnte);
  EXPECT_EQ(g.WildCount, 2);
  EXPECT_EQ(g.WildCards[1], 9);
  EXPECT_EQ(g.WildCards[2], 22);
  EXPECT_EQ(g.Rounds[1].Announcement, "Down");
  EXPECT_TRUE(g.Rounds[2].FaceUp);
  EXPECT_EQ(g.Rounds[3].Announcement, "");
  EXPECT_FALSE(g.Rounds[3].FaceUp);
  EXPECT_EQ(g.DescriptionCount, 1);
  EXPECT_EQ(g.Description[1], "Nines wild." + std::string(109, ' '));
  std::remove(path.c_str());
}

TEST(LoadGameDefinition, DamagedOrMissingFileLeavesTheGameAsItWas) {
  GameDefinition g;
  ASSERT_TRUE(LoadGameDefinition(g, kTexasHoldem, ""));
  const GameDefinition before = g;
  GamBytes b;
  b.Text("Broken").Int(9).Int(0).Int(0).Int(0).Int(0).Int(0);
  const std::string path = WriteFile("corvane_load_damaged.gam", b.Bytes());
  EXPECT_FALSE(LoadGameDefinition(g, kCustomGame, path));
  EXPECT_FALSE(LoadGameDefinition(g, kCustomGame, path + ".missing"));
  EXPECT_FALSE(LoadGameDefinition(g, 17, ""));
  EXPECT_FALSE(LoadGameDefinition(g, kNoGame, ""));
  EXPECT_EQ(g.GameCode, before.GameCode);
  EXPECT_EQ(g.GameName, before.GameName);
  EXPECT_EQ(g.HasShared, before.HasShared);
  EXPECT_EQ(g.Rounds[7].Announcement, before.Rounds[7].Announcement);
  std::remove(path.c_str());
}

TEST(BuiltinGames, SixGamesWithTheirCodes) {
  ASSERT_EQ(BuiltinGames().size(), 6u);
  for (int code = 11; code <= 16; ++code) EXPECT_NE(FindBuiltinGame(code), nullptr) << code;
  EXPECT_EQ(FindBuiltinGame(30), nullptr);
}

}  // namespace
}  // namespace corvane
