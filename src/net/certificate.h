// The host's certificate and its private key, in PEM. A host makes its own the first time it
// hosts; any other pair (one a certificate authority signed, for play over the internet) serves
// as well.
#pragma once

#include <optional>
#include <string>

namespace corvane {

struct CertificatePair {
  std::string certificate;  // PEM, the host's certificate first (a chain may follow)
  std::string key;          // PEM, its private key
};

// A new self-signed certificate for a table: an ECDSA P-256 key, valid for ten years, naming
// "localhost" and this machine's name. Nothing (with the reason in `error`) when OpenSSL fails.
std::optional<CertificatePair> MakeHostCertificate(std::string& error);

// True when both parts read and the key belongs to the certificate; else false with the reason.
bool CheckCertificatePair(const CertificatePair& pair, std::string& error);

// The last error OpenSSL recorded for this thread, in its words, and the queue emptied.
std::string OpenSslError();

}  // namespace corvane
