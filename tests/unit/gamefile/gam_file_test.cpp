// The .gam file byte for byte: hand-made files read as the game they hold and written back
// unchanged; damaged ones refused; texts in Windows-1252 on disk.
#include "table/gam_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "table/codepage.h"

namespace corvane {
namespace {

// A .gam file by hand: texts padded to 120 bytes, 16-bit little-endian numbers.
class GamBytes {
 public:
  GamBytes& Text(const std::string& cp1252) {
    std::string field = cp1252;
    field.resize(kGamTextSize, ' ');
    bytes_.insert(bytes_.end(), field.begin(), field.end());
    return *this;
  }
  GamBytes& Ints(std::initializer_list<int> values) {
    for (const int value : values) {
      bytes_.push_back(static_cast<unsigned char>(value & 0xFF));
      bytes_.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
    }
    return *this;
  }
  // Announcement; betting, face up, shared, draws, most cards a draw, bet after draw.
  GamBytes& Round(const std::string& announcement, std::initializer_list<int> fields) {
    return Text(announcement).Ints(fields);
  }
  operator std::vector<unsigned char>() const { return bytes_; }

 private:
  std::vector<unsigned char> bytes_;
};

// Everything the file holds, on one line: name, rounds, flags (Wild, face Up, High showing bets
// first, Shared, Ante), wild cards, each round of the game [announcement|Betting face Up Shared
// bet After draw|draws/most], description lines with their padding trimmed.
std::string Summary(const GameDefinition& g) {
  std::ostringstream out;
  const auto flag = [](bool on, char letter) { return on ? letter : '-'; };
  out << g.GameName << " " << g.RoundCount << " " << flag(g.HasWildCards, 'W')
      << flag(g.HasFaceUp, 'U') << flag(g.HighShowingBetsFirst, 'H') << flag(g.HasShared, 'S')
      << flag(g.HasAnte, 'A') << " wild";
  for (int i = 1; i <= g.WildCount; ++i) out << " " << g.WildCards[static_cast<std::size_t>(i)];
  for (int r = 1; r <= kMaxRounds; ++r) {
    const CardRound& round = g.Rounds[static_cast<std::size_t>(r)];
    const bool empty = round.Announcement.empty() && !round.Betting && !round.FaceUp &&
                       !round.Shared && !round.BetAfterDraw && round.Draws == 0 &&
                       round.MaxDrawCards == 0;
    if (r > g.RoundCount && empty) continue;  // rounds past the game's are empty
    out << " [" << round.Announcement << "|" << flag(round.Betting, 'B') << flag(round.FaceUp, 'U')
        << flag(round.Shared, 'S') << flag(round.BetAfterDraw, 'A') << "|" << round.Draws << "/"
        << round.MaxDrawCards << "]";
  }
  out << " " << g.DescriptionCount << ":";
  for (int i = 1; i <= g.DescriptionCount; ++i) {
    const std::string& line = g.Description[static_cast<std::size_t>(i)];
    EXPECT_EQ(Utf8ToCp1252(line).size(), kGamTextSize) << "a description line is kept whole";
    out << " " << line.substr(0, line.find_last_not_of(' ') + 1);
  }
  return out.str();
}

// A game of three rounds without wild cards, whose texts are padded with blanks on both sides.
GamBytes Baseball() {
  return GamBytes()
      .Text("  Baseball  ")
      .Ints({3, 0, -1, -1, 0, -1})
      .Round("First card down.  ", {0, 0, 0, 0, 0, 0})
      .Round("", {-1, -1, 0, 2, 3, -1})
      .Round("   Last card.", {-1, -1, 0, -1, 0, 0})
      .Ints({2})
      .Text("Nines are wild in spirit.")
      .Text("Line two");
}

// A one-round game with the given fields after the name; `wild` adds the wild-card fields.
GamBytes OneRound(std::initializer_list<int> header, std::initializer_list<int> wild,
                  std::initializer_list<int> round, int lines) {
  GamBytes b;
  b.Text("X").Ints(header).Ints(wild).Round("", round).Ints({lines});
  for (int i = 1; i <= lines; ++i) b.Text("Line " + std::to_string(i));
  return b;
}

TEST(GamFile, HandMadeFilesReadWriteBackOrAreRefused) {
  GamBytes sixteenWild = GamBytes().Text("Wild").Ints({1, -1, 0, 0, 0, 0, 16});
  for (int i = 1; i <= 16; ++i) sixteenWild.Ints({i * 3});
  sixteenWild.Round("Go", {-1, 0, 0, 0, 0, 0}).Ints({0});
  const struct {
    const char* what;
    std::vector<unsigned char> bytes;
    std::string summary;  // empty: refused
    bool writtenBack;     // SerializeGam gives these very bytes
  } rows[] = {
      {"no wild cards: the rounds follow the ante flag; texts trimmed, Escape at a draw kept",
       Baseball(),
       "Baseball 3 -UH-A wild [First card down.|----|0/0] [|BU-A|2/3] [Last card.|BU--|-1/0] 2: "
       "Nines are wild in spirit. Line two",
       false},
      {"sixteen wild cards", sixteenWild,
       "Wild 1 W---- wild 3 6 9 12 15 18 21 24 27 30 33 36 39 42 45 48 [Go|B---|0/0] 0:", true},
      {"no description: the file ends with two zero bytes, no ante",
       OneRound({1, 0, 0, 0, 0, 0}, {}, {0, 0, 0, 0, 0, 0}, 0),
       "X 1 ----- wild [|----|0/0] 0:", true},
      {"twenty-five lines keep the first twenty; face up without the high hand betting first",
       OneRound({1, 0, -1, 0, 0, -1}, {}, {0, 0, 0, 0, 0, 0}, 25),
       "X 1 -U--A wild [|----|0/0] 20: Line 1 Line 2 Line 3 Line 4 Line 5 Line 6 Line 7 Line 8 "
       "Line 9 Line 10 Line 11 Line 12 Line 13 Line 14 Line 15 Line 16 Line 17 Line 18 Line 19 "
       "Line 20",
       false},
      {"Windows-1252 texts",
       GamBytes()
           .Text("Caf\xE9 \x80")
           .Ints({1, 0, 0, 0, 0, -1})
           .Round("\x93Go\x94", {0, 0, 0, 0, 0, 0})
           .Ints({1})
           .Text("na\xEFve"),
       "Caf\xC3\xA9 \xE2\x82\xAC 1 ----A wild [\xE2\x80\x9CGo\xE2\x80\x9D|----|0/0] 1: "
       "na\xC3\xAFve",
       true},
      {"draws 5 of 5, card 52, seven rounds",
       [] {
         GamBytes b = GamBytes().Text("Max").Ints({7, 1, 0, 0, 0, -1, 2, 52, 1});
         for (int r = 0; r < 7; ++r) b.Round("", {0, 0, 0, 5, 5, 0});
         return b.Ints({0});
       }(),
       "Max 7 W---A wild 52 1 [|----|5/5] [|----|5/5] [|----|5/5] [|----|5/5] [|----|5/5] "
       "[|----|5/5] [|----|5/5] 0:",
       false},
      {"no rounds", OneRound({0, 0, 0, 0, 0, 0}, {}, {0, 0, 0, 0, 0, 0}, 0), "", false},
      {"eight rounds", OneRound({8, 0, 0, 0, 0, 0}, {}, {0, 0, 0, 0, 0, 0}, 0), "", false},
      {"minus three rounds", OneRound({-3, 0, 0, 0, 0, 0}, {}, {0, 0, 0, 0, 0, 0}, 0), "", false},
      {"no wild card", OneRound({1, -1, 0, 0, 0, 0}, {0}, {0, 0, 0, 0, 0, 0}, 0), "", false},
      {"seventeen wild cards",
       OneRound({1, -1, 0, 0, 0, 0}, {17, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
                {0, 0, 0, 0, 0, 0}, 0),
       "", false},
      {"wild card 0", OneRound({1, -1, 0, 0, 0, 0}, {1, 0}, {0, 0, 0, 0, 0, 0}, 0), "", false},
      {"wild card 53", OneRound({1, -1, 0, 0, 0, 0}, {1, 53}, {0, 0, 0, 0, 0, 0}, 0), "", false},
      {"six draws", OneRound({1, 0, 0, 0, 0, 0}, {}, {0, 0, 0, 6, 1, 0}, 0), "", false},
      {"minus two draws", OneRound({1, 0, 0, 0, 0, 0}, {}, {0, 0, 0, -2, 1, 0}, 0), "", false},
      {"six cards a draw", OneRound({1, 0, 0, 0, 0, 0}, {}, {0, 0, 0, 1, 6, 0}, 0), "", false},
      {"minus one card a draw", OneRound({1, 0, 0, 0, 0, 0}, {}, {0, 0, 0, 1, -1, 0}, 0), "",
       false},
      {"minus one line", OneRound({1, 0, 0, 0, 0, 0}, {}, {0, 0, 0, 0, 0, 0}, -1), "", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const auto game = ParseGam(row.bytes);
    ASSERT_EQ(game.has_value(), !row.summary.empty());
    if (!game) continue;
    EXPECT_EQ(game->GameCode, kCustomGame);
    EXPECT_EQ(Summary(*game), row.summary);
    if (row.writtenBack) {
      EXPECT_EQ(SerializeGam(*game), row.bytes);
    }
    // Whatever was read is written so that it reads back the same.
    const auto again = ParseGam(SerializeGam(*game));
    ASSERT_TRUE(again);
    EXPECT_EQ(Summary(*again), row.summary);
  }

  // Every shortened file is refused; bytes after the last description line are not read.
  std::vector<unsigned char> full = Baseball();
  for (std::size_t n = 0; n < full.size(); ++n) {
    EXPECT_FALSE(ParseGam(std::span(full.data(), n))) << n << " bytes";
  }
  full.push_back('x');
  EXPECT_TRUE(ParseGam(full));

  // Written from the fields: the wild cards only with the wild-card flag, texts cut at 120
  // bytes, flags as -1.
  GameDefinition g;
  g.GameName = std::string(130, 'n');
  g.RoundCount = 1;
  g.HasFaceUp = true;
  g.WildCount = 4;  // left from another game
  g.Rounds[1].Draws = -1;
  EXPECT_EQ(SerializeGam(g), std::vector<unsigned char>(GamBytes()
                                                            .Text(std::string(120, 'n'))
                                                            .Ints({1, 0, -1, 0, 0, -1})
                                                            .Round("", {0, 0, 0, -1, 0, 0})
                                                            .Ints({0})));
}

}  // namespace
}  // namespace corvane
