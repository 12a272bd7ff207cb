// The friend's program as a friend meets it: the real corvane, in script mode, joining a table
// of this machine with --join. Its transcript, its exit status, the keys the table got and the
// known tables file it keeps.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "net/fingerprint.h"
#include "test_table.h"

extern char** environ;

namespace corvane {
namespace {

constexpr char kProgram[] = CORVANE_PROGRAM_FOLDER "corvane";

struct FriendRun {
  std::string transcript;
  int status = -1;
};

// Runs the program with `script` and `arguments` in the data folder `home`, for at most 30 s.
FriendRun RunFriend(const std::filesystem::path& home, const std::string& script,
                    std::vector<std::string> arguments) {
  std::ofstream(home / "friend.script") << script;
  const std::string out = (home / "out.txt").string();
  arguments.insert(arguments.begin(), {kProgram, "--sounds", "--script", (home / "friend.script")});
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables = {"APPDATA=" + home.string(), "SDL_AUDIODRIVER=dummy"};
  std::vector<char*> env;
  for (std::string& variable : variables) env.push_back(variable.data());
  env.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  FriendRun run;
  if (posix_spawn(&pid, kProgram, &files, nullptr, argv.data(), env.data()) != 0) return run;
  posix_spawn_file_actions_destroy(&files);
  int status = 0;
  for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; ++waited) {
    if (waited == 1500) ::kill(pid, SIGKILL);
    ::usleep(20000);
  }
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::stringstream text;
  text << std::ifstream(out).rdbuf();
  run.transcript = text.str();
  return run;
}

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
    text.replace(at, what.size(), with);
    at += with.size();
  }
  return text;
}

// The table's side of the first rows: a welcome and a moment of a hand, then the table closes at
// the friend's first key.
void PlaysAMoment(TableServer& server, const ServerEvent& event) {
  const ConnectionId id = event.id;
  if (event.kind == ServerEvent::Kind::Key) {
    server.Send(id, SayMessage{"key " + std::to_string(event.key.code), 0});
    server.CloseAll();
    return;
  }
  if (event.kind != ServerEvent::Kind::Join) return;
  server.Welcome(id, {2, "The Boss", "1.0"});
  using Op = SoundMessage::Op;
  for (const HostMessage& message : std::vector<HostMessage>{
           SayMessage{"Anna has joined the table.", 0},
           SoundMessage{Op::Load, 3, "COIN3.wav"},
           SoundMessage{Op::Volume, 0, {}, 4, false, -600},
           SoundMessage{Op::Pan, 0, {}, 4, false, 2500},
           SoundMessage{Op::Play, 3, {}, 4, false},
           SoundMessage{Op::Load, 5, "nosuch.wav"},
           BoxMessage{"Error! ", "A box.", MessageIcon::Exclamation},
           SayMessage{"???What would you like to do?", 0},
           AnswerMessage{true},
       }) {
    server.Send(id, message);
  }
}

// A welcome, and the connection dropped as when the host's program is killed.
void WelcomesAndGoes(TableServer& server, const ServerEvent& event) {
  if (event.kind != ServerEvent::Kind::Join) return;
  server.Welcome(event.id, {3, "The Boss", "1.0"});
  server.Drop(event.id);
}

constexpr char kStart[] =
    "~ intro0.wav\nCorvane Version 1.0.\nJoining the table at 127.0.0.1, port PORT.\n";
constexpr char kMainMenu[] = "~ intro.wav\n~ intro2.wav\nSelect from Menu\nStart a New Table, T\n";

