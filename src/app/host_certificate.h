// The certificate a hosted table shows: one of the player's own (a certificate and its key in
// PEM files, for play over the internet, so that browsers trust the table's page), given on the
// command line or named in "CV host certificate.txt" in the data folder; otherwise the table's
// own, made the first time the player hosts.
//
// "CV host certificate.txt" is two lines of UTF-8, each ended by a line feed: the path of the
// certificate file (the host's certificate first, its chain after it), then the path of its key.
#pragma once

#include <string>
#include <string_view>

#include "app/table_certificate.h"

namespace corvane {

inline constexpr std::string_view kHostCertificateSettingFileName = "CV host certificate.txt";

// The files of a certificate of the player's own; both empty for none.
struct OwnCertificateFiles {
  std::string certificate;
  std::string key;
  bool operator==(const OwnCertificateFiles&) const = default;
};

// The files `given` (from the command line), else those the setting names, else none. A setting
// file that breaks its layout names none, and `note` says so.
OwnCertificateFiles ChosenCertificateFiles(const std::string& dataFolder,
                                           const OwnCertificateFiles& given, std::string& note);

// The certificate the table shows: the player's own when its files read and the key belongs to
// the certificate; else (the note says why) the table's own, as LoadOrMakeTableCertificate.
TableCertificate ChooseTableCertificate(const std::string& dataFolder,
                                        const OwnCertificateFiles& given);

}  // namespace corvane
