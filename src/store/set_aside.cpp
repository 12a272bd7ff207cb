#include "store/set_aside.h"

#include <fmt/format.h>
#include <sys/stat.h>

#include <cstdio>

namespace corvane {

namespace {

constexpr int kMostSetAsideNames = 100;

bool NameTaken(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string SetAside(const std::string& folder, std::string_view name, std::string_view damaged) {
  const std::string from = folder + std::string(name);
  struct stat info {};
  if (::lstat(from.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  const std::string_view stem = damaged.substr(0, damaged.rfind('.'));
  const std::string_view ending = damaged.substr(damaged.rfind('.'));
  for (int n = 1; n <= kMostSetAsideNames; ++n) {
    const std::string candidate =
        n == 1 ? std::string(damaged) : fmt::format("{} {}{}", stem, n, ending);
    if (NameTaken(folder + candidate)) continue;
    return std::rename(from.c_str(), (folder + candidate).c_str()) == 0 ? candidate : "";
  }
  return {};
}

}  // namespace corvane
