#include "eval/evaluator.h"
#include "table/table_state.h"

namespace corvane {

HandSlots HandOf(const TableState& table, int hand) {
  HandSlots slots{};
  if (hand < 0 || hand >= static_cast<int>(table.Cards.size())) return slots;
  for (std::size_t i = 1; i <= 7; ++i) slots[i] = table.Cards[static_cast<std::size_t>(hand)][i];
  return slots;
}

FaceUpSlots FaceUpOf(const TableState& table) {
  FaceUpSlots faceUp{};
  for (std::size_t i = 1; i <= 7; ++i) faceUp[i] = table.game.Rounds[i].FaceUp;
  return faceUp;
}

}  // namespace corvane
