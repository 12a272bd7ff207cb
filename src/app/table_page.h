// The page a friend's web browser opens at a hosted table, and the files it fetches: the page
// itself (index.html, table.js, table.css) from web/ beside the program, the sounds and the help
// from the program's own folder (or the help from the package's documentation). A hosting table
// hands these folders to its port.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr std::string_view kTablePageFolder = "web/";
// Where the Debian package keeps the help (beside the program are links to it, which the port
// never follows), from the program's folder.
inline constexpr std::string_view kPackagedHelpFolder = "../../share/doc/corvane/";

// The port's page folders, the page's own first; `programFolder` ends in "/".
inline std::vector<std::string> TablePageFolders(const std::string& programFolder) {
  return {programFolder + std::string(kTablePageFolder), programFolder,
          programFolder + std::string(kPackagedHelpFolder)};
}

}  // namespace corvane
