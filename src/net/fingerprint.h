// The fingerprint of a host's certificate: the SHA-256 of its DER bytes. A friend's program
// remembers it per table and compares it at every join; people compare it by ear.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

using Fingerprint = std::array<unsigned char, 32>;

// The fingerprint of a PEM certificate (the first in the text); nothing when there is none.
std::optional<Fingerprint> CertificateFingerprint(std::string_view pem);

// 64 hexadecimal digits in capitals, as the friend's program keeps it.
std::string FingerprintDigits(const Fingerprint& fingerprint);
// Pairs of digits between colons, as browsers show a certificate's SHA-256 fingerprint.
std::string FingerprintPairs(const Fingerprint& fingerprint);
// For speech: each digit on its own, in sixteen groups of four between commas, so that a speech
// synthesiser reads every digit ("3 F 2 A, 9 B 0 1, ...").
std::string SpokenFingerprint(const Fingerprint& fingerprint);
// The fingerprint of FingerprintDigits' text (either case); nothing for any other text.
std::optional<Fingerprint> ParseFingerprintDigits(std::string_view digits);

}  // namespace corvane
