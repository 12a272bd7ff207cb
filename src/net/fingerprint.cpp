#include "net/fingerprint.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <memory>

namespace corvane {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr std::size_t kDigitsPerGroup = 4;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<Fingerprint> CertificateFingerprint(std::string_view pem) {
  const std::unique_ptr<BIO, decltype(&BIO_free)> bio(
      BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())), &BIO_free);
  if (!bio) return std::nullopt;
  const std::unique_ptr<X509, decltype(&X509_free)> certificate(
      PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr), &X509_free);
  if (!certificate) return std::nullopt;
  Fingerprint fingerprint{};
  unsigned int size = 0;
  if (X509_digest(certificate.get(), EVP_sha256(), fingerprint.data(), &size) != 1 ||
      size != fingerprint.size()) {
    return std::nullopt;
  }
  return fingerprint;
}

std::string FingerprintDigits(const Fingerprint& fingerprint) {
  std::string digits;
  for (const unsigned char byte : fingerprint) {
    digits += kHexDigits[byte >> 4];
    digits += kHexDigits[byte & 0xf];
  }
  return digits;
}

std::string FingerprintPairs(const Fingerprint& fingerprint) {
  const std::string digits = FingerprintDigits(fingerprint);
  std::string pairs;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    if (i > 0) pairs += ':';
    pairs += digits.substr(i, 2);
  }
  return pairs;
}

std::string SpokenFingerprint(const Fingerprint& fingerprint) {
  const std::string digits = FingerprintDigits(fingerprint);
  std::string spoken;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0) spoken += i % kDigitsPerGroup == 0 ? ", " : " ";
    spoken += digits[i];
  }
  return spoken;
}

std::optional<Fingerprint> ParseFingerprintDigits(std::string_view digits) {
  Fingerprint fingerprint{};
  if (digits.size() != fingerprint.size() * 2) return std::nullopt;
  for (std::size_t i = 0; i < fingerprint.size(); ++i) {
    const int high = HexValue(digits[2 * i]);
    const int low = HexValue(digits[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    fingerprint[i] = static_cast<unsigned char>(high * 16 + low);
  }
  return fingerprint;
}

}  // namespace corvane
