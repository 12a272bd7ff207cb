// The constants of the bots' betting ladder, in one place.
#pragma once

#include <array>
#include <cstdint>

namespace corvane::bot {

// The hand assumed for an opponent who shows nothing, by card round 1..7: category, first rank.
struct AssumedHand {
  int category;
  int rank;
};
inline constexpr std::array<AssumedHand, 8> kAssumedHand{{
    {0, 0},   // unused
    {1, 11},  // high card, Jack
    {1, 12},  // high card, Queen
    {1, 13},  // high card, King
    {1, 14},  // high card, Ace
    {2, 2},   // pair of Twos
    {2, 3},   // pair of Threes
    {2, 8},   // pair of Eights
}};
// Added to the assumed hand for every card that could already have been drawn.
inline constexpr std::int32_t kDrawnCardValue = 150000;
// With wild cards the assumed hand grows with the round and the number of wild cards.
inline constexpr std::int32_t kWildBaseValue = 600000;
inline constexpr std::int32_t kWildCardValue = 3 * 10000;
inline constexpr std::int32_t kWildDrawnCardValue = 1000000;
inline constexpr std::int32_t kWildAssumedMax = 9000000;
// In games with wild or face-up cards the opponent's hidden cards are worth this much more.
inline constexpr std::int32_t kHiddenCardsMargin = 400000;

// A bet above this many antes puts the bot under pressure.
inline constexpr int kLargeBetAntes = 6;
// Pressure = ToCall / Ante / kPressureScale, at most kPressureMax.
inline constexpr double kPressureScale = 100.0;
inline constexpr double kPressureMax = 0.4;
// Under pressure the bot folds when pressure + this exceeds its draw: behind in category, level
// but ahead of the last hand examined, one category ahead.
inline constexpr double kPressureFoldBehind = 0.75;
inline constexpr double kPressureFoldLevel = 0.5;
inline constexpr double kPressureFoldOneAhead = 0.3;

// Behind: folds below this draw when the opponent is more than one category better.
inline constexpr double kBehindFold = 0.7;
// Behind with more than one round to come: calls when a share of the starting chips covers it.
inline constexpr double kBehindCallShare = 0.04;

// Same category: the draw thresholds of the ladder, and the raise in antes at each rung.
inline constexpr double kLevelFold = 0.3;
inline constexpr double kLevelCall = 0.4;
struct Rung {
  double below;
  int antes;
};
inline constexpr std::array<Rung, 5> kLevelRaises{
    {{0.5, 2}, {0.6, 3}, {0.7, 4}, {0.8, 5}, {0.9, 6}}};
inline constexpr int kLevelTopRaiseAntes = 8;

// Ahead: raises when its draw exceeds kAheadRaise or it is at least kAheadDiff categories ahead.
inline constexpr double kAheadRaise = 0.3;
inline constexpr int kAheadDiff = 2;
// The bluffing draw chooses the size: the table maximum, a large or a medium raise, or a small one.
inline constexpr double kBluffMax = 0.95;
inline constexpr double kBluffLarge = 0.9;
inline constexpr double kBluffMedium = 0.8;
inline constexpr int kLargeRaiseAntes = 60;
inline constexpr int kMediumRaiseAntes = 40;
inline constexpr int kSmallRaiseAntes = 4;
// Raises are made in whole multiples of this.
inline constexpr std::int32_t kRaiseUnit = 25;

// Well ahead (Diff > 1): fold, then raises of 1, 2, 4 or 6 times Diff antes.
inline constexpr double kWellAheadFold = 0.2;
inline constexpr std::array<Rung, 3> kWellAheadRaises{{{0.5, 1}, {0.6, 2}, {0.8, 4}}};
inline constexpr int kWellAheadTopAntes = 6;

// Last resort: bets this many antes when ahead, nothing to call and the draw exceeds kLastBet.
inline constexpr double kLastBet = 0.5;
inline constexpr int kLastBetAntes = 2;

}  // namespace corvane::bot
