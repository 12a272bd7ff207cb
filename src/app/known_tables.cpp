#include "app/known_tables.h"

#include <fmt/format.h>

#include <algorithm>

namespace corvane {

KnownTables::KnownTables(std::string dataFolder)
    : path_(std::move(dataFolder) + std::string(kKnownTablesFileName)) {}

std::string KnownTables::Load() {
  tables_.clear();
  damaged_ = LoadKnownTables(path_, tables_) == FileRead::kRefused;
  if (!damaged_) return {};
  return fmt::format(
      "Your list of known tables in {} cannot be read. It may be damaged. This table is joined "
      "as one you have not joined before, and its certificate is not kept while that file is "
      "there.",
      kKnownTablesFileName);
}

std::optional<Fingerprint> KnownTables::Find(const TableAddress& address) const {
  const std::string name = AddressText(address);
  const auto it = std::find_if(tables_.begin(), tables_.end(),
                               [&name](const KnownTable& table) { return table.address == name; });
  if (it == tables_.end()) return std::nullopt;
  return ParseFingerprintDigits(it->fingerprint);
}

std::string KnownTables::Remember(const TableAddress& address, const Fingerprint& fingerprint) {
  if (damaged_) return {};
  tables_.push_back({AddressText(address), FingerprintDigits(fingerprint)});
  std::string error;
  if (SaveKnownTables(path_, tables_, error)) return {};
  tables_.pop_back();
  return fmt::format(
      "The certificate of this table cannot be kept in {}: {}. The table will be new to you the "
      "next time you join it.",
      kKnownTablesFileName, error);
}

}  // namespace corvane
