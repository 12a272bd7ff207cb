#include "store/file_names.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

namespace corvane {

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

constexpr std::array<std::string_view, 10> kFixedNames{
    "Settings.sav",      "CV config.ini",       "CV PokerSettings.sav",
    "CV SavedTable.sav", "Hand history.txt",    "Statistics.txt",
    "CV pace.ini",       "CV known tables.txt", "CV table certificate.pem",
    "CV last join.txt"};
constexpr std::string_view kGameEnding = ".gam";

}  // namespace

bool IsGameFileName(std::string_view name) {
  for (const std::string_view fixed : kFixedNames) {
    if (SameIgnoringCase(name, fixed)) return true;
  }
  return name.size() > kGameEnding.size() &&
         SameIgnoringCase(name.substr(name.size() - kGameEnding.size()), kGameEnding);
}

std::string PathIgnoringCase(const std::string& folder, std::string_view name) {
  const std::string exact = folder + std::string(name);
  if (IsRegularFile(exact)) return exact;
  std::error_code error;
  std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error);
  if (error) return exact;
  std::string found;
  for (const auto& entry : it) {
    const std::string candidate = entry.path().filename().string();
    if (!SameIgnoringCase(candidate, name) || !IsRegularFile(entry.path())) continue;
    // Of several spellings take the first in name order, so the choice does not depend on the
    // order the folder lists them in.
    if (found.empty() || candidate < found) found = candidate;
  }
  return found.empty() ? exact : folder + found;
}

bool FileExistsIgnoringCase(const std::string& folder, std::string_view name) {
  return IsRegularFile(PathIgnoringCase(folder, name));
}

}  // namespace corvane
