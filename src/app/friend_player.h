// Decides for a friend's seat: the friend's own menus while their program answers; when it stops
// answering in the middle of a decision (their connection dropped), a bot makes that decision with
// the seat's attributes, as it makes the next ones until the friend is back.
#pragma once

#include "engine/bot_player.h"
#include "engine/keyboard_player.h"
#include "engine/seat_player.h"
#include "speech/keyboard.h"

namespace corvane {

class FriendPlayer : public SeatPlayer {
 public:
  FriendPlayer(KeyboardPlayer& keys, Random& game) : keys_(keys), standIn_(game) {}

  BetChoice ChooseBet(int seat, const TableView& view) override {
    try {
      return keys_.ChooseBet(seat, view);
    } catch (const PersonGone&) {
      return standIn_.ChooseBet(seat, view);
    }
  }
  DrawChoice ChooseDiscards(int seat, const TableView& view) override {
    try {
      return keys_.ChooseDiscards(seat, view);
    } catch (const PersonGone&) {
      return standIn_.ChooseDiscards(seat, view);
    }
  }
  bool PayForWildCard(int seat, std::int32_t cost, bool queen, const TableView& view) override {
    try {
      return keys_.PayForWildCard(seat, cost, queen, view);
    } catch (const PersonGone&) {
      return standIn_.PayForWildCard(seat, cost, queen, view);
    }
  }

 private:
  KeyboardPlayer& keys_;
  BotPlayer standIn_;
};

}  // namespace corvane
