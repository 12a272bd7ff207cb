#include <gtest/gtest.h>

#include "eval/evaluator.h"

namespace corvane {
namespace {

TEST(MakeHandValue, UsesBaseFifteenTieBreaks) {
  EXPECT_EQ(MakeHandValue(9, 14, 0, 0, 0, 0), 9708750);
  EXPECT_EQ(MakeHandValue(5, 5, 0, 0, 0, 0), 5253125);
  EXPECT_EQ(MakeHandValue(5, 6, 0, 0, 0, 0), 5303750);
  EXPECT_EQ(MakeHandValue(3, 13, 9, 5, 0, 0), 3689625);
  EXPECT_EQ(MakeHandValue(10, 14, 0, 0, 0, 0), 10708750);
  EXPECT_EQ(MakeHandValue(1, 0, 0, 0, 0, 0), 1000000);
  EXPECT_EQ(MakeHandValue(10, 14, 14, 14, 14, 14), 10759374);
  EXPECT_EQ(MakeHandValue(2, 3, 4, 5, 6, 7), 2000000 + 3 * 50625 + 4 * 3375 + 5 * 225 + 6 * 15 + 7);
}

TEST(MakeHandValue, AnAcePassedAsOneCountsHigh) {
  EXPECT_EQ(MakeHandValue(9, 1, 0, 0, 0, 0), MakeHandValue(9, 14, 0, 0, 0, 0));
  EXPECT_EQ(MakeHandValue(1, 13, 1, 1, 1, 1), MakeHandValue(1, 13, 14, 14, 14, 14));
}

TEST(HandCategory, IsTheMillionsPartOfEveryEvaluatedValue) {
  EXPECT_EQ(HandCategory(9708750), 9);
  EXPECT_EQ(HandCategory(5253125), 5);
  EXPECT_EQ(HandCategory(10759374), 10);
  EXPECT_EQ(HandCategory(MakeHandValue(2, 2, 0, 0, 0, 0)), 2);
  EXPECT_EQ(HandCategory(MakeHandValue(1, 2, 0, 0, 0, 0)), 1);
  EXPECT_EQ(HandCategory(1499999), 1);
  EXPECT_EQ(HandCategory(1000001), 1);
  EXPECT_EQ(HandCategory(2499999), 2);
}

TEST(HandCategory, RoundsHalvesToEven) {
  // (1,000,000 - 500,000) / 1,000,000 = 0.5 goes to 0: the empty hand.
  EXPECT_EQ(HandCategory(1000000), 0);
  EXPECT_EQ(HandCategory(2000000), 2);  // 1.5
  EXPECT_EQ(HandCategory(3000000), 2);  // 2.5
  EXPECT_EQ(HandCategory(4000000), 4);  // 3.5
  EXPECT_EQ(HandCategory(0), 0);        // -0.5
}

}  // namespace
}  // namespace corvane
