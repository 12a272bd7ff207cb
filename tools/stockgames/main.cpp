// corvane_stockgames: writes the stock custom games as .gam files into the folder given, one file
// per game named after it. The names of the files the build expects follow the folder; the tool
// fails when the games it writes are not exactly those, so the build and the data stay in step.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "stock_games.h"
#include "table/gam_file.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: corvane_stockgames FOLDER [EXPECTED.gam...]\n";
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '/') folder += '/';
  std::vector<std::string> expected(argv + 2, argv + argc);

  std::vector<std::string> written;
  for (const corvane::GameDefinition& game : corvane::StockGames()) {
    const std::string file = game.GameName + ".gam";
    if (!corvane::WriteGamFile(folder + file, game)) {
      std::cerr << "corvane_stockgames: cannot write " << folder << file << '\n';
      return 1;
    }
    written.push_back(file);
  }
  if (!expected.empty()) {
    std::sort(expected.begin(), expected.end());
    std::sort(written.begin(), written.end());
    if (expected != written) {
      std::cerr << "corvane_stockgames: the build expects other files; the games are:\n";
      for (const std::string& file : written) std::cerr << "  " << file << '\n';
      return 1;
    }
  }
  return 0;
}
