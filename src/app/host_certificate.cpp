#include "app/host_certificate.h"

#include <fmt/format.h>

#include <vector>

#include "platform/data_file.h"

namespace corvane {

namespace {

// A certificate with its chain, or a key, is a few kilobytes; anything far larger is not one.
constexpr std::size_t kLargestPem = 1024 * 1024;
constexpr std::size_t kSettingLines = 2;

// The setting's lines, or nothing when the text is not two lines each ended by a line feed.
std::vector<std::string> SettingLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (start != text.size() || lines.size() != kSettingLines) return {};
  for (const std::string& line : lines) {
    if (line.empty() || line.find('\r') != std::string::npos) return {};
  }
  return lines;
}

bool ReadPem(const std::string& path, std::string& text, std::string& error) {
  const FileRead read = ReadDataFile(path, text);
  if (read == FileRead::kMissing) {
    error = fmt::format("there is no file {}", path);
  } else if (read == FileRead::kRefused) {
    error = fmt::format("{} cannot be read", path);
  } else if (text.size() > kLargestPem) {
    error = fmt::format("{} is too large to be a certificate or a key", path);
  } else {
    return true;
  }
  return false;
}

}  // namespace

OwnCertificateFiles ChosenCertificateFiles(const std::string& dataFolder,
                                           const OwnCertificateFiles& given, std::string& note) {
  if (!given.certificate.empty()) return given;
  std::string text;
  const FileRead read =
      ReadDataFile(dataFolder + std::string(kHostCertificateSettingFileName), text);
  if (read == FileRead::kMissing) return {};
  const std::vector<std::string> lines = SettingLines(text);
  if (read == FileRead::kRead && !lines.empty()) return {lines[0], lines[1]};
  note = fmt::format(
      "{} should hold two lines: the file of your certificate, then the file of its key. It is "
      "left as it is, and your table shows its own certificate.",
      kHostCertificateSettingFileName);
  return {};
}

TableCertificate ChooseTableCertificate(const std::string& dataFolder,
                                        const OwnCertificateFiles& given) {
  std::string note;
  const OwnCertificateFiles files = ChosenCertificateFiles(dataFolder, given, note);
  if (!files.certificate.empty()) {
    CertificatePair pair;
    std::string error;
    if (ReadPem(files.certificate, pair.certificate, error) &&
        ReadPem(files.key, pair.key, error) && CheckCertificatePair(pair, error)) {
      return {std::move(pair), {}};
    }
    note = fmt::format(
        "Your certificate cannot serve the table: {}. Your table shows its own "
        "certificate instead.",
        error);
  }
  TableCertificate own = LoadOrMakeTableCertificate(dataFolder);
  if (!note.empty()) own.note = own.note.empty() ? note : note + " " + own.note;
  return own;
}

}  // namespace corvane
