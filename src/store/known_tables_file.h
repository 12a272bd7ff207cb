// The tables a friend has joined, "CV known tables.txt" in the data folder: for each host and port,
// the fingerprint its certificate had at the first join. Plain UTF-8 text with "\n" line ends:
//
//   Corvane known tables 1
//   192.168.1.20:50000<TAB>3F2A...(64 hexadecimal digits in capitals)
//
// The first line names the file and its layout; then one line per table, in the order they were
// first joined: the address as HOST:PORT (an IPv6 address in brackets, a name in small letters),
// a tab, the fingerprint. An address is not empty, holds no tab, blank or line break, and appears
// once. Anything else is a damaged file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/data_file.h"

namespace corvane {

inline constexpr std::string_view kKnownTablesFileName = "CV known tables.txt";

struct KnownTable {
  std::string address;
  std::string fingerprint;
  bool operator==(const KnownTable&) const = default;
};

// The file's bytes for `tables`.
std::string FormatKnownTables(const std::vector<KnownTable>& tables);
// The tables of the file's bytes; false for a damaged file.
bool ParseKnownTables(std::string_view bytes, std::vector<KnownTable>& tables);

// Reads the file at path; `tables` is changed only when it is kRead.
FileRead LoadKnownTables(const std::string& path, std::vector<KnownTable>& tables);
// Writes it through the atomic writer; false with the system's reason in `error`.
bool SaveKnownTables(const std::string& path, const std::vector<KnownTable>& tables,
                     std::string& error);

}  // namespace corvane
