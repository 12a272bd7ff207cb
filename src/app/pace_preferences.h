// The pace and the look of the desktop's text window between runs, in "CV pace.ini": read at
// start-up, written with the game settings when the pace or the look changed, and at the end of
// the run when the player changed the look. A run that changes neither never writes the file.
#pragma once

#include <string>

#include "platform/host.h"
#include "store/pace_file.h"
#include "table/user_settings.h"

namespace corvane {

class PacePreferences {
 public:
  PacePreferences(Host& host, std::string path) : host_(host), path_(std::move(path)) {}

  // Reads the file: the pace into `settings`, the look onto the host's text window. kRefused when
  // the file is there but cannot be read: the normal pace and the default look stay, and the file
  // is kept until new settings are saved.
  FileRead Load(UserSettings& settings);
  // With the game settings: writes the settings' pace and the window's look when either differs
  // from what the file holds. False, with the reason in `error`, when the file could not be
  // written.
  bool Save(const UserSettings& settings, std::string& error);
  // At the end of the run: keeps the window's look when the player changed it, with the pace the
  // file holds (a pace tried without saving is not kept).
  bool KeepLook(std::string& error);

 private:
  bool Write(const PaceFile& file, std::string& error);

  Host& host_;
  std::string path_;
  PaceFile stored_;       // what the file holds; the start-up values when there is none
  bool damaged_ = false;  // the file could not be read: the next save replaces it
};

}  // namespace corvane
