#include "app/bench_command.h"

#include "app/bench_table_run.h"
#include "app/bench_tables.h"
#include "table/rounding.h"

namespace corvane {

int RunBench(std::ostream& out, std::ostream& err) {
  TranscriptSignature signature;
  std::int64_t hands = 0;
  double seconds = 0;
  for (const BenchTable& table : BenchTables()) {
    const BenchTableRun run = PlayBenchTable(table, signature);
    if (run.status != 0) {
      err << "corvane: the bench table " << table.name << " stopped with status " << run.status
          << "\n"
          << run.error;
      return 1;
    }
    out << table.name << ": " << run.hands << " hands, signature " << run.signature << "\n";
    hands += run.hands;
    seconds += run.seconds;
  }
  out << "Hands played: " << hands << "\n";
  out << "Hands per second: " << (seconds > 0 ? RoundHalfEven(hands / seconds) : 0) << "\n";
  out << "Signature: " << signature.Value() << "\n";
  return 0;
}

}  // namespace corvane
