// The player at a keyboard: hears the hand described and answers spoken menus, for the bet, the
// cards to exchange and the payment for a wild card. Everything it says goes to that player alone.
#pragma once

#include <cstdint>
#include <string>

#include "engine/seat_player.h"
#include "speech/prompts.h"

namespace corvane {

class KeyboardPlayer : public SeatPlayer {
 public:
  explicit KeyboardPlayer(Prompts& prompts) : prompts_(prompts) {}

  BetChoice ChooseBet(int seat, const TableView& view) override;
  DrawChoice ChooseDiscards(int seat, const TableView& view) override;
  bool PayForWildCard(int seat, std::int32_t cost, bool queen, const TableView& view) override;

 private:
  // The choice between paying `cost` and folding: true to pay. When the cost is more than the
  // seat's chips the answer is to fold, without asking.
  bool PaysOrFolds(int seat, const std::string& text, std::int32_t cost, const TableView& view);
  void Say(const std::string& text) { prompts_.speech().speak(text); }

  Prompts& prompts_;
};

}  // namespace corvane
