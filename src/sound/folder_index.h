// The program folder's files, listed once. Sounds lie there and are found without regard to the
// case of their names: the game asks for both "intro.wav" and "intro.WAV", and the sound engine
// looks names up in capitals. Nothing is added to the program folder while the game runs, so one
// listing serves every sound of the run.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace corvane {

class FolderIndex {
 public:
  // `folder` ends in "/".
  explicit FolderIndex(std::string folder);

  // The path of `name` in the folder: the file of exactly that name when there is one, else the
  // first in name order of the entries whose names differ from it only in the case of ASCII
  // letters, else folder + name as it stands (which then cannot be opened). The folder is listed
  // the first time a name is looked up, which is the first sound the game plays at start-up.
  std::string PathOf(const std::string& name);

 private:
  void List();

  std::string folder_;
  bool listed_ = false;
  std::unordered_set<std::string> files_;                    // regular files, by their own names
  std::unordered_map<std::string, std::string> byCapitals_;  // capitals -> first name in order
};

}  // namespace corvane
