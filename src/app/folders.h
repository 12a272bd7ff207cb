// Where the program finds its own files and keeps the user's.
#pragma once

#include <string>

namespace corvane {

struct Folders {
  std::string ProgramFolder;  // the executable's folder: sounds, help, stock games; ends in "/"
  std::string DataFolder;     // the user's files; ends in "/"
  // Said at start-up when the user's files cannot be kept where they belong: where they are kept
  // instead, or that they last only until the game ends. Empty when all is well.
  std::string DataFolderNote;
  // The data folder was made for this run alone and is removed when the game ends.
  bool TemporaryDataFolder = false;
};

// The folder of the running executable, ending in "/".
std::string ExecutableFolder();

// The user's folder is "Corvane/" in $APPDATA, else in $XDG_DATA_HOME, else in
// $HOME/.local/share, created when missing. When it cannot be made or written to, the next of
// those places that can is taken; when none can, a folder made for this run in the system's
// temporary folder (and, should even that fail, the program folder). The temporary folder starts
// with a copy of the game's files in the first of those places that is a folder, one that can be
// read but not written to, so that what was saved there is read. Any of these but the first comes
// with a note for the user. Fills every field but ProgramFolder.
void FindDataFolder(Folders& folders);

// Copies every "*.gam" file (any case) of the program folder into the data folder when the data
// folder has no game of that name (in any case): a game the user built is never replaced. False
// when a copy failed.
bool CopyStockGames(const Folders& folders);

}  // namespace corvane
