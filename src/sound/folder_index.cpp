#include "sound/folder_index.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace corvane {
namespace {

std::string CapitalsOf(std::string name) {
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

}  // namespace

FolderIndex::FolderIndex(std::string folder) : folder_(std::move(folder)) {}

void FolderIndex::List() {
  namespace fs = std::filesystem;
  listed_ = true;
  std::error_code error;
  for (fs::directory_iterator it(folder_.empty() ? "." : folder_, error), end; !error && it != end;
       it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code statusError;
    if (it->is_regular_file(statusError)) files_.insert(name);
    // The folder's order is not fixed: the smallest of several spellings keeps the choice stable.
    auto [entry, added] = byCapitals_.try_emplace(CapitalsOf(name), name);
    if (!added && name < entry->second) entry->second = std::move(name);
  }
}

std::string FolderIndex::PathOf(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return folder_ + name;
  if (!listed_) List();
  if (files_.count(name) != 0) return folder_ + name;
  const auto found = byCapitals_.find(CapitalsOf(name));
  return found == byCapitals_.end() ? folder_ + name : folder_ + found->second;
}

}  // namespace corvane
