#include "engine/pay_in.h"

#include <algorithm>

#include "table/chips.h"

namespace corvane {

void PayIn(TableState& table, HandState& hand, int seat, std::int32_t amount) {
  std::int32_t& chips = table.players.Chips[seat];
  if (amount > chips) amount = chips;
  chips -= amount;
  AddChips(hand.HandContribution[seat], amount);
  AddChips(hand.OpenContribution[seat], amount);
  AddChips(hand.Pot, amount);
  if (amount > 0 && chips == 0 && !hand.AllIn[seat]) {
    hand.AllIn[seat] = true;
    hand.PendingAllIn[seat] = true;
  }
}

std::int32_t TakeAnte(TableState& table, HandState& hand, int seat) {
  const std::int32_t paid = std::min(table.settings.Ante, table.players.Chips[seat]);
  PayIn(table, hand, seat, paid);
  return paid;
}

}  // namespace corvane
