// The wild cards of a hand, and the payments of Follow the Queen: a Queen dealt face up costs its
// owner two antes and makes the rank of the next face-up card wild, which costs that card's owner
// one ante. Whoever will not or cannot pay folds. The payments go into the pot being built.
#include <fmt/format.h>

#include "engine/hand_engine.h"
#include "table/chips.h"

namespace corvane {

namespace {

constexpr int kQueen = 12;

}  // namespace

void HandEngine::WildCardCheck(int seat, int round) {
  if (table_.game.GameCode != kFollowTheQueen) return;
  if (round < 1 || round > kMaxRounds) return;
  const CardNumber card = table_.Cards[seat][round];
  if (card == 0) return;
  const std::int32_t ante = table_.settings.Ante;
  const int rank = CardRank(card);

  if (hand_.FollowPending) {
    hand_.FollowRank = static_cast<std::int16_t>(rank);
    if (rank != kQueen) {
      // This card's rank is wild now.
      hand_.FollowPending = false;
      ChargeForWildCard(seat, ante, false);
      return;
    }
  }
  if (rank == kQueen) {
    // A Queen starts again: the rank of the next face-up card will be wild.
    hand_.FollowRank = 0;
    hand_.FollowPending = true;
    ChargeForWildCard(seat, 2 * ante, true);
  }
}

bool HandEngine::ChargeForWildCard(int seat, std::int32_t cost, bool queen) {
  // A player alone in the hand would only pay into a pot that is already his.
  if (OneSeatLeft()) return false;
  const bool pays = PlayerAt(seat).PayForWildCard(seat, cost, queen, View());
  CheckGameOver();
  if (!pays || cost > table_.players.Chips[seat]) {
    // An all-in player has nothing to pay with and keeps the hand.
    Fold(seat);
    return false;
  }
  PayWildCard(seat, cost);
  if (queen) {
    Say(fmt::format("{} pays for the queen wildcard {}", Name(seat), cost));
  } else {
    // The person who paid hears it in the words of the question just answered.
    Say(Audience::Only(seat),
        fmt::format("{} pays for the wildcard following the queen {}", Name(seat), cost));
    Say(Audience::AllBut(seat),
        fmt::format("{} pays for the wildcard that follows the queen {}", Name(seat), cost));
  }
  ChipSound(seat, cost);
  Pause(2.5);
  return true;
}

void HandEngine::PayWildCard(int seat, std::int32_t cost) {
  std::int32_t& chips = table_.players.Chips[seat];
  chips -= cost;
  AddChips(hand_.ExtraContribution[seat], cost);
  AddChips(hand_.WildPayments[seat], cost);
  AddChips(hand_.Pot, cost);
  // A payment that takes the last chip leaves nothing to bet with: the player is all-in, and can
  // win what was paid up to now.
  if (chips == 0 && !hand_.AllIn[seat]) {
    hand_.AllIn[seat] = true;
    hand_.PendingAllIn[seat] = true;
  }
}

}  // namespace corvane
