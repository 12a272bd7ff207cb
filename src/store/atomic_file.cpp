#include "store/atomic_file.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "store/file_names.h"

namespace corvane {

namespace {

// The folder part of a path, "." when it has none.
std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Flushes the folder itself so that the rename survives a power cut; where a folder cannot be
// opened or flushed the file is saved all the same.
void FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

constexpr std::string_view kTemporaryEnding = ".tmp";
constexpr std::size_t kRandomDigits = 8;

bool AllOf(std::string_view text, const char* allowed) {
  return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
}

// The name of the file whose save wrote `temporary`, and the process that wrote it; false when
// `temporary` is not a name that TemporaryFileName gives.
bool ParseTemporaryFileName(std::string_view temporary, std::string& name, pid_t& pid) {
  if (!temporary.starts_with('.') || !temporary.ends_with(kTemporaryEnding)) return false;
  std::string_view rest = temporary.substr(1, temporary.size() - 1 - kTemporaryEnding.size());
  const auto randomDot = rest.rfind('.');
  if (randomDot == std::string_view::npos) return false;
  const std::string_view random = rest.substr(randomDot + 1);
  if (random.size() != kRandomDigits || !AllOf(random, "0123456789abcdef")) return false;
  rest = rest.substr(0, randomDot);
  const auto pidDot = rest.rfind('.');
  if (pidDot == std::string_view::npos || pidDot == 0) return false;
  const std::string_view digits = rest.substr(pidDot + 1);
  if (!AllOf(digits, "0123456789")) return false;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  if (ec != std::errc() || pid <= 0) return false;
  name = std::string(rest.substr(0, pidDot));
  return true;
}

// A process that cannot be signalled for want of permission is running all the same.
bool ProcessIsRunning(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

std::string TemporaryFileName(std::string_view name, pid_t pid, unsigned random) {
  return fmt::format(".{}.{}.{:0{}x}{}", name, pid, random, kRandomDigits, kTemporaryEnding);
}

FileCalls SystemFileCalls() {
  FileCalls calls;
  calls.open = [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); };
  calls.write = [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); };
  calls.fsync = [](int fd) { return ::fsync(fd); };
  calls.close = [](int fd) { return ::close(fd); };
  calls.rename = [](const char* from, const char* to) { return ::rename(from, to); };
  calls.unlink = [](const char* path) { return ::unlink(path); };
  return calls;
}

namespace {

constexpr mode_t kSharedFile = 0666;  // as the user's umask allows
constexpr mode_t kPrivateFile = 0600;

bool WriteWithMode(const std::string& path, std::string_view bytes, std::string& error,
                   const FileCalls& calls, mode_t mode) {
  const std::string folder = FolderOf(path);
  const std::string name = NameOf(path);
  if (name.empty()) {
    error = std::strerror(EISDIR);
    return false;
  }

  // A fresh name beside the file; O_EXCL makes sure it is ours alone.
  std::random_device seed;
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = folder + "/" + TemporaryFileName(name, ::getpid(), seed());
    fd = calls.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }

  const auto fail = [&](int code, bool open) {
    if (open) calls.close(fd);
    calls.unlink(temporary.c_str());
    error = std::strerror(code);
    return false;
  };

  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = calls.write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno, true);
    }
    if (n == 0) return fail(EIO, true);
    written += static_cast<std::size_t>(n);
  }
  if (calls.fsync(fd) != 0) return fail(errno, true);
  if (calls.close(fd) != 0) return fail(errno, false);
  if (calls.rename(temporary.c_str(), path.c_str()) != 0) return fail(errno, false);
  FlushFolder(folder);
  error.clear();
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  return WriteWithMode(path, bytes, error, SystemFileCalls(), kSharedFile);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         const FileCalls& calls) {
  return WriteWithMode(path, bytes, error, calls, kSharedFile);
}

bool WritePrivateFileAtomically(const std::string& path, std::string_view bytes,
                                std::string& error) {
  return WriteWithMode(path, bytes, error, SystemFileCalls(), kPrivateFile);
}

int RemoveInterruptedSaves(const std::string& folder) {
  int removed = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::string name;
    pid_t pid = 0;
    if (!ParseTemporaryFileName(entry.path().filename().string(), name, pid)) continue;
    if (!IsGameFileName(name) || ProcessIsRunning(pid)) continue;
    // A save only ever makes a plain file; a link or a folder of that name is someone else's.
    std::error_code statusError;
    if (!std::filesystem::is_regular_file(entry.symlink_status(statusError))) continue;
    if (::unlink(entry.path().c_str()) == 0) ++removed;
  }
  return removed;
}

}  // namespace corvane
