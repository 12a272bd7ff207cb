// Writes every wave file the game names into the folder given on the command line.
#include <chrono>
#include <cstdio>
#include <string>

#include "sounds.h"
#include "wave_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  std::string folder = argv[1];
  if (!folder.empty() && folder.back() != '/') folder += '/';
  const auto start = std::chrono::steady_clock::now();
  int written = 0;
  for (const soundgen::Recipe& recipe : soundgen::AllSounds()) {
    const soundgen::Track track = recipe.make();
    if (!soundgen::WriteWave(folder + recipe.file, track)) {
      std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), recipe.file);
      return 1;
    }
    ++written;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%d sounds written to %s in %.2f s\n", written, folder.c_str(), took.count());
  return 0;
}
