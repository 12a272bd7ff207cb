// The bots' ladder driven by a controlled random stream: each test reaches one rung on purpose.
#include "engine/bot_ladder.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

// Hands out the given numbers in order and counts what is asked.
class Stream {
 public:
  Stream(std::initializer_list<double> values) : values_(values) {}
  std::function<double()> fn() {
    return [this] {
      EXPECT_LT(next_, values_.size()) << "the ladder drew more numbers than expected";
      return next_ < values_.size() ? values_[next_++] : 0.5;
    };
  }
  std::size_t used() const { return next_; }
  std::size_t size() const { return values_.size(); }

 private:
  std::vector<double> values_;
  std::size_t next_ = 0;
};

BotSituation Base() {
  BotSituation s;
  s.Ante = 25;
  s.MaxRaise = 1000;
  s.StartingChips = 10000;
  s.CurrentRound = 3;
  s.RoundCount = 7;
  return s;
}
// A bot that is behind: pair against the assumed two pairs.
BotSituation Behind() {
  BotSituation s = Base();
  s.MyValue = MakeHandValue(2, 5, 0, 0, 0, 0);
  s.MyCategory = 2;
  s.OppValue = MakeHandValue(3, 9, 4, 2, 0, 0);
  s.OppCategory = 3;
  s.Diff = -1;
  return s;
}
// A bot that is ahead by `diff` categories.
BotSituation Ahead(int diff) {
  BotSituation s = Base();
  s.OppValue = MakeHandValue(2, 3, 0, 0, 0, 0);
  s.OppCategory = 2;
  s.MyCategory = 2 + diff;
  s.MyValue = MakeHandValue(s.MyCategory, 9, 0, 0, 0, 0);
  s.Diff = diff;
  return s;
}

TEST(BotLadderTest, FoldsBehindUnderALargeBet) {
  BotSituation s = Behind();
  s.ToCall = 7 * 25;  // pressure 0.07
  Stream rnd{0.2};    // r = 0.1: 0.82 > 0.1
  const BotChoice c = ChooseBotMove(s, rnd.fn());
  EXPECT_EQ(c.move, BotMove::CheckOrFold);
  EXPECT_EQ(c.step, BotStep::LargeBet);
  EXPECT_EQ(rnd.used(), 1u);
}

TEST(BotLadderTest, ABetOfSixAntesIsNotLarge) {
  BotSituation s = Behind();
  s.ToCall = 6 * 25;
  s.RiskTaker = 0;
  Stream rnd{0.9, 0.9, 0.9};  // behind: r = 0.45 < 0.7 but only one category behind
  const BotChoice c = ChooseBotMove(s, rnd.fn());
  EXPECT_EQ(c.step, BotStep::Behind);
}

TEST(BotLadderTest, ARiskTakerStandsALargeBetWhenItsDrawIsHigh) {
  BotSituation s = Behind();
  s.ToCall = 40 * 25;  // pressure 0.4 at most: 1.15 is never beaten when behind...
  s.RiskTaker = 1;
  Stream rnd{0.99};
  EXPECT_EQ(ChooseBotMove(s, rnd.fn()).step, BotStep::LargeBet);
  // ...but one category ahead only 0.7 + pressure is needed.
  BotSituation a = Ahead(1);
  a.ToCall = 8 * 25;  // pressure 0.08: fold when 0.38 > r
  a.RiskTaker = 0.5;
  // Each test of a large bet draws afresh: r = 0.7 three times, so it stands; then ahead,
  // r = 0.7 > 0.3, r2 = 0.45 and the small raise's own number.
  Stream high{0.9, 0.9, 0.9, 0.9, 0.9, 0.9};
  const BotChoice c = ChooseBotMove(a, high.fn());
  EXPECT_EQ(c.step, BotStep::Ahead);
  Stream low{0.1, 0.1, 0.1};  // the third test: 0.38 > r = 0.3, one category ahead: folds
  EXPECT_EQ(ChooseBotMove(a, low.fn()).move, BotMove::CheckOrFold);
}

TEST(BotLadderTest, LevelUnderPressureFoldsOnlyWhenAheadOfTheLastHandExamined) {
  BotSituation s = Ahead(0);
  s.ToCall = 10 * 25;
  s.LastShowingValue = s.MyValue - 1;
  Stream rnd{0.2, 0.2};  // first test skipped (Diff 0), second: 0.6 > 0.1
  const BotChoice c = ChooseBotMove(s, rnd.fn());
  EXPECT_EQ(c.move, BotMove::CheckOrFold);
  EXPECT_EQ(c.step, BotStep::LargeBet);
}

