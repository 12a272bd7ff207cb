// The player at the keyboard: hears the hand described and answers spoken menus, for the bet, the
// cards to exchange and the payment for a wild card.
#pragma once

#include <cstdint>
#include <string>

#include "engine/seat_player.h"
#include "speech/prompts.h"

namespace corvane {

class HandEngine;

class KeyboardPlayer : public SeatPlayer {
 public:
  KeyboardPlayer(HandEngine& engine, Prompts& prompts) : engine_(engine), prompts_(prompts) {}

  void ChooseBet(int seat) override;
  void ChooseDiscards(int seat) override;
  bool PayForWildCard(int seat, std::int32_t cost, bool queen) override;

 private:
  // The choice between paying `cost` and folding: 1 pay, 2 fold. When the cost is more than the
  // seat's chips the answer is 2 without asking.
  int PayOrFold(int seat, const std::string& text, std::int32_t cost);

  HandEngine& engine_;
  Prompts& prompts_;
};

}  // namespace corvane
