// `corvane --bench`: plays every bench table and prints the hands each one played with the
// signature of what was said at it, then the hands played in all, the hands per second of
// processor time (steadier than the clock on the wall when the machine is busy) and the signature
// of everything said. A change of the game's behaviour changes the signature, and the tables'
// own signatures say where; the speed figure is for comparing builds.
#pragma once

#include <ostream>

namespace corvane {

// Returns the program's exit status: 0 when every table was played to its end.
int RunBench(std::ostream& out, std::ostream& err);

}  // namespace corvane
