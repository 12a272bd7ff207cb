#include "platform/desktop/termination_signals.h"

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace corvane {

namespace {

sigset_t TerminationSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kTerminationSignals) sigaddset(&set, signal);
  return set;
}

}  // namespace

TerminationSignalDescriptor::TerminationSignalDescriptor() {
  const sigset_t set = TerminationSet();
  blocked_ = pthread_sigmask(SIG_BLOCK, &set, &saved_) == 0;
  if (blocked_) fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (blocked_ && fd_ < 0) {
    // Blocked signals that no one reads would never end the program: leave them as they were.
    pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
    blocked_ = false;
  }
}

TerminationSignalDescriptor::~TerminationSignalDescriptor() {
  if (fd_ >= 0) close(fd_);
  if (blocked_) pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

bool TerminationSignalDescriptor::Take() {
  bool came = false;
  signalfd_siginfo info{};
  while (fd_ >= 0 && read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    came = true;
  }
  return came;
}

}  // namespace corvane
