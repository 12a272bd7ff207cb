#include "engine/seat_valuation.h"

namespace corvane {

HandWilds SeatWilds(const TableState& table, const HandState& hand, int seat, bool fixedOnly) {
  return WildCardsOfHand(table.game, HandOf(table, seat), hand.FollowRank, fixedOnly);
}

HandValue ValueSeat(const TableState& table, const HandState& hand, int seat, bool showingOnly,
                    std::string& description) {
  const HandSlots cards = HandOf(table, seat);
  const FaceUpSlots faceUp = FaceUpOf(table);
  if (table.game.HasWildCards) {
    const HandWilds wilds = SeatWilds(table, hand, seat, false);
    return BestHandWithWilds(cards, faceUp, showingOnly, wilds.cards, description);
  }
  return EvaluateHand(cards, faceUp, showingOnly, 0, description);
}

}  // namespace corvane
