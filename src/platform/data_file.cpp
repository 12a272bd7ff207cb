#include "platform/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/open_file.h"

namespace corvane {

namespace {

bool Acceptable(const struct stat& info) {
  return S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) <= kLargestDataFile;
}

}  // namespace

FileRead ReadDataFile(const std::string& path, std::string& bytes) {
  // Looked at before it is opened, so that a device is never opened at all.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return errno == ENOENT ? FileRead::kMissing : FileRead::kRefused;
  }
  if (!Acceptable(info)) return FileRead::kRefused;

  // Something else may have taken the name in between: the open cannot wait, and what was opened
  // is looked at again.
  const OpenFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.fd() < 0) return errno == ENOENT ? FileRead::kMissing : FileRead::kRefused;
  if (::fstat(file.fd(), &info) != 0 || !Acceptable(info)) return FileRead::kRefused;

  std::string content;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(file.fd(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FileRead::kRefused;
    }
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
    // A file that grew while it was read.
    if (content.size() > kLargestDataFile) return FileRead::kRefused;
  }
  bytes = std::move(content);
  return FileRead::kRead;
}

FileRead LoadDataFile(const std::string& path,
                      const std::function<bool(std::string_view bytes)>& parse) {
  std::string bytes;
  const FileRead read = ReadDataFile(path, bytes);
  if (read != FileRead::kRead) return read;
  return parse(bytes) ? FileRead::kRead : FileRead::kRefused;
}

}  // namespace corvane
