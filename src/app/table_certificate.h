// The certificate a host's table shows its friends, kept with its private key in
// "CV table certificate.pem" in the data folder, readable by its owner alone. It is made the
// first time the player hosts and kept, so that friends who joined before know the table again.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/certificate.h"

namespace corvane {

inline constexpr std::string_view kTableCertificateFileName = "CV table certificate.pem";
inline constexpr std::string_view kDamagedTableCertificateFileName =
    "CV table certificate.damaged.pem";

struct TableCertificate {
  std::optional<CertificatePair> pair;  // nothing when none could be read or made
  std::string note;  // what the host is told, when something is amiss; empty when all is well
};

// The kept certificate; when there is none, a new one, kept for the next time. A damaged file is
// set aside (never written over) and a new certificate made; a certificate that cannot be kept
// serves this table all the same, and the note says so.
TableCertificate LoadOrMakeTableCertificate(const std::string& dataFolder);

}  // namespace corvane