TEST(BotLadderTest, BehindOnTheLastRoundAlwaysChecksOrFolds) {
  BotSituation s = Behind();
  s.CurrentRound = s.RoundCount = 7;
  s.RiskTaker = 1;
  Stream rnd{0.99};
  const BotChoice c = ChooseBotMove(s, rnd.fn());
  EXPECT_EQ(c.move, BotMove::CheckOrFold);
  EXPECT_EQ(c.step, BotStep::Behind);
}

TEST(BotLadderTest, BehindWithOneRoundToComeChecksForFree) {
  BotSituation s = Behind();
  s.CurrentRound = 6;
  s.RiskTaker = 1;
  Stream rnd{0.99};
  EXPECT_EQ(ChooseBotMove(s, rnd.fn()).move, BotMove::Call);
  s.ToCall = 25;
  Stream again{0.99};
  EXPECT_EQ(ChooseBotMove(s, again.fn()).move, BotMove::CheckOrFold);
}

TEST(BotLadderTest, BehindEarlyCallsWhatAShareOfTheStartingChipsCovers) {
  BotSituation s = Behind();
  s.RiskTaker = 1;
  s.ToCall = 100;
  // a * 0.04 * 10000 * (b + 1): 0.5 * 400 * 1.0 = 200 > 100.
  Stream rnd{0.99, 0.5, 0.0};
  EXPECT_EQ(ChooseBotMove(s, rnd.fn()).move, BotMove::Call);
  EXPECT_EQ(rnd.used(), 3u);
  // 0.2 * 400 * 1.0 = 80 < 100.
  Stream less{0.99, 0.2, 0.0};
  EXPECT_EQ(ChooseBotMove(s, less.fn()).move, BotMove::CheckOrFold);
}

TEST(BotLadderTest, TheSameCategoryClimbsTheRaiseSizes) {
  const struct {
    double rnd;
    BotMove move;
    std::int32_t amount;
  } rungs[] = {{0.5, BotMove::CheckOrFold, 0}, {0.7, BotMove::Call, 0},
               {0.9, BotMove::Raise, 50},      {1.1, BotMove::Raise, 75},
               {1.3, BotMove::Raise, 100},     {1.5, BotMove::Raise, 125},
               {1.7, BotMove::Raise, 150},     {1.9, BotMove::Raise, 200}};
  for (const auto& rung : rungs) {
    BotSituation s = Ahead(0);
    s.RiskTaker = 0.9f;
    s.MyValue = s.OppValue;  // level in value too: not ahead
    Stream rnd{rung.rnd - 0.9};
    const BotChoice c = ChooseBotMove(s, rnd.fn());
    EXPECT_EQ(c.step, BotStep::SameCategory) << rung.rnd;
    EXPECT_EQ(c.move, rung.move) << rung.rnd;
    EXPECT_EQ(c.amount, rung.amount) << rung.rnd;
  }
}

TEST(BotLadderTest, AheadTheBluffingDrawChoosesTheRaiseRoundedToTwentyFive) {
  BotSituation s = Ahead(1);
  s.RiskTaker = 0.5;
  s.Bluffing = 1;
  s.Aggressiveness = 0.5;
  // r = 0.5 > 0.3; r2 = 0.96: the table maximum.
  Stream max{0.5, 0.92};
  EXPECT_EQ(ChooseBotMove(s, max.fn()).amount, 1000);
  // r2 = 0.91: (0.31 + 0.5) * 60 * 25 / 2 = 607.5 -> 608 -> 600.
  Stream large{0.5, 0.82, 0.31};
  const BotChoice c = ChooseBotMove(s, large.fn());
  EXPECT_EQ(c.move, BotMove::Raise);
  EXPECT_EQ(c.step, BotStep::Ahead);
  EXPECT_EQ(c.amount, 600);
  // r2 = 0.85: (0.3 + 0.5) * 40 * 25 / 2 = 400.
  Stream medium{0.5, 0.7, 0.3};
  EXPECT_EQ(ChooseBotMove(s, medium.fn()).amount, 400);
  // r2 = 0.6: (1 - 2) * 25 -> 0, plus (0.4 + 0.5) * 100 = 90 -> 75.
  Stream small{0.5, 0.2, 0.4};
  EXPECT_EQ(ChooseBotMove(s, small.fn()).amount, 75);
}

TEST(BotLadderTest, WellAheadRaisesEvenOnALowDraw) {
  BotSituation s = Ahead(3);
  s.Aggressiveness = 0;
  // r = 0.05, yet Diff 3 >= 2: r2 = 0.05; (3 - 2) * 25 + (0.1 + 0) * 100 = 35 -> 25.
  Stream rnd{0.1, 0.1, 0.1};
  const BotChoice c = ChooseBotMove(s, rnd.fn());
  EXPECT_EQ(c.move, BotMove::Raise);
  EXPECT_EQ(c.amount, 25);
}

