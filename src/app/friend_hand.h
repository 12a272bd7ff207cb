// What a friend's program is sent when the friend's seat has finished a hand: the hand as that
// friend heard it (the lines of their V, so their own face-down cards and the others' only as they
// were shown), for the friend's own hand history, and what it counts in their own statistics.
#pragma once

#include <cstdint>

#include "commands/hand_log.h"
#include "net/messages.h"

namespace corvane {

// Within the message's limit: a hand that somehow says more keeps its first lines, as the log
// does. A control character, which no message may carry, becomes a blank.
HandMessage SettledHandMessage(const LoggedHand& hand, std::int32_t collected, std::int32_t chips);

}  // namespace corvane
