#include "store/known_tables_file.h"

#include <unordered_set>

#include "store/atomic_file.h"

namespace corvane {

namespace {

constexpr std::string_view kHeading = "Corvane known tables 1";
constexpr std::size_t kFingerprintDigits = 64;
constexpr std::size_t kLongestAddress = 300;
constexpr std::string_view kFingerprintCharacters = "0123456789ABCDEF";

bool IsAddress(std::string_view address) {
  return !address.empty() && address.size() <= kLongestAddress &&
         address.find_first_of("\t\n\r ") == std::string_view::npos;
}

bool IsFingerprint(std::string_view digits) {
  return digits.size() == kFingerprintDigits &&
         digits.find_first_not_of(kFingerprintCharacters) == std::string_view::npos;
}

}  // namespace

std::string FormatKnownTables(const std::vector<KnownTable>& tables) {
  std::string bytes(kHeading);
  bytes += '\n';
  for (const KnownTable& table : tables) bytes += table.address + '\t' + table.fingerprint + '\n';
  return bytes;
}

bool ParseKnownTables(std::string_view bytes, std::vector<KnownTable>& tables) {
  if (!bytes.ends_with('\n')) return false;
  std::vector<KnownTable> read;
  std::unordered_set<std::string_view> addresses;
  bool heading = true;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 1);
    if (heading) {
      if (line != kHeading) return false;
      heading = false;
      continue;
    }
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return false;
    const std::string_view address = line.substr(0, tab);
    const std::string_view fingerprint = line.substr(tab + 1);
    if (!IsAddress(address) || !IsFingerprint(fingerprint) || !addresses.insert(address).second) {
      return false;
    }
    read.push_back({std::string(address), std::string(fingerprint)});
  }
  if (heading) return false;
  tables = std::move(read);
  return true;
}

FileRead LoadKnownTables(const std::string& path, std::vector<KnownTable>& tables) {
  return LoadDataFile(
      path, [&tables](std::string_view bytes) { return ParseKnownTables(bytes, tables); });
}

bool SaveKnownTables(const std::string& path, const std::vector<KnownTable>& tables,
                     std::string& error) {
  return WriteFileAtomically(path, FormatKnownTables(tables), error);
}

}  // namespace corvane
