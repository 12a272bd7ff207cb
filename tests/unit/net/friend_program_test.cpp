// The friend's program as a friend meets it: the real corvane, in script mode, joining a table
// of this machine with --join. Its transcript, its exit status, the keys the table got and the
// known tables file it keeps.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
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
           HandMessage{"Hand 1, Texas Holdem. Dealer Harry.",
                       {"The deal goes to Harry", "Anna wins."},
                       "Texas Holdem",
                       150,
                       1100},
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
    const auto kept = [&home](const char* name) {
      std::stringstream bytes;
      bytes << std::ifstream(home / "Corvane" / name).rdbuf();
      return bytes.str();
    };
    EXPECT_EQ(kept("CV known tables.txt"), words(row.knownAfter));
    // The hand the table sent is this friend's own, in their own files.
    const bool played = row.name == std::string("at the table");
    EXPECT_EQ(kept("Hand history.txt"),
              played ? "Hand 1, Texas Holdem. Dealer Harry.\nThe deal goes to Harry\nAnna wins.\n\n"
                     : "");
    EXPECT_EQ(kept("Statistics.txt"), played ? "Corvane statistics 1\n1\t1\tTexas Holdem\n" : "");
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

// What the terminal shows until `text` appears, for at most `seconds`.
std::string ReadUntil(int terminal, const std::string& text, std::string& shown,
                      double seconds = 10) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (shown.find(text) == std::string::npos && std::chrono::steady_clock::now() < until) {
    pollfd ready{terminal, POLLIN, 0};
    if (::poll(&ready, 1, 100) != 1) continue;
    char buffer[4096];
    const ssize_t n = ::read(terminal, buffer, sizeof buffer);
    if (n <= 0) break;
    shown.append(buffer, static_cast<std::size_t>(n));
  }
  return shown;
}

// The friend plays in a terminal (the console host, the text window as its lines): the table's
// descriptor wakes the terminal's wait, a message box waits for Enter, a typed key goes out.
TEST(FriendProgram, InATerminal) {
#ifndef CORVANE_HAS_CONSOLE
  GTEST_SKIP() << "a build without the desktop has no terminal host";
#endif
  TestTable table(TestLimits(), "1.0", {}, &PlaysAMoment);
  ASSERT_TRUE(table.server);
  const std::filesystem::path home =
      std::filesystem::temp_directory_path() / ("corvane_terminal_" + std::to_string(::getpid()));
  std::filesystem::create_directories(home / "Corvane");
  std::ofstream(home / "Corvane" / "CV pace.ini") << "2,24,0,0\r\n";  // no pauses at the start
  const std::string address = "127.0.0.1:" + std::to_string(table.server->Port());
  int terminal = -1;
  const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::setenv("APPDATA", home.c_str(), 1);
    ::setenv("TERM", "xterm", 1);
    ::execl(kProgram, kProgram, "0", "--console", "--no-sound", "--join", address.c_str(), "--name",
            "Anna", "--code", kTestCode, nullptr);
    ::_exit(127);
  }
  std::string shown;
  for (const char* box : {"Error opening file nosuch.wav", "A box."}) {
    EXPECT_NE(ReadUntil(terminal, std::string(box) + " (Press Enter)", shown).find(box),
              std::string::npos);
    ASSERT_EQ(::write(terminal, "\r", 1), 1);
  }
  ReadUntil(terminal, "What would you like to do?", shown);
  ASSERT_EQ(::write(terminal, "c", 1), 1);
  ReadUntil(terminal, "Start a New Table, T", shown);
  ASSERT_EQ(::write(terminal, "\x03", 1), 1);  // Control-C stands in for Alt-F4
  int status = -1;
  for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; ++waited) {
    if (waited == 500) ::kill(pid, SIGKILL);
    ReadUntil(terminal, "never shown", shown, 0.02);
  }
  ::close(terminal);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << shown;
  for (const char* line :
       {"You have joined The Boss's table, at seat 2.\r\n", "Anna has joined the table.\r\n",
        "key 67\r\nThe table is closed.\r\n"}) {
    EXPECT_NE(shown.find(line), std::string::npos) << line << " in:\n" << shown;
  }
  EXPECT_EQ(table.Count(ServerEvent::Kind::Key), 1);
  std::filesystem::remove_all(home);
}

}  // namespace
}  // namespace corvane
