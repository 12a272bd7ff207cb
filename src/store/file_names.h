// File names in the data folder are matched without regard to case, as the game's files may have
// been copied from a system where case does not count ("cv savedtable.sav" is the saved table).
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The path of the file in folder whose name equals name apart from the case of ASCII letters,
// when there is one (the exact name wins over other spellings); otherwise folder + name, the
// path a new file gets. folder ends in "/".
std::string PathIgnoringCase(const std::string& folder, std::string_view name);

// True when name, whatever its case, is one the game gives its own files in the data folder:
// "Settings.sav", "CV config.ini", "CV PokerSettings.sav", "CV SavedTable.sav", "Hand history.txt",
// "Statistics.txt", "CV pace.ini", "CV known tables.txt", "CV table certificate.pem", "CV last
// join.txt" or a game's name followed by ".gam".
bool IsGameFileName(std::string_view name);

// True when a regular file answers to the name, whatever its case.
bool FileExistsIgnoringCase(const std::string& folder, std::string_view name);

}  // namespace corvane
