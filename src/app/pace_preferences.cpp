#include "app/pace_preferences.h"

namespace corvane {

FileRead PacePreferences::Load(UserSettings& settings) {
  const FileRead read = LoadPaceFile(path_, stored_);
  damaged_ = read == FileRead::kRefused;
  settings.GamePace = stored_.pace;
  host_.SetLook(stored_.look);
  return read;
}

bool PacePreferences::Save(const UserSettings& settings, std::string& error) {
  const PaceFile next{.pace = settings.GamePace, .look = host_.Look().value_or(stored_.look)};
  if (next == stored_ && !damaged_) return true;
  return Write(next, error);
}

bool PacePreferences::KeepLook(std::string& error) {
  const std::optional<WindowLook> look = host_.Look();
  if (!look || *look == stored_.look) return true;
  return Write(PaceFile{.pace = stored_.pace, .look = *look}, error);
}

bool PacePreferences::Write(const PaceFile& file, std::string& error) {
  if (!SavePaceFile(path_, file, error)) return false;
  stored_ = file;
  damaged_ = false;
  return true;
}

}  // namespace corvane
