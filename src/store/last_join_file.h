// The table a friend joined last, "CV last join.txt" in the data folder, offered again at the next
// join: plain UTF-8 text with "\n" line ends,
//
//   Corvane last join 1
//   192.168.1.20:50000
//   Anna
//
// the heading, the address as it was typed (HOST:PORT) and the name given at the table. Neither
// line is empty or holds a control character; anything else is a damaged file, which is not
// offered and is written over at the next join.
#pragma once

#include <string>
#include <string_view>

#include "platform/data_file.h"

namespace corvane {

inline constexpr std::string_view kLastJoinFileName = "CV last join.txt";

struct LastJoin {
  std::string address;
  std::string name;
  bool operator==(const LastJoin&) const = default;
};

std::string FormatLastJoin(const LastJoin& join);
// False for a damaged file; `join` is changed only when the bytes are sound.
bool ParseLastJoin(std::string_view bytes, LastJoin& join);

FileRead LoadLastJoin(const std::string& path, LastJoin& join);
// Writes it through the atomic writer; false with the system's reason in `error`.
bool SaveLastJoin(const std::string& path, const LastJoin& join, std::string& error);

}  // namespace corvane
