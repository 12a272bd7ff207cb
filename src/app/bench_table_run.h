// One bench table played by the real game in script mode: the script host with its virtual clock,
// the recording speech engines, no sound device, and a fresh temporary data folder that is
// removed afterwards, so that nothing of the player's own files reaches the table.
#pragma once

#include <cstdint>
#include <string>

#include "app/bench_tables.h"
#include "app/transcript_signature.h"

namespace corvane {

struct BenchTableRun {
  std::int64_t hands = 0;       // counted by the game as each hand ends
  double seconds = 0;           // processor time of the play, from the start-up to the exit
  int status = 0;               // 0 when the table was played to its end
  std::string error;            // why it was not
  std::uint64_t signature = 0;  // of this table's transcript alone
};

// Plays `table`; every line the game says, and every message box, is added to `all` and to the
// table's own signature in the order it came, with the data and program folders written as
// "<data>/" and "<program>/" so that the signature is the same wherever the game and its files
// are.
BenchTableRun PlayBenchTable(const BenchTable& table, TranscriptSignature& all);

}  // namespace corvane
