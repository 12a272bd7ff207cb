// Opening a document with the desktop's viewer: xdg-open, started directly (never through a
// shell) with the path as its one argument.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace corvane {

// Starts `xdg-open PATH`; the process id, or nothing when it could not be started. The caller
// reaps the process.
std::optional<pid_t> StartDocumentViewer(const std::string& path);

}  // namespace corvane
