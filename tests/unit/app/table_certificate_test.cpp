// The host's certificate in the data folder: made once with its key, readable by its owner alone,
// the same at the next hosting, and what the host's port takes; a damaged file is set aside.
#include "app/table_certificate.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "net/fingerprint.h"
#include "net/table_server.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

TEST(TableCertificate, MadeOnceKeptPrivateAndServed) {
  const struct {
    const char* before;  // the file before, or nothing
    const char* note;    // how the note begins
  } rows[] = {
      {nullptr, ""},
      {"not a certificate",
       "Your table's certificate in CV table certificate.pem cannot be read. "
       "It may be damaged. It is kept as CV table certificate.damaged.pem,"},
  };
  for (const auto& row : rows) {
    TestFolder folder;
    const std::string data = folder.File("");
    if (row.before != nullptr) folder.Write("CV table certificate.pem", row.before);
    const TableCertificate made = LoadOrMakeTableCertificate(data + "/");
    ASSERT_TRUE(made.pair);
    EXPECT_EQ(made.note.substr(0, std::string(row.note).size()), row.note);
    if (row.before != nullptr) {
      EXPECT_EQ(folder.Read("CV table certificate.damaged.pem"), row.before);
    }
    struct stat info {};
    ASSERT_EQ(::stat(folder.File("CV table certificate.pem").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600);
    const TableCertificate again = LoadOrMakeTableCertificate(data + "/");
    ASSERT_TRUE(again.pair);
    EXPECT_EQ(again.note, "");
    EXPECT_EQ(CertificateFingerprint(again.pair->certificate),
              CertificateFingerprint(made.pair->certificate));
    ServerSettings settings;
    settings.certificate = *again.pair;
    settings.joinCode = "123456";
    std::string error;
    EXPECT_NE(TableServer::Start(settings, error), nullptr) << error;
  }
}

}  // namespace
}  // namespace corvane
