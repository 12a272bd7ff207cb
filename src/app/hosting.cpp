// Hosting a table for friends: the table first (the saved one or a new one), then the port with
// the table's certificate, the lobby, and the table played with the friends who came.
#include <fmt/format.h>

#include <random>

#include "app/application.h"
#include "app/host_certificate.h"
#include "app/table_certificate.h"
#include "app/table_page.h"
#include "net/discovery.h"

namespace corvane {

namespace {

// A join code nobody can guess from the game's numbers: six digits from the system's randomness.
std::string DrawJoinCode() {
  std::random_device device;
  std::uniform_int_distribution<int> digits(0, 999999);
  return fmt::format("{:06d}", digits(device));
}

}  // namespace

void Application::HostTable(const HostingOptions& options) {
  bool restore = false;
  if (SavedTableExists() && saved_.Readable()) {
    restore = prompts_.AskYesNo("Would you like to play the saved table with your friends?",
                                kAnswerYes, true) == kAnswerYes;
  }
  if (restore ? saved_.RestoreTable() != 0 : !SetUpNewTable()) return;
  hosting_ = OpenHosting(options);
  if (!hosting_) return;
  // Friends on the home network find the table by the host's name while it is open.
  const std::unique_ptr<TablePublisher> published = TablePublisher::Start(
      table_.players.PlayerName[kHostSeat], hosting_->Port(), kProtocolVersion);
  if (hosting_->Lobby()) {
    hosting_->Playing();
    RunTable();
  }
  hosting_->Close();
  hosting_.reset();
}

std::unique_ptr<HostedTable> Application::OpenHosting(const HostingOptions& options) {
  const TableCertificate certificate =
      ChooseTableCertificate(folders_.DataFolder, options_.hostCertificate);
  if (!certificate.note.empty()) speech_.speak(certificate.note);
  if (!certificate.pair) return nullptr;
  const std::optional<Fingerprint> fingerprint =
      CertificateFingerprint(certificate.pair->certificate);
  ServerSettings settings;
  settings.port = options.port;
  settings.certificate = *certificate.pair;
  settings.joinCode = options.code.value_or(DrawJoinCode());
  // Friends without the program join from a web browser: the page, its sounds and help.
  settings.pageFolders = TablePageFolders(folders_.ProgramFolder);
  std::string error;
  std::unique_ptr<TableServer> server;
  if (fingerprint) server = TableServer::Start(settings, error);
  if (!server) {
    speech_.speak(fmt::format("The table cannot be opened to friends: {}.", error));
    return nullptr;
  }
  const TableParts parts{table_, hand_, engine_, seating_, narration_};
  return std::make_unique<HostedTable>(
      HostingParts{.host = host_,
                   .hostPerson = hostPerson_,
                   .table = parts,
                   .narration = narration_,
                   .game = game_,
                   .lock = folderLock_,
                   .programFolder = folders_.ProgramFolder,
                   .router = *this,
                   .cosmeticSeed = options_.seed.value_or(0) ^ kFriendsCosmeticSalt},
      std::move(server), settings.joinCode, *fingerprint);
}

}  // namespace corvane
