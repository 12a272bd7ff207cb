#include "platform/desktop/document_launcher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <vector>

#include "platform/desktop/termination_signals.h"

extern char** environ;

namespace corvane {

std::optional<pid_t> StartDocumentViewer(const std::string& path) {
  std::string program = "xdg-open";
  std::string argument = path;
  std::vector<char*> argv{program.data(), argument.data(), nullptr};
  // The viewer starts with every signal unblocked and the termination signals at their default
  // action, whatever this program did with them.
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) return std::nullopt;
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (const int signal : kTerminationSignals) sigaddset(&defaults, signal);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, program.c_str(), nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) return std::nullopt;
  return pid;
}

bool ViewerFailed(int status) {
  return !WIFEXITED(status) || WEXITSTATUS(status) != 0;
}

}  // namespace corvane
