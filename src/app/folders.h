// Where the program finds its own files and keeps the user's.
#pragma once

#include <string>

namespace corvane {

struct Folders {
  std::string ProgramFolder;  // the executable's folder: sounds, help, stock games; ends in "/"
  std::string DataFolder;     // the user's files; ends in "/"
};

// The folder of the running executable, ending in "/".
std::string ExecutableFolder();

// $APPDATA, else $XDG_DATA_HOME, else $HOME/.local/share, followed by "Corvane/", created when
// missing; the program folder when none of them gives a folder that can be made.
std::string FindDataFolder(const std::string& programFolder);

// Copies every "*.gam" file (any case) of the program folder into the data folder when the data
// folder has no game of that name (in any case): a game the user built is never replaced. False
// when a copy failed.
bool CopyStockGames(const Folders& folders);

}  // namespace corvane