TEST(BotLadderTest, ASmallRaiseRoundsDownToNothing) {
  BotSituation s = Ahead(1);
  s.RiskTaker = 0.5;
  Stream rnd{0.5, 0.0, 0.2};  // 0 + (0.2 + 0) * 100 = 20 -> 0
  const BotChoice c = ChooseBotMove(s, rnd.fn());
  EXPECT_EQ(c.move, BotMove::Raise);
  EXPECT_EQ(c.amount, 0);
}

TEST(BotLadderTest, TheLastResortBetsTwoAntesWhenAheadAndNothingIsOwed) {
  BotSituation s = Ahead(1);
  s.RiskTaker = 0;
  Stream bet{0.2, 1.0 - 1e-9};  // r = 0.1: no raise; last resort r = 0.5-: call
  EXPECT_EQ(ChooseBotMove(s, bet.fn()).move, BotMove::Call);
  s.RiskTaker = 0.2f;
  Stream bets{0.2, 0.9};  // r = 0.2: no raise; last resort r = 0.55 > 0.5: bets 50
  const BotChoice c = ChooseBotMove(s, bets.fn());
  EXPECT_EQ(c.move, BotMove::Raise);
  EXPECT_EQ(c.step, BotStep::LastResort);
  EXPECT_EQ(c.amount, 50);
  s.ToCall = 25;
  Stream calls{0.2, 0.9};
  EXPECT_EQ(ChooseBotMove(s, calls.fn()).move, BotMove::Call);
}

TEST(BotRaiseTest, TheRaiseIsCutToTheMaximumAndLiftedToTheLastRaise) {
  RaiseLimits l;
  l.Chips = 5000;
  l.MaxRaise = 1000;
  EXPECT_EQ(ResolveBotRaise(1500, l).amount, 1000);
  EXPECT_EQ(ResolveBotRaise(1500, l).act, RaiseAct::BetOrRaise);
  l.LastRaise = 300;
  EXPECT_EQ(ResolveBotRaise(100, l).amount, 300);
  EXPECT_EQ(ResolveBotRaise(0, l).amount, 300);
  l.LastRaise = 0;
  EXPECT_EQ(ResolveBotRaise(0, l).act, RaiseAct::Call);
}

TEST(BotRaiseTest, NoRaiseLeftOrNobodyToRaiseOrTooFewChipsMeansACall) {
  RaiseLimits l;
  l.Chips = 5000;
  l.RaiseCount = 3;
  EXPECT_EQ(ResolveBotRaise(100, l).act, RaiseAct::Call);
  l.RaiseCount = 0;
  l.ActiveCount = 1;
  EXPECT_EQ(ResolveBotRaise(100, l).act, RaiseAct::Call);
  l.ActiveCount = 2;
  l.ToCall = 6000;
  EXPECT_EQ(ResolveBotRaise(100, l).act, RaiseAct::Call);
}

TEST(BotRaiseTest, ARaiseBeyondTheChipsIsAnAllIn) {
  RaiseLimits l;
  l.Chips = 300;
  l.ToCall = 100;
  EXPECT_EQ(ResolveBotRaise(200, l).act, RaiseAct::BetOrRaise);
  EXPECT_EQ(ResolveBotRaise(201, l).act, RaiseAct::AllIn);
}

TEST(AssumedOpponentTest, TheTableByRoundPlusTheCardsThatCouldHaveBeenDrawn) {
  GameDefinition draw;
  draw.RoundCount = 5;
  draw.Rounds[5].Draws = 1;
  draw.Rounds[5].MaxDrawCards = 3;
  EXPECT_EQ(AssumedOpponentValue(draw, 1, 0, 0), MakeHandValue(1, 11, 0, 0, 0, 0));
  EXPECT_EQ(AssumedOpponentValue(draw, 5, 1, 0), MakeHandValue(2, 2, 0, 0, 0, 0));
  EXPECT_EQ(AssumedOpponentValue(draw, 5, 0, 0), MakeHandValue(2, 2, 0, 0, 0, 0) + 450000);
  EXPECT_EQ(AssumedOpponentValue(draw, 7, 0, 0), MakeHandValue(2, 8, 0, 0, 0, 0) + 450000);
  draw.HasWildCards = true;
  EXPECT_EQ(AssumedOpponentValue(draw, 2, 0, 8), (600000 + 3 * 8 * 10000) * 2);
  EXPECT_EQ(AssumedOpponentValue(draw, 5, 0, 8), 840000 * 5 + 3 * 1000000);
  EXPECT_EQ(AssumedOpponentValue(draw, 7, 0, 20), 9000000);
}

TEST(AssumedOpponentTest, TheMarginCountsHiddenCardsWhereCardsAreWildOrFaceUp) {
  EXPECT_EQ(CategoryMargin(true, 4, 2), 1);
  EXPECT_EQ(CategoryMargin(false, 4, 2), 2);
}

}  // namespace
}  // namespace corvane
