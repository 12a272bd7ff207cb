// Side pots and odd chips, one table: what each seat paid and who went all-in make the pots; the
// hands still in, best first, win them; every chip is paid out, the odd chips of a shared pot one
// each to its winners from the dealer's left.
#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "engine/pot_award.h"
#include "engine/side_pots.h"

namespace corvane {
namespace {

std::vector<int> Numbers(const std::string& text) {
  std::istringstream in(text);
  std::vector<int> numbers;
  for (int n; in >> n;) numbers.push_back(n);
  return numbers;
}

TEST(Pots, SidePotsAndOddChips) {
  const struct {
    const char* what;
    const char* paid;   // by seats 1, 2, ...
    const char* allIn;  // the seats that went all-in
    int carried;        // chips left in the Pot by players who left between hands
    const char* hands;  // the values of the hands still in, by seat ("seat:value")
    int dealer;
    const char* pots;    // amount and, for a pot capped by an all-in, "/seat"
    const char* shares;  // what each seat wins
  } rows[] = {
      {"nobody all-in: one pot", "100 100 40", "", 0, "1:3 2:1 3:2", 3, "240", "240 0 0"},
      {"chips carried in go into the main pot", "50 50", "", 7, "1:1 2:2", 1, "107", "0 107"},
      {"two all-ins cut two pots in order of size", "100 50 30 100", "2 3", 0, "1:1 2:2 3:3 4:4", 4,
       "120/3 60/2 100", "0 0 0 280"},
      {"each pot goes to the best hand that may claim it", "100 50 30 100", "2 3", 0,
       "1:1 2:3 3:4 4:2", 4, "120/3 60/2 100", "0 60 120 100"},
      {"an all-in for less caps the main pot", "50 150 150", "1", 0, "1:3 2:1 3:2", 3, "150/1 200",
       "150 0 200"},
      {"seven all-ins never use an eighth pot", "10 20 30 40 50 60 70", "1 2 3 4 5 6 7", 0,
       "1:1 2:2 3:3 4:4 5:5 6:6 7:7", 1, "70/1 60/2 50/3 40/4 30/5 20/6 10/7", "0 0 0 0 0 0 280"},
      {"a split pot: the odd chip to the first winner left of the dealer", "5 10 10 0", "", 0,
       "2:2 3:2 4:1", 2, "25", "0 12 13 0"},
      {"the same, the dealer in the last seat", "5 10 10 0", "", 0, "2:2 3:2 4:1", 4, "25",
       "0 13 12 0"},
      {"three ways, two odd chips", "20 20 10", "", 0, "1:5 2:5 3:5", 1, "50", "16 17 17"},
      {"a split side pot and a split main pot", "30 61 61 61", "1", 0, "1:9 2:5 3:5 4:1", 1,
       "120/1 93", "120 47 46 0"},
      {"a pot no hand still in may claim goes to the winners below it", "30 70 100 100", "1 2", 0,
       "1:1 2:2", 1, "120/1 120/2 60", "0 300 0 0"},
      {"the same when the best hand may claim only the main pot", "30 70 100 100", "1 2", 0,
       "1:2 2:1", 1, "120/1 120/2 60", "120 180 0 0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const std::vector<int> paid = Numbers(row.paid);
    const int players = static_cast<int>(paid.size());
    HandState hand;
    for (int seat = 1; seat <= players; ++seat) {
      hand.OpenContribution[seat] = hand.HandContribution[seat] = paid[seat - 1];
      hand.Pot += paid[seat - 1];
    }
    for (const int seat : Numbers(row.allIn)) hand.PendingAllIn[seat] = hand.AllIn[seat] = true;
    hand.Pot += row.carried;
    BuildSidePots(hand, players);
    GatherPot(hand, players);
    std::ostringstream pots;
    for (int p = 1; p <= hand.PotCount; ++p) {
      pots << (p > 1 ? " " : "") << hand.PotAmount[p];
      if (hand.PotCap[p] != 0) pots << "/" << hand.PotCap[p];
    }
    EXPECT_EQ(pots.str(), row.pots);

    std::vector<RankedHand> ranked;
    std::istringstream in(row.hands);
    for (std::string h; in >> h;) {
      ranked.push_back({std::stoi(h), std::stoi(h.substr(h.find(':') + 1))});
    }
    RankHands(ranked);
    const PotAward award = AwardPots(ranked, hand, row.dealer, players);
    std::vector<int> shares(static_cast<std::size_t>(players), 0);
    for (std::size_t k = 0; k < ranked.size(); ++k) {
      shares[static_cast<std::size_t>(ranked[k].seat - 1)] = award.share[k];
    }
    EXPECT_EQ(shares, Numbers(row.shares));
    EXPECT_EQ(std::accumulate(shares.begin(), shares.end(), 0), hand.Pot) << "every chip is paid";
  }
}

}  // namespace
}  // namespace corvane
