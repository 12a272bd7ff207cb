#include "net/static_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <optional>

namespace corvane {

namespace {

constexpr std::size_t kLongestName = 128;
constexpr std::string_view kNameCharacters =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_.-";
constexpr std::string_view kIndex = "index.html";

struct Kind {
  std::string_view ending;
  std::string_view type;
};
constexpr std::array<Kind, 11> kKinds{{
    {".html", "text/html; charset=utf-8"},
    {".js", "text/javascript; charset=utf-8"},
    {".css", "text/css; charset=utf-8"},
    {".json", "application/json"},
    {".txt", "text/plain; charset=utf-8"},
    {".wav", "audio/wav"},
    {".ogg", "audio/ogg"},
    {".mp3", "audio/mpeg"},
    {".svg", "image/svg+xml"},
    {".png", "image/png"},
    {".ico", "image/x-icon"},
}};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

// The name a target asks for, or nothing when it is not a plain name of a served kind.
std::optional<std::string> RequestedName(std::string_view target) {
  target = target.substr(0, target.find('?'));
  if (!target.starts_with('/')) return std::nullopt;
  std::string_view name = target.substr(1);
  if (name.empty()) name = kIndex;
  if (name.size() > kLongestName || name.front() == '.' ||
      name.find_first_not_of(kNameCharacters) != std::string_view::npos ||
      ContentTypeOf(name).empty()) {
    return std::nullopt;
  }
  return std::string(name);
}

struct Descriptor {
  int fd = -1;
  explicit Descriptor(int f) : fd(f) {}
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
};

// The entry of the folder whose name matches `name` apart from case, first in name order.
std::optional<std::string> NameIgnoringCase(int folder, const std::string& name) {
  const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return std::nullopt;
  struct CloseFolder {
    void operator()(DIR* folder) const { ::closedir(folder); }
  };
  const std::unique_ptr<DIR, CloseFolder> entries(::fdopendir(listing));
  if (!entries) {
    ::close(listing);
    return std::nullopt;
  }
  std::optional<std::string> found;
  while (const dirent* entry = ::readdir(entries.get())) {
    const std::string_view candidate = entry->d_name;
    if (SameIgnoringCase(candidate, name) && (!found || candidate < *found)) {
      found = std::string(candidate);
    }
  }
  return found;
}

// Opens a regular file of the folder, never through a link and never waiting (a pipe in its
// place stays shut); -1 otherwise.
int OpenRegular(int folder, const std::string& name) {
  const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::optional<std::string> ReadWhole(int fd, std::size_t largest) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || info.st_size < 0 ||
      static_cast<std::size_t>(info.st_size) > largest) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    done += static_cast<std::size_t>(n);
  }
  return bytes;
}

}  // namespace

std::string_view ContentTypeOf(std::string_view name) {
  for (const Kind& kind : kKinds) {
    if (name.size() > kind.ending.size() &&
        SameIgnoringCase(name.substr(name.size() - kind.ending.size()), kind.ending)) {
      return kind.type;
    }
  }
  return {};
}

StaticFile FindStaticFile(const std::vector<std::string>& folders, std::string_view target,
                          std::size_t largest) {
  const std::optional<std::string> name = RequestedName(target);
  if (!name) return {};
  for (const std::string& path : folders) {
    const Descriptor folder(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.fd < 0) continue;
    Descriptor file(OpenRegular(folder.fd, *name));
    if (file.fd < 0) {
      const std::optional<std::string> other = NameIgnoringCase(folder.fd, *name);
      if (other) file.fd = OpenRegular(folder.fd, *other);
    }
    if (file.fd < 0) continue;
    std::optional<std::string> body = ReadWhole(file.fd, largest);
    if (!body) return {};
    return {200, std::string(ContentTypeOf(*name)), std::move(*body)};
  }
  return {};
}

}  // namespace corvane
