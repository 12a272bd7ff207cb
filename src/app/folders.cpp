#include "app/folders.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/data_file.h"
#include "store/atomic_file.h"
#include "store/file_names.h"

namespace corvane {
namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderName = "Corvane";

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

bool EndsWithGam(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return tail == ".GAM";
}

// The places the user's folder may be, in order of preference.
std::vector<std::string> CandidateFolders() {
  std::vector<std::string> candidates;
  for (const char* variable : {"APPDATA", "XDG_DATA_HOME"}) {
    const std::string base = Environment(variable);
    if (!base.empty()) candidates.push_back(WithSlash(base) + kFolderName + "/");
  }
  const std::string home = Environment("HOME");
  if (!home.empty()) candidates.push_back(WithSlash(home) + ".local/share/" + kFolderName + "/");
  return candidates;
}

// Makes the folder when it is missing; true when files can be written in it.
bool UsableFolder(const std::string& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  return fs::is_directory(folder, error) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// A fresh folder of this run in the system's temporary folder; empty when none can be made.
std::string MakeTemporaryFolder() {
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  if (error) return {};
  std::string pattern = (base / "corvane-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return WithSlash(pattern);
}

// Copies the game's own files (IsGameFileName) of the first of the candidates that is a folder into
// `to`: files kept in a folder that can be read but not written to are read all the same. Returns
// that folder when it held any, otherwise empty.
std::string CopyReadableFiles(const std::vector<std::string>& candidates, const std::string& to) {
  for (const std::string& candidate : candidates) {
    std::error_code error;
    if (!fs::is_directory(candidate, error)) continue;
    bool copied = false;
    for (const auto& entry : fs::directory_iterator(candidate, error)) {
      std::error_code ignored;
      const std::string name = entry.path().filename().string();
      if (!IsGameFileName(name) || !entry.is_regular_file(ignored)) continue;
      copied |= fs::copy_file(entry.path(), to + name, ignored);
    }
    return copied ? candidate : std::string();
  }
  return {};
}

}  // namespace

std::string ExecutableFolder() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return WithSlash(fs::current_path(error).string());
  return WithSlash(exe.parent_path().string());
}

void FindDataFolder(Folders& folders) {
  const std::vector<std::string> candidates = CandidateFolders();
  folders.DataFolderNote.clear();
  folders.TemporaryDataFolder = false;
  const std::string lost = candidates.empty()
                               ? std::string("No home folder is set for your files.")
                               : "Your files cannot be kept in " + candidates.front() + ".";
  for (const std::string& candidate : candidates) {
    if (!UsableFolder(candidate)) continue;
    folders.DataFolder = candidate;
    if (candidate != candidates.front()) {
      folders.DataFolderNote = lost + " They are kept in " + candidate + " instead.";
    }
    return;
  }
  folders.DataFolder = MakeTemporaryFolder();
  if (!folders.DataFolder.empty()) {
    folders.TemporaryDataFolder = true;
    const std::string read = CopyReadableFiles(candidates, folders.DataFolder);
    if (read.empty()) {
      folders.DataFolderNote =
          lost + " Settings, tables and games you save now last only until the game ends.";
    } else {
      folders.DataFolderNote =
          lost + (read == candidates.front() ? " The files there" : " The files in " + read) +
          " are read, but settings, tables and games you save now last only until the game ends.";
    }
    return;
  }
  folders.DataFolder = folders.ProgramFolder;
  folders.DataFolderNote = lost + " They are kept in " + folders.ProgramFolder + " instead.";
}

bool CopyStockGames(const Folders& folders) {
  std::error_code error;
  if (fs::equivalent(folders.ProgramFolder, folders.DataFolder, error)) return true;
  bool ok = true;
  fs::directory_iterator it(folders.ProgramFolder, error);
  if (error) return false;
  for (const auto& entry : it) {
    const std::string name = entry.path().filename().string();
    std::error_code ignored;
    if (!entry.is_regular_file(ignored) || !EndsWithGam(name)) continue;
    // Whatever answers to the name in the data folder, it is left alone.
    const fs::path there = PathIgnoringCase(folders.DataFolder, name);
    if (fs::exists(fs::symlink_status(there, ignored))) continue;
    std::string bytes;
    std::string writeError;
    if (ReadDataFile(entry.path().string(), bytes) != FileRead::kRead ||
        !WriteFileAtomically(folders.DataFolder + name, bytes, writeError)) {
      ok = false;
    }
  }
  return ok;
}

}  // namespace corvane
