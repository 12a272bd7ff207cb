#include "table/gam_file.h"

#include <gtest/gtest.h>

#include <random>

#include "gam_bytes.h"

namespace corvane {
namespace {

using testing::GamBytes;

GamBytes NoWildGame() {
  GamBytes b;
  b.Text("  Baseball  ").Int(3).Int(0).Int(-1).Int(-1).Int(0).Int(-1);
  b.Round("First card down.  ", 0, 0, 0, 0, 0, 0);
  b.Round("", -1, -1, 0, 2, 3, -1);
  b.Round("   Last card.", -1, -1, 0, -1, 0, 0);
  b.Int(2).Text("Nines are wild in spirit.").Text("Line two");
  return b;
}

TEST(ParseGam, GameWithoutWildCardsHasRoundsRightAfterTheAnteFlag) {
  const auto bytes = NoWildGame().Bytes();
  ASSERT_EQ(bytes.size(), 120u + 6 * 2 + 3 * 132 + 2 + 2 * 120);
  const auto game = ParseGam(bytes);
  ASSERT_TRUE(game);
  EXPECT_EQ(game->GameCode, kCustomGame);
  EXPECT_EQ(game->GameName, "Baseball");
  EXPECT_EQ(game->RoundCount, 3);
  EXPECT_FALSE(game->HasWildCards);
  EXPECT_TRUE(game->HasFaceUp);
  EXPECT_TRUE(game->HighShowingBetsFirst);
  EXPECT_FALSE(game->HasShared);
  EXPECT_TRUE(game->HasAnte);
  EXPECT_EQ(game->WildCount, 0);
  EXPECT_EQ(game->Rounds[1].Announcement, "First card down.");
  EXPECT_FALSE(game->Rounds[1].Betting);
  EXPECT_EQ(game->Rounds[2].Announcement, "");
  EXPECT_TRUE(game->Rounds[2].Betting);
  EXPECT_TRUE(game->Rounds[2].FaceUp);
  EXPECT_EQ(game->Rounds[2].Draws, 2);
  EXPECT_EQ(game->Rounds[2].MaxDrawCards, 3);
  EXPECT_TRUE(game->Rounds[2].BetAfterDraw);
  EXPECT_EQ(game->Rounds[3].Announcement, "Last card.");
  EXPECT_EQ(game->Rounds[3].Draws, -1);  // an Escape at the builder's draw question
  EXPECT_EQ(game->Rounds[4].Announcement, "");
  EXPECT_EQ(game->DescriptionCount, 2);
  // Description lines are kept whole, padding included.
  EXPECT_EQ(game->Description[1], "Nines are wild in spirit." + std::string(95, ' '));
  EXPECT_EQ(game->Description[2].size(), 120u);
}

TEST(ParseGam, SixteenWildCards) {
  GamBytes b;
  b.Text("Wild").Int(1).Int(-1).Int(0).Int(0).Int(0).Int(0).Int(16);
  for (int i = 1; i <= 16; ++i) b.Int(i * 3);
  b.Round("Go", -1, 0, 0, 0, 0, 0).Int(0);
  const auto game = ParseGam(b.Bytes());
  ASSERT_TRUE(game);
  EXPECT_TRUE(game->HasWildCards);
  EXPECT_EQ(game->WildCount, 16);
  for (int i = 1; i <= 16; ++i) EXPECT_EQ(game->WildCards[static_cast<std::size_t>(i)], i * 3);
  EXPECT_EQ(game->Rounds[1].Announcement, "Go");
  EXPECT_EQ(game->DescriptionCount, 0);
  EXPECT_EQ(SerializeGam(*game), b.Bytes());
}

TEST(ParseGam, ZeroDescriptionLinesEndWithTwoZeroBytes) {
  GamBytes b;
  b.Text("Plain").Int(1).Int(0).Int(0).Int(0).Int(0).Int(0).Round("", 0, 0, 0, 0, 0, 0).Int(0);
  const auto& bytes = b.Bytes();
  ASSERT_EQ(bytes.size(), 120u + 12 + 132 + 2);
  EXPECT_EQ(bytes[bytes.size() - 1], 0);
  EXPECT_EQ(bytes[bytes.size() - 2], 0);
  const auto game = ParseGam(bytes);
  ASSERT_TRUE(game);
  EXPECT_EQ(game->DescriptionCount, 0);
  EXPECT_FALSE(game->HasAnte);
  EXPECT_EQ(SerializeGam(*game), bytes);
}

TEST(ParseGam, MoreThanTwentyLinesKeepTheFirstTwenty) {
  GamBytes b;
  b.Text("Long").Int(1).Int(0).Int(0).Int(0).Int(0).Int(-1).Round("", 0, 0, 0, 0, 0, 0).Int(25);
  for (int i = 1; i <= 25; ++i) b.Text("Line " + std::to_string(i));
  const auto game = ParseGam(b.Bytes());
  ASSERT_TRUE(game);
  EXPECT_EQ(game->DescriptionCount, 20);
  EXPECT_EQ(game->Description[20].substr(0, 8), "Line 20 ");
  // ...but all 25 declared lines must be present.
  auto cut = b.Bytes();
  cut.resize(cut.size() - 120);
  EXPECT_FALSE(ParseGam(cut));
}

TEST(ParseGam, TextIsWindows1252) {
  GamBytes b;
  b.Text("Caf\xE9 \x80").Int(1).Int(0).Int(0).Int(0).Int(0).Int(-1);
  b.Round("\x93Go\x94", 0, 0, 0, 0, 0, 0).Int(1).Text("na\xEFve");
  const auto game = ParseGam(b.Bytes());
  ASSERT_TRUE(game);
  EXPECT_EQ(game->GameName, "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(game->Rounds[1].Announcement, "\xE2\x80\x9CGo\xE2\x80\x9D");
  EXPECT_EQ(game->Description[1].substr(0, 6), "na\xC3\xAFve");
  EXPECT_EQ(SerializeGam(*game), b.Bytes());
}

TEST(ParseGam, EveryShortenedFileIsRefused) {
  const auto full = NoWildGame().Bytes();
  for (std::size_t n = 0; n < full.size(); ++n) {
    const std::vector<unsigned char> cut(full.begin(), full.begin() + static_cast<long>(n));
    EXPECT_FALSE(ParseGam(cut)) << n << " bytes";
  }
  EXPECT_TRUE(ParseGam(full));
  // Bytes after the last description line are not read.
  auto longer = full;
  longer.push_back('x');
  EXPECT_TRUE(ParseGam(longer));
}

TEST(ParseGam, DamagedFieldsAreRefused) {
  const auto with = [](int rounds, int wild, int wildCount, int wildCard, int draws, int maxDraw,
                       int lines) {
    GamBytes b;
    b.Text("X").Int(rounds).Int(wild).Int(0).Int(0).Int(0).Int(-1);
    if (wild != 0) {
      b.Int(wildCount);
      for (int i = 0; i < wildCount && i < 20; ++i) b.Int(wildCard);
    }
    for (int r = 0; r < rounds && r < 10; ++r) b.Round("", 0, 0, 0, draws, maxDraw, 0);
    b.Int(lines);
    return ParseGam(b.Bytes()).has_value();
  };
  EXPECT_TRUE(with(7, -1, 2, 52, 5, 5, 0));
  EXPECT_FALSE(with(0, 0, 0, 0, 0, 0, 0));
  EXPECT_FALSE(with(8, 0, 0, 0, 0, 0, 0));
  EXPECT_FALSE(with(-3, 0, 0, 0, 0, 0, 0));
  EXPECT_FALSE(with(2, -1, 0, 1, 0, 0, 0));
  EXPECT_FALSE(with(2, -1, 17, 1, 0, 0, 0));
  EXPECT_FALSE(with(2, -1, 1, 0, 0, 0, 0));
  EXPECT_FALSE(with(2, -1, 1, 53, 0, 0, 0));
  EXPECT_FALSE(with(2, 0, 0, 0, 6, 1, 0));
  EXPECT_FALSE(with(2, 0, 0, 0, -2, 1, 0));
  EXPECT_FALSE(with(2, 0, 0, 0, 1, 6, 0));
  EXPECT_FALSE(with(2, 0, 0, 0, 1, -1, 0));
  EXPECT_FALSE(with(2, 0, 0, 0, 0, 0, -1));
  // Any non-zero flag is True.
  EXPECT_TRUE(with(2, 1, 1, 1, 0, 0, 0));
}

TEST(ParseGam, GarbageNeverCrashes) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> size(0, 3000);
  int accepted = 0;
  for (int i = 0; i < 20000; ++i) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size(rng)));
    for (auto& b : bytes) b = static_cast<unsigned char>(byte(rng));
    if (i % 2 == 0 && bytes.size() > 134) {
      // A plausible header makes the reader go further.
      bytes[120] = static_cast<unsigned char>(1 + i % 7);
      bytes[121] = 0;
    }
    const auto game = ParseGam(bytes);
    if (game) {
      ++accepted;
      EXPECT_GE(game->RoundCount, 1);
      EXPECT_LE(game->RoundCount, 7);
      EXPECT_LE(game->DescriptionCount, 20);
    }
  }
  SUCCEED() << accepted << " accepted";
}

