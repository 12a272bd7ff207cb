// The side-pot builder: after every pass of a betting round the chips paid since the last pass are
// put into the pots. Each pending all-in closes the pot being built at its size; the chips above it
// start the next pot, which that player cannot win.
#pragma once

#include "engine/hand_state.h"

namespace corvane {

void BuildSidePots(HandState& hand, int playerCount);

// Chips in the Pot that belong to no pot yet (open contributions and chips carried in from between
// hands) are added to the pots, so that the pots hold the whole Pot: open contributions by the
// builder above, anything left over into the main pot, which every hand still in may win.
void GatherPot(HandState& hand, int playerCount);

}  // namespace corvane
