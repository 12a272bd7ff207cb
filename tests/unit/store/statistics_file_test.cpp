// The statistics file: the totals it holds, and the files refused as damaged.
#include "store/statistics_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

struct Row {
  std::string bytes;
  bool sound;
  std::vector<GameTally> tallies;  // when sound
};

TEST(StatisticsFile, ReadsItsOwnLayoutAndRefusesAnythingElse) {
  const std::vector<Row> rows{
      {"Corvane statistics 1\n", true, {}},
      {"Corvane statistics 1\n40\t11\tTexas Holdem\n3\t3\tFive Card Draw Poker\n",
       true,
       {{"Texas Holdem", 40, 11}, {"Five Card Draw Poker", 3, 3}}},
      {"Corvane statistics 1\n0\t0\tA game: with, commas\n",
       true,
       {{"A game: with, commas", 0, 0}}},
      {"", false, {}},
      {"Corvane statistics 1", false, {}},                           // no line end
      {"Corvane statistics 2\n", false, {}},                         // another layout
      {"Corvane statistics 1\n5\t9\tSeven Card Stud\n", false, {}},  // more won than played
      {"Corvane statistics 1\n-1\t0\tSeven Card Stud\n", false, {}},
      {"Corvane statistics 1\n1 \t0\tSeven Card Stud\n", false, {}},
      {"Corvane statistics 1\n1\t0\t\n", false, {}},                  // no name
      {"Corvane statistics 1\n1\t0\n", false, {}},                    // a field missing
      {"Corvane statistics 1\n1\t0\tA\tB\n", false, {}},              // a tab in the name
      {"Corvane statistics 1\n1\t0\tA\n2\t1\tA\n", false, {}},        // a game twice
      {"Corvane statistics 1\n1\t0\tA\n\n", false, {}},               // an empty line
      {"Corvane statistics 1\n9999999999999999\t0\tA\n", false, {}},  // past any count
      {"Corvane statistics 1\r\n1\t0\tA\r\n", false, {}},
  };
  for (const Row& row : rows) {
    std::vector<GameTally> tallies{{"kept", 1, 1}};
    EXPECT_EQ(ParseStatistics(row.bytes, tallies), row.sound) << row.bytes;
    if (row.sound) {
      EXPECT_EQ(tallies, row.tallies) << row.bytes;
      // What is read is written back byte for byte.
      EXPECT_EQ(FormatStatistics(tallies), row.bytes);
    } else {
      EXPECT_EQ(tallies, (std::vector<GameTally>{{"kept", 1, 1}})) << row.bytes;
    }
  }
  // A name is counted without tabs or line breaks, so it always reads back.
  EXPECT_EQ(TallyName("Two\tline\r\nname"), "Two line  name");
  EXPECT_EQ(TallyName(""), "No name");
}

}  // namespace
}  // namespace corvane