TEST(SerializeGam, WritesTheFieldsInOrder) {
  GameDefinition g;
  g.GameName = "Baseball";
  g.RoundCount = 3;
  g.HasFaceUp = true;
  g.HighShowingBetsFirst = true;
  g.HasAnte = true;
  g.Rounds[1].Announcement = "First card down.";
  g.Rounds[2].Betting = g.Rounds[2].FaceUp = g.Rounds[2].BetAfterDraw = true;
  g.Rounds[2].Draws = 2;
  g.Rounds[2].MaxDrawCards = 3;
  g.Rounds[3].Announcement = "Last card.";
  g.Rounds[3].Betting = g.Rounds[3].FaceUp = true;
  g.Rounds[3].Draws = -1;
  g.WildCount = 4;  // kept in memory from another game, but not written without wild cards
  g.DescriptionCount = 2;
  g.Description[1] = "Nines are wild in spirit.";
  g.Description[2] = "Line two";
  GamBytes b;
  b.Text("Baseball").Int(3).Int(0).Int(-1).Int(-1).Int(0).Int(-1);
  b.Round("First card down.", 0, 0, 0, 0, 0, 0);
  b.Round("", -1, -1, 0, 2, 3, -1);
  b.Round("Last card.", -1, -1, 0, -1, 0, 0);
  b.Int(2).Text("Nines are wild in spirit.").Text("Line two");
  EXPECT_EQ(SerializeGam(g), b.Bytes());
}

TEST(SerializeGam, CutsLongTextsAt120Bytes) {
  GameDefinition g;
  g.GameName = std::string(130, 'n');
  g.RoundCount = 1;
  const auto bytes = SerializeGam(g);
  ASSERT_EQ(bytes.size(), 120u + 12 + 132 + 2);
  const auto back = ParseGam(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->GameName, std::string(120, 'n'));
}

TEST(GamFile, WritesAndReadsAFile) {
  const std::string path = ::testing::TempDir() + "corvane_gam_file_test.gam";
  const auto game = ParseGam(NoWildGame().Bytes());
  ASSERT_TRUE(game);
  ASSERT_TRUE(WriteGamFile(path, *game));
  const auto back = ReadGamFile(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(SerializeGam(*back), SerializeGam(*game));
  EXPECT_FALSE(ReadGamFile(path + ".missing"));
  std::remove(path.c_str());
}

}  // namespace
}  // namespace corvane
