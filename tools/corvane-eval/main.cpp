// corvane-eval: values hands read from standard input, one a line, and prints each value, a tab
// and the spoken description. A malformed line is reported on standard error; the tool goes on
// with the next line and exits 1 at the end.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "eval_line.h"

int main(int argc, char** argv) {
  CLI::App app{
      "Values poker hands read from standard input, one a line: up to seven card numbers "
      "1..52 (0 = empty slot); optionally '|' and the wild card numbers; optionally a second '|' "
      "and seven characters 1/0 marking the face-up slots (showing-only mode). Prints the hand "
      "value, a tab and the description."};
  bool kicker = false;
  app.add_flag("-k,--kicker", kicker, "describe with the kicker clause (lines without '|')");
  CLI11_PARSE(app, argc, argv);

  bool failed = false;
  std::string line;
  while (std::getline(std::cin, line)) {
    const auto parsed = corvane::ParseEvalLine(line);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
      std::cerr << "error: " << *error << '\n';
      failed = true;
      continue;
    }
    std::cout << corvane::ValueEvalLine(std::get<corvane::EvalLine>(parsed), kicker) << '\n';
  }
  std::cout.flush();
  return failed ? 1 : 0;
}
