#include "store/hand_history_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/open_file.h"
#include "store/atomic_file.h"

namespace corvane {

namespace {

constexpr std::string_view kNotAPlainFile = "it is not a plain file";
constexpr std::string_view kHandSeparator = "\n\n";

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool ReadAt(int fd, off_t offset, std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pread(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// What goes before the next hand so that it begins after an empty line: nothing when the file is
// empty or ends with one. `cutShort` is set when the file ends in the middle of a line.
bool SeparatorBefore(int fd, off_t size, std::string& separator, bool& cutShort) {
  cutShort = false;
  separator.clear();
  if (size == 0) return true;
  std::string tail(size >= 2 ? 2 : 1, '\0');
  if (!ReadAt(fd, size - static_cast<off_t>(tail.size()), tail)) return false;
  if (tail.back() != '\n') {
    cutShort = true;
    separator = kHandSeparator;
  } else if (tail.size() == 2 && tail.front() != '\n') {
    separator = "\n";
  }
  return true;
}

// Rewrites the file of `size` bytes with its newest `keep` bytes, from the first hand that
// begins in them; the hand just added, which begins at `newestHand`, always stays.
bool KeepNewest(const std::string& path, int fd, off_t size, std::size_t keep, off_t newestHand,
                std::string& error) {
  const off_t cut = std::min(size - static_cast<off_t>(keep), newestHand);
  if (cut <= 0) return true;
  // From the empty line before the cut, so that a hand beginning right at the cut is found.
  const off_t from = std::max<off_t>(cut - static_cast<off_t>(kHandSeparator.size()), 0);
  std::string newest(static_cast<std::size_t>(size - from), '\0');
  if (!ReadAt(fd, from, newest)) {
    error = std::strerror(errno);
    return false;
  }
  // The first hand that begins after an empty line, but never past the newest hand: the file may
  // hold no empty line before it (a file of one line break, say).
  const auto newestStart = static_cast<std::size_t>(newestHand - from);
  const std::size_t separator = newest.find(kHandSeparator);
  const std::size_t start = separator == std::string::npos
                                ? newestStart
                                : std::min(separator + kHandSeparator.size(), newestStart);
  return WriteFileAtomically(path, std::string_view(newest).substr(start), error);
}

// Opens the history for appending and holds it alone while this hand is added: another copy of
// the game on the same data folder waits the moment it takes, so that a trim, which puts a new
// file in the old one's place, never drops the hand another copy has just added. A file that was
// replaced while this copy waited for it is opened again.
int OpenHistoryAlone(const std::string& path, struct stat& info, std::string& error) {
  constexpr int kTries = 100;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    // Never waits on a pipe or a device in the file's place: those are refused below.
    const int fd =
        ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
    if (fd < 0) {
      error = std::strerror(errno);
      return -1;
    }
    if (::fstat(fd, &info) != 0) {
      error = std::strerror(errno);
      ::close(fd);
      return -1;
    }
    if (!S_ISREG(info.st_mode)) {
      error = kNotAPlainFile;
      ::close(fd);
      return -1;
    }
    int locked = 0;
    do {
      locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    struct stat now {};
    // A file system without locks still gets the hand, as before there were two copies.
    const bool same = ::fstat(fd, &info) == 0 && ::stat(path.c_str(), &now) == 0 &&
                      now.st_dev == info.st_dev && now.st_ino == info.st_ino;
    if (same || locked != 0) return fd;
    ::close(fd);
  }
  error = "the file kept being replaced";
  return -1;
}

}  // namespace

std::string HandHistoryText(std::string_view heading, const std::vector<std::string>& lines) {
  std::string text;
  std::size_t size = heading.size() + 2;
  for (const std::string& line : lines) size += line.size() + 1;
  text.reserve(size);
  const auto addLine = [&text](std::string_view line) {
    const std::size_t start = text.size();
    text += line;
    std::replace_if(
        text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
        [](char c) { return c == '\n' || c == '\r'; }, ' ');
    text += '\n';
  };
  addLine(heading);
  for (const std::string& line : lines) addLine(line);
  text += '\n';
  return text;
}

HistoryAppend AppendToHandHistory(const std::string& path, std::string_view hand,
                                  std::string& error, std::size_t limit) {
  struct stat info {};
  const OpenFile file(OpenHistoryAlone(path, info, error));
  if (file.fd() < 0) return HistoryAppend::kFailed;
  std::string separator;
  bool cutShort = false;
  if (!SeparatorBefore(file.fd(), info.st_size, separator, cutShort) ||
      !WriteAll(file.fd(), separator + std::string(hand))) {
    error = std::strerror(errno);
    return HistoryAppend::kFailed;
  }
  const off_t newestHand = info.st_size + static_cast<off_t>(separator.size());
  const off_t size = newestHand + static_cast<off_t>(hand.size());
  if (size > static_cast<off_t>(limit) &&
      !KeepNewest(path, file.fd(), size, limit / 2, newestHand, error)) {
    return HistoryAppend::kFailed;
  }
  error.clear();
  return cutShort ? HistoryAppend::kMended : HistoryAppend::kAppended;
}

}  // namespace corvane
