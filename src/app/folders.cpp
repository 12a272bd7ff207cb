#include "app/folders.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "store/atomic_file.h"
#include "store/data_file.h"
#include "store/file_names.h"

namespace corvane {
namespace fs = std::filesystem;

namespace {

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

}  // namespace

std::string ExecutableFolder() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return WithSlash(fs::current_path(error).string());
  return WithSlash(exe.parent_path().string());
}

std::string FindDataFolder(const std::string& programFolder) {
  std::string base = Environment("APPDATA");
  if (base.empty()) base = Environment("XDG_DATA_HOME");
  if (base.empty()) {
    const std::string home = Environment("HOME");
    if (!home.empty()) base = home + "/.local/share";
  }
  if (base.empty()) return programFolder;
  const fs::path folder = fs::path(base) / "Corvane";
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) return programFolder;
  return WithSlash(folder.string());
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
