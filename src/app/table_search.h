// The tables open on the home network, looked for before a join asks for an address: for at most
// a few seconds, while the player hears that the game is looking. Where discovery does not run
// (no Avahi daemon, a build without it), nothing is said and nothing found.
#pragma once

#include <vector>

#include "app/person.h"
#include "net/discovery.h"
#include "platform/host.h"
#include "speech/speech.h"

namespace corvane {

// More than a home ever hosts at once: one row each, with a digit for its key.
inline constexpr std::size_t kMostTablesOffered = 9;

// Blocks until the browse has all it will find or the time is up; Escape stops it sooner, Alt-F4
// and the window's closing end the program.
std::vector<FoundTable> LookForTables(Host& host, Speech& speech, TimerSink& timers);

}  // namespace corvane