TEST(FriendProgram, JoinsPlaysAndIsToldWhyNot) {
  const std::string known = "Corvane known tables 1\n127.0.0.1:PORT\tFINGERPRINT\n";
  const std::string other =
      "Corvane known tables 1\n127.0.0.1:PORT\t" + std::string(64, '0') + "\n";
  const struct {
    const char* name;
    TestTable::Answer table;
    std::string version, code, knownBefore, script, transcript;
    int status;
    std::string knownAfter;
  } rows[] = {
      {"at the table", &PlaysAMoment, "1.0", kTestCode, "",
       "expect What would you like to do?\nnow Ctrl+Up\nkey C\n",
       std::string(kStart) +
           "You have not joined this table before. The fingerprint of its certificate is: "
           "SPOKEN.\nYou have joined The Boss's table, at seat 2.\nAnna has joined the "
           "table.\n~ COIN3.wav\n! Error! : Error opening file nosuch.wav\n! Error! : A box.\n"
           "What would you like to do?\nAnna has joined the table.\nkey 67\nThe table is "
           "closed.\n" +
           kMainMenu,
       0, known},
      {"known before", &WelcomesAndGoes, "1.0", kTestCode, known, "",
       std::string(kStart) +
           "You have joined The Boss's table, at seat 3.\nThe table is closed.\n" + kMainMenu,
       0, known},
      {"a damaged list of known tables", &WelcomesAndGoes, "1.0", kTestCode, "Corvane", "",
       "~ intro0.wav\nCorvane Version 1.0.\nYour list of known tables in CV known tables.txt "
       "cannot be read. It may be damaged. This table is joined as one you have not joined "
       "before, and its certificate is not kept while that file is there.\nJoining the table at "
       "127.0.0.1, port PORT.\nYou have not joined this table before. The fingerprint of its "
       "certificate is: SPOKEN.\nYou have joined The Boss's table, at seat 3.\nThe table is "
       "closed.\n" +
           std::string(kMainMenu),
       0, "Corvane"},
      {"a wrong code", nullptr, "1.0", "654321", known, "",
       std::string(kStart) +
           "The join code is not this table's. Ask the host for the code, and join again.\n",
       4, known},
      {"another version", nullptr, "1.1", kTestCode, "", "",
       std::string(kStart) +
           "You have not joined this table before. The fingerprint of its certificate is: "
           "SPOKEN.\nThis table runs Corvane version 1.1, and you have version 1.0. To join it, "
           "you need version 1.1.\n",
       4, ""},
      {"a changed certificate", nullptr, "1.0", kTestCode, other, "",
       std::string(kStart) +
           "The table at 127.0.0.1, port PORT shows another certificate than the one it had when "
           "you first joined it, so you have not joined: someone may stand between you and the "
           "table. If the host has made a new certificate, take the line of 127.0.0.1:PORT out of "
           "CV known tables.txt in your data folder, and join again.\n",
       4, other},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TestTable table(TestLimits(), row.version, {}, row.table);
    ASSERT_TRUE(table.server);
    const std::string port = std::to_string(table.server->Port());
    const Fingerprint fingerprint = *CertificateFingerprint(table.certificate.certificate);
    const auto words = [&](std::string text) {
      text = Replaced(std::move(text), "PORT", port);
      text = Replaced(std::move(text), "FINGERPRINT", FingerprintDigits(fingerprint));
      return Replaced(std::move(text), "SPOKEN", SpokenFingerprint(fingerprint));
    };
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("corvane_friend_" + std::to_string(::getpid()));
    std::filesystem::create_directories(home / "Corvane");
    const std::filesystem::path knownFile = home / "Corvane" / "CV known tables.txt";
    if (!row.knownBefore.empty()) std::ofstream(knownFile) << words(row.knownBefore);
    const FriendRun run = RunFriend(
        home, row.script, {"--join", "127.0.0.1:" + port, "--name", "Anna", "--code", row.code});
    EXPECT_EQ(run.transcript, words(row.transcript));
    EXPECT_EQ(run.status, row.status);
    std::stringstream kept;
    kept << std::ifstream(knownFile).rdbuf();
    EXPECT_EQ(kept.str(), words(row.knownAfter));
    // The local keys stay at home; a table whose certificate changed never had the join code.
    EXPECT_EQ(table.Count(ServerEvent::Kind::Key), row.script.empty() ? 0 : 1);
    if (row.knownBefore == other) {
      EXPECT_EQ(table.Count(ServerEvent::Kind::Join), 0);
    }
    std::filesystem::remove_all(home);
  }
}

TEST(FriendProgram, NoTableAtTheAddress) {
  std::uint16_t port = 0;
  {
    const TestTable closed;  // a port that was free a moment ago, and is again
    port = closed.server->Port();
  }
  const std::filesystem::path home =
      std::filesystem::temp_directory_path() / ("corvane_nobody_" + std::to_string(::getpid()));
  std::filesystem::create_directories(home / "Corvane");
  const FriendRun run = RunFriend(
      home, "",
      {"--join", "127.0.0.1:" + std::to_string(port), "--name", "Anna", "--code", kTestCode});
  EXPECT_EQ(run.transcript, Replaced(kStart, "PORT", std::to_string(port)) +
                                "No table answers at 127.0.0.1, port " + std::to_string(port) +
                                ": Connection refused.\n");
  EXPECT_EQ(run.status, 4);
  std::filesystem::remove_all(home);
}

}  // namespace
}  // namespace corvane
