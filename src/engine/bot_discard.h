// Which cards a bot throws away in a draw. Both rules return the slots to throw, in the order they
// are thrown; the caller discards them and deals the replacements into the same slots.
//
// Without wild cards: a straight or better stands pat; a pair, two pairs or three of a kind throw
// the cards held once (ranks from the Ace up), up to the round's maximum; a high-card hand with
// four cards of one suit throws the odd card, one with four ranks in sequence throws the card
// outside the run, and any other high-card hand throws its lowest cards, at most three, keeping the
// highest.
//
// With wild cards: the cards outside the natural made hand (its kicker cards, lowest first) are
// thrown, up to the round's maximum, but a wild card is always kept.
#pragma once

#include <array>
#include <vector>

#include "eval/evaluator.h"

namespace corvane {

// The slots a bot may exchange: those holding one of its own cards (not a community card).
using DrawableSlots = std::array<bool, 8>;

std::vector<int> BotDiscard(const HandSlots& cards, const DrawableSlots& drawable,
                            int maxDrawCards);

std::vector<int> WildBotDiscard(const HandSlots& cards, const DrawableSlots& drawable,
                                const WildList& wilds, int maxDrawCards);

}  // namespace corvane
