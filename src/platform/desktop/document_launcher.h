// Opening a document with the desktop's viewer: xdg-open, started directly (never through a
// shell) with the path as its one argument.
//
// A viewer that cannot show the document ends at once with an error: xdg-open finds no browser
// (about a tenth of a second) or the browser refuses to start. One that shows it keeps running,
// or ends well. So a started viewer is not yet success: the hosts wait this long for its end.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace corvane {

inline constexpr double kViewerFailsWithin = 2.0;  // seconds

// Starts `xdg-open PATH`; the process id, or nothing when it could not be started. The caller
// reaps the process.
std::optional<pid_t> StartDocumentViewer(const std::string& path);

// Whether a viewer that ended with the wait status `status` failed to show the document.
bool ViewerFailed(int status);

}  // namespace corvane
