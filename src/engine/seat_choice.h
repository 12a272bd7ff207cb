// What a seat answers when the hand engine asks it: its betting choice, the cards it exchanges in
// a draw. The engine checks every answer against the rules and applies it; a seat only chooses.
#pragma once

#include <cstdint>
#include <vector>

namespace corvane {

// The actions of a turn in a betting round. The betting menu's four (check or call, bet or raise,
// all-in, fold) and the bots' ladder's three (a check or a fold when something is owed; a call,
// all-in when the chips do not cover it; a raise cut to the table's limits) are spoken apart, so
// each keeps its own name.
enum class BetAction {
  Pass,         // nothing to decide: a check without a word (only when nothing is owed)
  CheckOrCall,  // the menu's Check or Call
  BetOrRaise,   // the menu's Raise, by `amount`
  AllIn,        // the menu's All-In
  Fold,         // the menu's Fold
  CheckOrFold,  // the ladder's check, or a fold when something is owed
  Call,         // the ladder's call
  Raise,        // the ladder's raise of `amount`, cut to the table's limits
};

struct BetChoice {
  BetAction action = BetAction::Pass;
  std::int32_t amount = 0;
};

// How the cards of a draw are exchanged: each thrown card replaced at once, or every card thrown
// first and the replacements dealt in slot order. The deck and the pile see the difference.
enum class Exchange { CardByCard, ThrowAllFirst };

struct DrawChoice {
  // The slots whose cards are thrown, in the order they are thrown.
  std::vector<int> slots;
  Exchange exchange = Exchange::CardByCard;
};

}  // namespace corvane
