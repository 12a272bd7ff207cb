// The signals that ask the program to end: SIGTERM (a logout, kill), SIGINT (Control-C where the
// terminal still makes it a signal) and SIGHUP (the terminal or the session went away). Each host
// turns them into a close, so the program ends as Alt-F4 ends it: its state put away, the
// terminal given back as it was.
#pragma once

#include <signal.h>

#include <array>

namespace corvane {

inline constexpr std::array<int, 3> kTerminationSignals{SIGTERM, SIGINT, SIGHUP};

// For a host that waits with poll(): while it lives the termination signals are blocked and
// arrive on a descriptor instead. Threads started meanwhile inherit the block, so the signals
// reach no one else; processes started from here must unblock them (see document_launcher).
class TerminationSignalDescriptor {
 public:
  TerminationSignalDescriptor();
  ~TerminationSignalDescriptor();
  TerminationSignalDescriptor(const TerminationSignalDescriptor&) = delete;
  TerminationSignalDescriptor& operator=(const TerminationSignalDescriptor&) = delete;

  // Readable when a signal has come; -1 when the descriptor could not be made.
  int Descriptor() const { return fd_; }
  // Takes the signals that have come; true when there was one.
  bool Take();

 private:
  sigset_t saved_{};
  bool blocked_ = false;
  int fd_ = -1;
};

}  // namespace corvane
