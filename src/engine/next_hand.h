// What happens after a hand, as the user's answer and the table decide it.
#pragma once

namespace corvane {

enum class NextHand {
  // Another hand of the game just played.
  SameGame,
  // The deal passes to the next bot, which declares the game of its hand (dealer's choice).
  DealersChoice,
  // Back to the game selection menu: the user stopped playing this game, or no hand was dealt.
  GameSelection,
  // The table is over: the user left or was the last player, or the table was quit.
  TableOver,
};

}  // namespace corvane
