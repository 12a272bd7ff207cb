// The tables this friend has joined, each with the fingerprint its certificate had at the first
// join, kept in the known tables file of the data folder: a table that later shows another
// certificate is not joined.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "net/fingerprint.h"
#include "net/table_address.h"
#include "store/known_tables_file.h"

namespace corvane {

class KnownTables {
 public:
  // `dataFolder` ends in "/".
  explicit KnownTables(std::string dataFolder);

  // Reads the file. A damaged one is left as it is, and never written over; the returned note
  // says so (empty when the file was read or is not there).
  std::string Load();
  std::optional<Fingerprint> Find(const TableAddress& address) const;
  // Keeps a table's certificate; the returned note says when it could not be kept.
  std::string Remember(const TableAddress& address, const Fingerprint& fingerprint);

 private:
  std::string path_;
  std::vector<KnownTable> tables_;
  bool damaged_ = false;
};

}  // namespace corvane
