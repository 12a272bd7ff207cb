#include "engine/bot_ladder.h"

#include <algorithm>

#include "engine/bot_constants.h"
#include "table/rounding.h"

namespace corvane {

HandValue AssumedOpponentValue(const GameDefinition& game, int currentRound, int drawsLeft,
                               int handWildCount) {
  const int round = std::clamp(currentRound, 1, kMaxRounds);
  std::int64_t drawn = 0;
  for (int r = 1; r < round; ++r) {
    drawn += static_cast<std::int64_t>(game.Rounds[r].Draws) * game.Rounds[r].MaxDrawCards;
  }
  drawn += static_cast<std::int64_t>(game.Rounds[round].Draws - drawsLeft) *
           game.Rounds[round].MaxDrawCards;

  if (!game.HasWildCards) {
    const bot::AssumedHand assumed = bot::kAssumedHand[round];
    return MakeHandValue(assumed.category, assumed.rank, 0, 0, 0, 0) +
           static_cast<HandValue>(drawn * bot::kDrawnCardValue);
  }
  const std::int64_t perRound =
      bot::kWildBaseValue + std::int64_t{handWildCount} * bot::kWildCardValue;
  std::int64_t value = RoundHalfEven(static_cast<double>(perRound) * round);
  value += drawn * bot::kWildDrawnCardValue;
  return static_cast<HandValue>(std::min<std::int64_t>(value, bot::kWildAssumedMax));
}

int CategoryMargin(bool hiddenStrength, int myCategory, int oppCategory) {
  return hiddenStrength ? myCategory - oppCategory - 1 : myCategory - oppCategory;
}

namespace {

BotChoice Choose(BotMove move, BotStep step, std::int32_t amount = 0) {
  return BotChoice{move, amount, step};
}

}  // namespace

BotChoice ChooseBotMove(const BotSituation& s, const std::function<double()>& rnd) {
  // A draw weighted by an attribute, fresh for every test that names it.
  const auto draw = [&](float attribute) { return (rnd() + attribute) / 2.0; };
  const auto risk = [&] { return draw(s.RiskTaker); };
  const std::int32_t ante = s.Ante;

  // A large bet to face.
  if (s.ToCall > bot::kLargeBetAntes * ante) {
    const double pressure =
        std::min(static_cast<double>(s.ToCall) / ante / bot::kPressureScale, bot::kPressureMax);
    if (pressure + bot::kPressureFoldBehind > risk() && s.Diff < 0) {
      return Choose(BotMove::CheckOrFold, BotStep::LargeBet);
    }
    if (pressure + bot::kPressureFoldLevel > risk() && s.MyValue > s.LastShowingValue &&
        s.Diff == 0) {
      return Choose(BotMove::CheckOrFold, BotStep::LargeBet);
    }
    if (pressure + bot::kPressureFoldOneAhead > risk() && s.Diff == 1) {
      return Choose(BotMove::CheckOrFold, BotStep::LargeBet);
    }
  }

  // Behind.
  if (s.OppValue > s.MyValue) {
    const double r = risk();
    if ((r < bot::kBehindFold && s.OppCategory - 1 > s.MyCategory) ||
        s.CurrentRound == s.RoundCount) {
      return Choose(BotMove::CheckOrFold, BotStep::Behind);
    }
    if (s.CurrentRound + 2 > s.RoundCount) {
      return Choose(s.ToCall > 0 ? BotMove::CheckOrFold : BotMove::Call, BotStep::Behind);
    }
    const double a = rnd();
    const double b = rnd();
    if (a * bot::kBehindCallShare * s.StartingChips * (b + s.RiskTaker) > s.ToCall) {
      return Choose(BotMove::Call, BotStep::Behind);
    }
    return Choose(BotMove::CheckOrFold, BotStep::Behind);
  }

  // The same category.
  if (s.MyCategory == s.OppCategory) {
    const double r = risk();
    if (r < bot::kLevelFold) return Choose(BotMove::CheckOrFold, BotStep::SameCategory);
    if (r < bot::kLevelCall) return Choose(BotMove::Call, BotStep::SameCategory);
    for (const bot::Rung rung : bot::kLevelRaises) {
      if (r < rung.below) return Choose(BotMove::Raise, BotStep::SameCategory, rung.antes * ante);
    }
    return Choose(BotMove::Raise, BotStep::SameCategory, bot::kLevelTopRaiseAntes * ante);
  }

  // Ahead.
  if (s.MyValue > s.OppValue) {
    const double r = risk();
    if (r > bot::kAheadRaise || s.Diff >= bot::kAheadDiff) {
      const double r2 = draw(s.Bluffing);
      std::int64_t raise = 0;
      if (r2 > bot::kBluffMax) {
        raise = s.MaxRaise;
      } else if (r2 > bot::kBluffLarge) {
        raise = RoundHalfEven((rnd() + s.Aggressiveness) * bot::kLargeRaiseAntes * ante / 2);
      } else if (r2 > bot::kBluffMedium) {
        raise = RoundHalfEven((rnd() + s.Aggressiveness) * bot::kMediumRaiseAntes * ante / 2);
      } else {
        raise = std::max<std::int64_t>(std::int64_t{s.Diff - bot::kAheadDiff} * ante, 0) +
                RoundHalfEven((rnd() + s.Aggressiveness) * ante * bot::kSmallRaiseAntes);
      }
      raise -= raise % bot::kRaiseUnit;
      return Choose(BotMove::Raise, BotStep::Ahead, static_cast<std::int32_t>(raise));
    }
  }

  // Well ahead.
  if (s.Diff > 1) {
    const double r = risk();
    if (r < bot::kWellAheadFold) return Choose(BotMove::CheckOrFold, BotStep::WellAhead);
    for (const bot::Rung rung : bot::kWellAheadRaises) {
      if (r < rung.below) {
        return Choose(BotMove::Raise, BotStep::WellAhead, rung.antes * s.Diff * ante);
      }
    }
    return Choose(BotMove::Raise, BotStep::WellAhead, bot::kWellAheadTopAntes * s.Diff * ante);
  }

  // The last resort.
  if (risk() > bot::kLastBet && s.MyValue > s.OppValue && s.ToCall == 0) {
    return Choose(BotMove::Raise, BotStep::LastResort, bot::kLastBetAntes * ante);
  }
  return Choose(BotMove::Call, BotStep::LastResort);
}

ResolvedRaise ResolveBotRaise(std::int32_t raise, const RaiseLimits& limits) {
  if (limits.ToCall > limits.Chips || limits.RaiseCount >= limits.MaxRaises ||
      limits.ActiveCount < 2) {
    return {RaiseAct::Call, 0};
  }
  std::int32_t r = std::min(raise, limits.MaxRaise);
  r = std::max(r, limits.LastRaise);
  if (std::int64_t{r} + limits.ToCall > limits.Chips) return {RaiseAct::AllIn, 0};
  if (r == 0) return {RaiseAct::Call, 0};
  return {RaiseAct::BetOrRaise, r};
}

}  // namespace corvane
