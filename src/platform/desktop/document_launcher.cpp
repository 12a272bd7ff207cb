#include "platform/desktop/document_launcher.h"

#include <spawn.h>

#include <vector>

extern char** environ;

namespace corvane {

std::optional<pid_t> StartDocumentViewer(const std::string& path) {
  std::string program = "xdg-open";
  std::string argument = path;
  std::vector<char*> argv{program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    return std::nullopt;
  }
  return pid;
}

}  // namespace corvane
