// Saving a file so that a failure never loses the file it replaces: the bytes go to a temporary
// file in the same folder, which is flushed to the disk and then renamed over the old file. When
// any step fails the temporary file is removed and the old file stays as it was. Only a crash
// leaves a temporary file behind; the next start removes it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// The system calls the writer makes. Each has the meaning, the result and the errno of the
// POSIX call of the same name; a test replaces one of them to make that step fail.
struct FileCalls {
  std::function<int(const char* path, int flags, mode_t mode)> open;
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  std::function<int(int fd)> fsync;
  std::function<int(int fd)> close;
  std::function<int(const char* from, const char* to)> rename;
  std::function<int(const char* path)> unlink;
};

// The real calls of the system.
FileCalls SystemFileCalls();

// Writes the whole of bytes to path, replacing the file there. On failure returns false, puts the
// system's description of the error (for example "No space left on device") into error, and
// leaves any earlier file at path untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         const FileCalls& calls);

// The same for a file only its owner may read and write (a private key).
bool WritePrivateFileAtomically(const std::string& path, std::string_view bytes,
                                std::string& error);

// The name of the temporary file that a save of the file `name` writes first, by the process
// `pid`: ".NAME.PID.XXXXXXXX.tmp", the X's eight hexadecimal digits of a random number.
std::string TemporaryFileName(std::string_view name, pid_t pid, unsigned random);

// Removes from folder the temporary files that saves of the game's own files (IsGameFileName)
// left when they were cut short: regular files with a temporary file's name whose process is no
// longer running. Anything else is left alone. Returns how many were removed.
int RemoveInterruptedSaves(const std::string& folder);

}  // namespace corvane
