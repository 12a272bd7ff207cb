#include "app/saved_table.h"

#include <filesystem>

#include "store/file_names.h"
#include "store/saved_table_file.h"

namespace corvane {

SavedTables::SavedTables(TableState& table, UserSettings& settings, Speech& speech,
                         std::string dataFolder)
    : table_(table), settings_(settings), speech_(speech), dataFolder_(std::move(dataFolder)) {}

std::string SavedTables::Path() const {
  return PathIgnoringCase(dataFolder_, "CV SavedTable.sav");
}

bool SavedTables::Exists() const {
  return FileExistsIgnoringCase(dataFolder_, "CV SavedTable.sav");
}

bool SavedTables::Readable() const {
  SavedTable saved;
  return LoadSavedTable(Path(), saved) == FileRead::kRead;
}

int SavedTables::SaveTable() {
  SavedTable saved;
  saved.PlayerCount = table_.PlayerCount;
  saved.players = table_.players;
  saved.settings = table_.settings;
  saved.Dealer = table_.Dealer;
  saved.Reserved = table_.SavedTableReserved;
  saved.ElapsedSeconds = table_.ElapsedSeconds;
  saved.RoundEndSeat = table_.RoundEndSeat;
  saved.DealerRounds = table_.DealerRounds;
  saved.LeftTableCount = table_.LeftTableCount;
  for (int i = 1; i <= kMostPlayersLeft; ++i) saved.LeftTable[i] = table_.LeftTable[i];
  std::string error;
  if (!SaveSavedTable(Path(), saved, error)) {
    speech_.speak("File save error: " + error);
    return 1;
  }
  table_.TableSaved = true;
  return 0;
}

int SavedTables::RestoreTable() {
  if (!Exists()) {
    speech_.speak("No saved table to restore");
    return 1000;
  }
  SavedTable saved;
  if (LoadSavedTable(Path(), saved) != FileRead::kRead) {
    speech_.speak(
        "The saved table cannot be read. It may be damaged. The file is kept; you can delete it "
        "from the main menu.");
    return 1;
  }
  table_.PlayerCount = saved.PlayerCount;
  table_.players = saved.players;
  table_.settings = saved.settings;
  table_.Dealer = saved.Dealer;
  table_.SavedTableReserved = saved.Reserved;
  table_.ElapsedSeconds = saved.ElapsedSeconds;
  table_.RoundEndSeat = saved.RoundEndSeat;
  table_.DealerRounds = saved.DealerRounds;
  table_.LeftTableCount = saved.LeftTableCount;
  for (int i = 1; i <= kMostPlayersLeft; ++i) table_.LeftTable[i] = saved.LeftTable[i];
  if (table_.settings.GameEndRule == kEndRuleNotChosen) table_.settings.GameEndRule = kEndOnChips;
  speech_.speak("Table restored.");
  table_.TableSaved = true;
  return 0;
}

int SavedTables::DeleteSavedTable(bool announce) {
  if (!Exists()) return 1;
  std::error_code error;
  if (!std::filesystem::remove(Path(), error) || error) return 1;
  if (announce) speech_.speak("table deleted.");
  return 0;
}

}  // namespace corvane
