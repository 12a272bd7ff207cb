// The answer to the W key at a table of seven, from the table as the deal leaves it to the chance
// of winning: Seven Card Stud on third and fifth street, Texas Holdem before the flop, Follow the
// Queen on third street and Kings and Little Ones before the draw. Each benchmark cycles through
// deals of its own, so one iteration is one answer to one key press.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <vector>

#include "engine/win_chance.h"
#include "table/load_game_definition.h"

namespace corvane {
namespace {

constexpr int kSeats = 7;
constexpr int kDeals = 16;

struct Deal {
  TableState table;
  HandState hand;
};

// Deals card rounds 1..`rounds` of the game to seven players from a shuffled deck, round by round
// from the seat after the dealer; a community round gives every seat the same card. In Follow the
// Queen the wild rank follows the face-up cards as they come.
std::vector<Deal> Deals(int gameCode, int rounds, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Deal> deals(kDeals);
  for (Deal& d : deals) {
    TableState& t = d.table;
    LoadGameDefinition(t.game, gameCode, "");
    t.PlayerCount = kSeats;
    t.Dealer = static_cast<std::int16_t>(std::uniform_int_distribution<int>(1, kSeats)(random));
    std::array<CardNumber, 52> deck{};
    std::iota(deck.begin(), deck.end(), CardNumber{1});
    std::shuffle(deck.begin(), deck.end(), random);
    std::size_t next = 0;
    for (int r = 1; r <= rounds; ++r) {
      const CardRound& round = t.game.Rounds[r];
      const CardNumber shared = deck[next];
      if (round.Shared) ++next;
      for (int i = 0; i < kSeats; ++i) {
        const int seat = (t.Dealer + i) % kSeats + 1;
        const CardNumber card = round.Shared ? shared : deck[next++];
        t.Cards[seat][r] = card;
        t.DealtCount = static_cast<std::int16_t>(next);
        t.Deck[next] = card;
        if (gameCode != kFollowTheQueen || !round.FaceUp) continue;
        HandState& h = d.hand;
        if (h.FollowPending) {
          h.FollowRank = static_cast<std::int16_t>(CardRank(card));
          h.FollowPending = CardRank(card) == 12;
        }
        if (CardRank(card) == 12) {
          h.FollowRank = 0;
          h.FollowPending = true;
        }
      }
    }
    d.hand.CurrentRound = static_cast<std::int16_t>(rounds);
    d.hand.DrawsLeft = t.game.Rounds[rounds].Draws;
  }
  return deals;
}

void Answer(benchmark::State& state, int gameCode, int rounds) {
  const std::vector<Deal> deals = Deals(gameCode, rounds, 7);
  std::size_t i = 0;
  std::int64_t sampled = 0;
  for (auto _ : state) {
    const WinChance chance = ChanceOfWinning(deals[i].table, deals[i].hand, kHostSeat);
    benchmark::DoNotOptimize(chance.share);
    sampled += chance.deals;
    i = (i + 1) % deals.size();
  }
  state.counters["deals_per_answer"] =
      static_cast<double>(sampled) / static_cast<double>(state.iterations());
}

void BM_SevenCardStudThirdStreet(benchmark::State& state) {
  Answer(state, kSevenCardStud, 3);
}
BENCHMARK(BM_SevenCardStudThirdStreet)->Unit(benchmark::kMillisecond);

void BM_SevenCardStudFifthStreet(benchmark::State& state) {
  Answer(state, kSevenCardStud, 5);
}
BENCHMARK(BM_SevenCardStudFifthStreet)->Unit(benchmark::kMillisecond);

void BM_TexasHoldemBeforeTheFlop(benchmark::State& state) {
  Answer(state, kTexasHoldem, 2);
}
BENCHMARK(BM_TexasHoldemBeforeTheFlop)->Unit(benchmark::kMillisecond);

void BM_FollowTheQueenThirdStreet(benchmark::State& state) {
  Answer(state, kFollowTheQueen, 3);
}
BENCHMARK(BM_FollowTheQueenThirdStreet)->Unit(benchmark::kMillisecond);

void BM_KingsAndLittleOnesBeforeTheDraw(benchmark::State& state) {
  Answer(state, kKingsAndLittleOnes, 5);
}
BENCHMARK(BM_KingsAndLittleOnesBeforeTheDraw)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
