#include "app/table_certificate.h"

#include <fmt/format.h>

#include "platform/data_file.h"
#include "store/atomic_file.h"
#include "store/set_aside.h"

namespace corvane {

namespace {

// The file holds the certificate and then the key; each reader takes its own part of the text.
CertificatePair PairOf(const std::string& text) {
  return {text, text};
}

}  // namespace

TableCertificate LoadOrMakeTableCertificate(const std::string& dataFolder) {
  const std::string path = dataFolder + std::string(kTableCertificateFileName);
  std::string text;
  std::string damage;
  const FileRead read = ReadDataFile(path, text);
  if (read == FileRead::kRead && CheckCertificatePair(PairOf(text), damage)) {
    return {PairOf(text), {}};
  }
  std::string note;
  bool keep = true;
  if (read != FileRead::kMissing) {
    const std::string setAside =
        SetAside(dataFolder, kTableCertificateFileName, kDamagedTableCertificateFileName);
    keep = !setAside.empty();
    note = keep ? fmt::format(
                      "Your table's certificate in {} cannot be read. It may be damaged. It is "
                      "kept as {}, and a new certificate is made: friends who joined your table "
                      "before will be told that it changed.",
                      kTableCertificateFileName, setAside)
                : fmt::format(
                      "Your table's certificate in {} cannot be read. It may be damaged. A new "
                      "certificate serves this table, and is not kept while that file is there.",
                      kTableCertificateFileName);
  }
  std::string error;
  std::optional<CertificatePair> made = MakeHostCertificate(error);
  if (!made) {
    return {std::nullopt, fmt::format("Unable to make a certificate for your table: {}.", error)};
  }
  if (keep && !WritePrivateFileAtomically(path, made->certificate + made->key, error)) {
    note = fmt::format(
        "Your table's certificate cannot be kept in {}: {}. A new one will be made the next time "
        "you host, and friends will be told that it changed.",
        kTableCertificateFileName, error);
  }
  return {std::move(made), std::move(note)};
}

}  // namespace corvane
