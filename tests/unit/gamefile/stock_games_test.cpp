// The stock custom games that the build writes into the program folder: each file is there, reads
// back as the game it names, and holds the rules and wild cards of its design.
#include <gtest/gtest.h>

#include <string>

#include "gam_bytes.h"
#include "table/card.h"
#include "table/gam_file.h"

namespace corvane {
namespace {

using testing::GamBytes;

const std::string kProgramFolder = CORVANE_PROGRAM_FOLDER;

GameDefinition ReadStockGame(const std::string& name) {
  const std::string path = kProgramFolder + name + ".gam";
  const auto bytes = ReadWholeFile(path);
  EXPECT_TRUE(bytes) << "missing stock game " << path;
  if (!bytes) return {};
  const auto game = ParseGam(*bytes);
  EXPECT_TRUE(game) << "damaged stock game " << path;
  if (!game) return {};
  // Nothing is lost or added on the way: the file is exactly what the game writes back.
  EXPECT_EQ(SerializeGam(*game), *bytes) << path;
  EXPECT_EQ(game->GameName, name);
  EXPECT_GE(game->DescriptionCount, 3) << path;
  for (int i = 1; i <= game->DescriptionCount; ++i) {
    EXPECT_NE(game->Description[static_cast<std::size_t>(i)].find_first_not_of(' '),
              std::string::npos)
        << path << " description line " << i;
  }
  return *game;
}

TEST(StockGames, TwosWildDrawIsByteForByteFiveCardDrawWithTheTwosWild) {
  GamBytes b;
  b.Text("Twos Wild Draw").Int(5).Int(-1).Int(0).Int(0).Int(0).Int(-1);
  b.Int(4).Int(2).Int(15).Int(28).Int(41);
  b.Round("Five cards are dealt face down. Every Two is wild.", 0, 0, 0, 0, 0, 0);
  b.Round("", 0, 0, 0, 0, 0, 0);
  b.Round("", 0, 0, 0, 0, 0, 0);
  b.Round("", 0, 0, 0, 0, 0, 0);
  b.Round("", -1, 0, 0, 1, 4, -1);
  b.Int(4);
  b.Text("Five card draw with every Two wild.");
  b.Text("Each player is dealt five cards face down, and a round of betting follows.");
  b.Text(
      "Then everyone may throw away up to four cards and draw new ones; another round of betting.");
  b.Text(
      "A wild Two stands for any card, so hands run high: think twice before calling on one pair.");
  const auto file = ReadWholeFile(kProgramFolder + "Twos Wild Draw.gam");
  ASSERT_TRUE(file);
  EXPECT_EQ(*file, b.Bytes());
  ReadStockGame("Twos Wild Draw");
}

TEST(StockGames, WinkingJacksIsSevenCardStudWithTheJacksOfSpadesAndHeartsWild) {
  const GameDefinition game = ReadStockGame("Winking Jacks");
  EXPECT_EQ(game.RoundCount, 7);
  ASSERT_TRUE(game.HasWildCards);
  ASSERT_EQ(game.WildCount, 2);
  EXPECT_EQ(game.WildCards[1], MakeCard(1, 11));
  EXPECT_EQ(game.WildCards[2], MakeCard(2, 11));
  EXPECT_EQ(CardName(game.WildCards[1], 0), "Jack of Spades");
  EXPECT_EQ(CardName(game.WildCards[2], 0), "Jack of Hearts");
  EXPECT_TRUE(game.HasFaceUp);
  EXPECT_TRUE(game.HighShowingBetsFirst);
  EXPECT_FALSE(game.HasShared);
  EXPECT_TRUE(game.HasAnte);
  const bool faceUp[] = {false, false, false, true, true, true, true, false};
  const bool betting[] = {false, false, false, true, true, true, true, true};
  for (int r = 1; r <= 7; ++r) {
    EXPECT_EQ(game.Rounds[r].FaceUp, faceUp[r]) << "round " << r;
    EXPECT_EQ(game.Rounds[r].Betting, betting[r]) << "round " << r;
    EXPECT_FALSE(game.Rounds[r].Shared) << "round " << r;
    EXPECT_EQ(game.Rounds[r].Draws, 0) << "round " << r;
  }
  EXPECT_FALSE(game.Rounds[1].Announcement.empty());
}

TEST(StockGames, VillageGreenEndsWithTwoFaceUpCommunityCards) {
  const GameDefinition game = ReadStockGame("Village Green");
  EXPECT_EQ(game.RoundCount, 6);
  EXPECT_FALSE(game.HasWildCards);
  EXPECT_TRUE(game.HasFaceUp);
  EXPECT_TRUE(game.HighShowingBetsFirst);
  EXPECT_TRUE(game.HasShared);
  EXPECT_TRUE(game.HasAnte);
  const bool faceUp[] = {false, false, false, true, true, true, true};
  const bool shared[] = {false, false, false, false, false, true, true};
  const bool betting[] = {false, false, false, true, true, true, true};
  for (int r = 1; r <= 6; ++r) {
    EXPECT_EQ(game.Rounds[r].FaceUp, faceUp[r]) << "round " << r;
    EXPECT_EQ(game.Rounds[r].Shared, shared[r]) << "round " << r;
    EXPECT_EQ(game.Rounds[r].Betting, betting[r]) << "round " << r;
    EXPECT_EQ(game.Rounds[r].Draws, 0) << "round " << r;
  }
  EXPECT_EQ(game.Rounds[5].Announcement, "The first card on the village green.");
}

}  // namespace
}  // namespace corvane
