// The main menu's "Play with Friends": host a table for friends on other machines, or join one.
#include "app/application.h"
#include "app/join_questions.h"
#include "app/table_search.h"

namespace corvane {

namespace {

constexpr int kHostChoice = 1;
constexpr int kJoinChoice = 2;
// The port a table opens on from the main menu, always the same, so that a host behind a home
// router forwards it once (corvane --host PORT chooses another).
constexpr std::uint16_t kTablePort = 50000;

}  // namespace

void Application::PlayWithFriends() {
  std::vector<std::string> items{"", "Host a Table, H", "Join a Table, J"};
  std::vector<std::string> keys{"", "H", "J"};
  const int choice =
      prompts_.Menu("Would you like to host a table, or join one?", items, keys, 2, 1, 0, true);
  if (choice == kHostChoice) HostTable(HostingOptions{kTablePort, std::nullopt});
  if (choice == kJoinChoice) JoinFriends();
}

void Application::JoinFriends() {
  const std::vector<FoundTable> found = LookForTables(host_, speech_, *this);
  JoinQuestions questions(speech_, prompts_, folders_.DataFolder);
  const std::optional<JoinRequest> request =
      questions.Ask(found, table_.players.PlayerName[kHostSeat]);
  if (!request) return;
  background_.Stop();
  FriendTable table(host_, hostPerson_, *this, audio_, folders_.ProgramFolder, folders_.DataFolder);
  table.Play(*request);
  PlayBackground("intro.WAV");
}

}  // namespace corvane
