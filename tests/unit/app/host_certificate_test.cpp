// The certificate a hosted table shows: the player's own, from the command line or the setting,
// when it serves; otherwise the table's own, with a note that says why.
#include "app/host_certificate.h"

#include <gtest/gtest.h>

#include "net/fingerprint.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

TEST(HostCertificate, TheirOwnWhenItServesElseTheTablesOwn) {
  std::string error;
  const CertificatePair own = *MakeHostCertificate(error);
  const CertificatePair other = *MakeHostCertificate(error);
  const struct {
    const char* setting;  // CV host certificate.txt, or nothing
    bool given;           // the files on the command line
    const char* key;      // the key file's contents
    bool theirs;          // their certificate serves
    const char* note;     // how the note begins
  } rows[] = {
      {nullptr, true, "mine", true, ""},
      {"cert.pem\nkey.pem\n", false, "mine", true, ""},
      {nullptr, false, "mine", false, ""},
      {"cert.pem\n", false, "mine", false, "CV host certificate.txt should hold two lines"},
      {"cert.pem\r\nkey.pem\r\n", false, "mine", false, "CV host certificate.txt should hold"},
      {nullptr, true, "other", false,
       "Your certificate cannot serve the table: the key does not belong to the certificate."},
      {"cert.pem\nnone.pem\n", false, "mine", false,
       "Your certificate cannot serve the table: there is no file "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.setting ? row.setting : "no setting");
    TestFolder folder;
    folder.Write("cert.pem", own.certificate);
    folder.Write("key.pem", std::string(row.key) == "mine" ? own.key : other.key);
    std::string setting = row.setting ? row.setting : "";
    for (const char* name : {"cert.pem", "key.pem", "none.pem"}) {
      if (const auto at = setting.find(name); at != std::string::npos) {
        setting.replace(at, std::string(name).size(), folder.File(name));
      }
    }
    if (row.setting) folder.Write("CV host certificate.txt", setting);
    const OwnCertificateFiles given =
        row.given ? OwnCertificateFiles{folder.File("cert.pem"), folder.File("key.pem")}
                  : OwnCertificateFiles{};
    const TableCertificate chosen = ChooseTableCertificate(folder.File("") + "/", given);
    ASSERT_TRUE(chosen.pair);
    EXPECT_EQ(chosen.pair->certificate == own.certificate, row.theirs);
    EXPECT_EQ(chosen.note.substr(0, std::string(row.note).size()), row.note) << chosen.note;
    if (!row.theirs) {
      EXPECT_TRUE(CertificateFingerprint(folder.Read("CV table certificate.pem")));
    }
  }
}

}  // namespace
}  // namespace corvane
