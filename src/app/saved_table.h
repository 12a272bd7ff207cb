// The one table kept between runs: saved from the game selection menu, restored or deleted from
// the main menu, deleted silently when a game ends.
#pragma once

#include <cstdint>
#include <string>

#include "speech/speech.h"
#include "table/table_state.h"
#include "table/user_settings.h"

namespace corvane {

class SavedTables {
 public:
  SavedTables(TableState& table, UserSettings& settings, Speech& speech, std::string dataFolder);

  // 0 on success; otherwise "File save error: " and the reason have been spoken.
  int SaveTable();
  // 0 when restored; 1000 when there was none ("No saved table to restore"); 1 when the file could
  // not be read (said so, the file left as it is).
  int RestoreTable();
  // 0 when the file existed and was deleted, 1 when there was none (or it could not be removed).
  int DeleteSavedTable(bool announce);
  bool Exists() const;
  // The file is there and sound: RestoreTable would restore it.
  bool Readable() const;

 private:
  std::string Path() const;

  TableState& table_;
  UserSettings& settings_;
  Speech& speech_;
  std::string dataFolder_;
};

}  // namespace corvane
