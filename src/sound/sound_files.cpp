#include "sound/sound_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace corvane {
namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
  namespace fs = std::filesystem;
  const std::string asked = folder + name;
  std::error_code error;
  if (fs::is_regular_file(asked, error)) return asked;
  if (name.empty() || name.find('/') != std::string::npos) return asked;

  // The directory's order is not fixed: take the smallest matching name so the choice is stable.
  std::string best;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string candidate = it->path().filename().string();
    if (SameIgnoringCase(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  return best.empty() ? asked : folder + best;
}

}  // namespace corvane
