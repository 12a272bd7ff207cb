// "CV pace.ini": the line written for each pace and look, and the lines read back or refused.
#include "store/pace_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace corvane::testing {
namespace {

struct Row {
  std::string text;
  std::optional<PaceFile> read;  // nothing: refused, the values stay as they were
};

TEST(PaceFile, LinesReadOrRefused) {
  const PaceFile start{};
  const PaceFile quick{.pace = Pace::Quick,
                       .look = {.fontPoints = 36, .width = 1024, .height = 768}};
  const PaceFile fastest{.pace = Pace::Fastest, .look = {.fontPoints = 10}};
  const Row rows[] = {
      {"0,24,0,0\r\n", start},
      {"1,36,1024,768\r\n", quick},
      {"2,10,0,0\n", fastest},
      {"2,10,0,0", fastest},
      {" 1 , 36 , 1024 , 768 \r\n", quick},
      {"0,96,100,20000\r\n", PaceFile{.look = {.fontPoints = 96, .width = 100, .height = 20000}}},
      {"", std::nullopt},
      {"\r\n", std::nullopt},
      {"1,24,0\r\n", std::nullopt},
      {"1,24,0,0,0\r\n", std::nullopt},
      {"1,,0,0\r\n", std::nullopt},
      {"q,24,0,0\r\n", std::nullopt},
      {"3,24,0,0\r\n", std::nullopt},
      {"-1,24,0,0\r\n", std::nullopt},
      {"0,9,0,0\r\n", std::nullopt},
      {"0,97,0,0\r\n", std::nullopt},
      {"0,24,800,0\r\n", std::nullopt},
      {"0,24,99,600\r\n", std::nullopt},
      {"0,24,800,20001\r\n", std::nullopt},
      {"0,24,0,0x\r\n", std::nullopt},
      {"0,24,0,0\r\n0,24,0,0\r\n", std::nullopt},
      {"0,24\r,0,0\r\n", std::nullopt},
  };
  for (const Row& row : rows) {
    const PaceFile before{.pace = Pace::Quick,
                          .look = {.fontPoints = 48, .width = 640, .height = 480}};
    PaceFile file = before;
    EXPECT_EQ(ParsePaceFile(row.text, file), row.read.has_value()) << row.text;
    EXPECT_EQ(file, row.read.value_or(before)) << row.text;
    // What is read is written back as the game writes it: the same values, CR LF at the end.
    if (row.read) {
      PaceFile again;
      EXPECT_TRUE(ParsePaceFile(PaceFileText(*row.read), again)) << row.text;
      EXPECT_EQ(again, *row.read) << row.text;
    }
  }
  EXPECT_EQ(PaceFileText(start), "0,24,0,0\r\n");
  EXPECT_EQ(PaceFileText(quick), "1,36,1024,768\r\n");
}

}  // namespace
}  // namespace corvane::testing
