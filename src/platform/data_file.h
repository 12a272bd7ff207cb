// Reading the game's own files: the player's files in the data folder and the games beside the
// program. Only a regular file is opened, and never in a way that could wait: a pipe or a device in
// the place of a file would otherwise hold the game before it says a word. A file far larger than
// any the game writes is refused from its size, without a byte of it being read.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// Far above the largest file the game writes (a saved table of seven players is 392 bytes), far
// below what would strain the memory of a small machine.
inline constexpr std::size_t kLargestDataFile = 64 * 1024;

enum class FileRead {
  kRead,     // read whole (and, where a file is taken apart, found sound)
  kMissing,  // nothing of that name: not a fault, the defaults stay
  kRefused,  // something of that name that cannot be read, or is damaged
};

// Reads the whole regular file at path into bytes. kMissing when there is nothing at path;
// kRefused when it is not a regular file, is larger than kLargestDataFile or cannot be read.
// bytes is changed only when the result is kRead.
FileRead ReadDataFile(const std::string& path, std::string& bytes);

// Reads the file as ReadDataFile does and hands its bytes to parse, which returns false for a
// damaged file; that file is then kRefused.
FileRead LoadDataFile(const std::string& path,
                      const std::function<bool(std::string_view bytes)>& parse);

}  // namespace corvane
