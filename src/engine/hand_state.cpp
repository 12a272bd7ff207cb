#include "engine/hand_state.h"

namespace corvane {

void ClearPots(HandState& hand) {
  hand.PotCount = 0;
  hand.PotAmount.fill(0);
  hand.PotCap.fill(0);
}

void ClearForNextHand(HandState& hand) {
  hand.Folded.fill(false);
  hand.AllIn.fill(false);
  hand.PendingAllIn.fill(false);
  hand.HandContribution.fill(0);
  hand.OpenContribution.fill(0);
  hand.ExtraContribution.fill(0);
  hand.WildPayments.fill(0);
  hand.ToCall.fill(0);
  hand.FoldCount = 0;
  hand.BlindsPaid = false;
  hand.HandOver = false;
  hand.CardsShown = false;
  ClearPots(hand);
}

}  // namespace corvane
