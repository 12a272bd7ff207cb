// A table hosted by the real program, headless (corvane --host 0 --script), joined over 127.0.0.1
// by friends made of the friend's program's own connection objects:
// - BM_FriendKeyToAnswer: the time from a friend's key (P, the pot, at their betting question) to
//   the phrase the host answers with, reported per key as the median and the 99th percentile;
// - BM_HostIdleCpu: the host's processor time (user and system, from /proc/PID/stat) over ten
//   seconds in which six friends sit at the table and the game waits for one of them.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "net/table_connection.h"

extern char** environ;

namespace corvane {
namespace {

constexpr char kProgram[] = CORVANE_PROGRAM_FOLDER "corvane";
constexpr char kCode[] = "123456";
constexpr int kKeyP = 'P';
constexpr int kKeyC = 'C';
constexpr int kWaitMilliseconds = 10000;
constexpr double kIdleSeconds = 10;
constexpr std::chrono::milliseconds kBetweenKeys{30};

// The host's script: a table of `seats`, started once `last` has joined; the host checks or calls
// and plays on, and the friends decide.
std::string HostScript(int seats, const std::string& last) {
  return "on Number of Players at the table? => " + std::to_string(seats) +
         " Enter N Enter Enter Enter Enter D 6 Enter\n"
         "on What would you like to do? => Enter\n"
         "on All betting is complete. => Enter\n"
         "on Play another hand of this game? => Y\n"
         "expect " +
         last +
         " has joined the table.\n"
         "key Enter T\n"
         "expect never said\n";
}

// The hosting program, in a data folder of its own, ended with the benchmark.
class HostProgram {
 public:
  HostProgram(int seats, const std::string& last)
      : home_(std::filesystem::temp_directory_path() /
              ("corvane_friends_bench_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(home_ / "Corvane");
    std::ofstream(home_ / "host.script") << HostScript(seats, last);
    const std::string out = (home_ / "out.txt").string();
    std::vector<std::string> arguments = {kProgram, "--script", (home_ / "host.script"),
                                          "--seed", "1",        "--host",
                                          "0",      "--code",   kCode};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::string appdata = "APPDATA=" + home_.string();
    char* env[] = {appdata.data(), nullptr};
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, kProgram, &files, nullptr, argv.data(), env) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&files);
  }
  ~HostProgram() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    std::filesystem::remove_all(home_);
  }
  HostProgram(const HostProgram&) = delete;
  HostProgram& operator=(const HostProgram&) = delete;

  // The port the lobby says, once it says it; 0 when it does not within ten seconds.
  std::uint16_t Port() const {
    const std::regex said("Friends join this machine at port ([0-9]+)\\.");
    for (int tries = 0; tries < 100; ++tries) {
      std::stringstream text;
      text << std::ifstream(home_ / "out.txt").rdbuf();
      std::smatch found;
      const std::string transcript = text.str();
      if (std::regex_search(transcript, found, said)) {
        return static_cast<std::uint16_t>(std::stoi(found[1]));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
  }

  // User and system time so far, in seconds.
  double CpuSeconds() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command's name, which is in parentheses: utime and stime are the 12th
    // and 13th of them.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 13 && fields >> field; ++i) {
      if (i >= 12) ticks += std::stod(field);
    }
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
  }

 private:
  std::filesystem::path home_;
  pid_t pid_ = 0;
};

// A friend at the table: the friend's program's connection, its events waited for on its
// descriptor.
class Friend {
 public:
  Friend(std::uint16_t port, const std::string& name) : connection_(Settings(port, name)) {}

  // The next message within ten seconds; nothing when the table ended or said nothing.
  std::optional<HostMessage> Next() {
    while (pending_.empty()) {
      pollfd wake{connection_.WakeDescriptor(), POLLIN, 0};
      if (::poll(&wake, 1, kWaitMilliseconds) != 1) return std::nullopt;
      for (ConnectionEvent& event : connection_.TakeEvents()) {
        if (event.kind == ConnectionEvent::Kind::Ended) ended_ = true;
        if (event.kind == ConnectionEvent::Kind::Message) pending_.push_back(event.message);
      }
      if (ended_ && pending_.empty()) return std::nullopt;
    }
    HostMessage message = pending_.front();
    pending_.erase(pending_.begin());
    return message;
  }
  // Reads until a question waits for this friend's key; false when none comes.
  bool UntilAsked() {
    for (std::optional<HostMessage> message = Next(); message; message = Next()) {
      if (const auto* answer = std::get_if<AnswerMessage>(&*message); answer && answer->waiting) {
        return true;
      }
    }
    return false;
  }
  // Reads until the host says something; false when it does not.
  bool UntilSaid() {
    for (std::optional<HostMessage> message = Next(); message; message = Next()) {
      if (std::holds_alternative<SayMessage>(*message)) return true;
    }
    return false;
  }
  // Takes in what has come without waiting.
  void Drain() {
    for (ConnectionEvent& event : connection_.TakeEvents()) {
      if (event.kind == ConnectionEvent::Kind::Message) pending_.push_back(event.message);
    }
    pending_.clear();
  }
  void Send(int code) { connection_.SendKey(code, 0); }
  int WakeDescriptor() const { return connection_.WakeDescriptor(); }

 private:
  static JoinSettings Settings(std::uint16_t port, const std::string& name) {
    JoinSettings settings;
    settings.host = "127.0.0.1";
    settings.port = port;
    settings.join = {"1.0", kCode, name, ClientKind::Desktop};
    return settings;
  }

  TableConnection connection_;
  std::vector<HostMessage> pending_;
  bool ended_ = false;
};

void BM_FriendKeyToAnswer(benchmark::State& state) {
  const HostProgram host(3, "Anna");
  const std::uint16_t port = host.Port();
  if (port == 0) return state.SkipWithError("the host did not open its table");
  Friend anna(port, "Anna");
  if (!anna.UntilAsked()) return state.SkipWithError("no question for the friend");
  std::vector<double> milliseconds;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    anna.Send(kKeyP);
    if (!anna.UntilSaid()) return state.SkipWithError("no answer");
    milliseconds.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    // The pot's words may come in more than one phrase: they are all in before the next key. The
    // keys come no faster than the host takes them from one friend (50 a second).
    state.PauseTiming();
    std::this_thread::sleep_for(kBetweenKeys);
    anna.Drain();
    state.ResumeTiming();
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
  state.counters["p99_ms"] = milliseconds[milliseconds.size() * 99 / 100];
}
BENCHMARK(BM_FriendKeyToAnswer)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HostIdleCpu(benchmark::State& state) {
  const std::vector<std::string> names = {"Anna", "Bob", "Cleo", "Dan", "Eve", "Finn"};
  const HostProgram host(7, names.back());
  const std::uint16_t port = host.Port();
  if (port == 0) return state.SkipWithError("the host did not open its table");
  std::vector<std::unique_ptr<Friend>> friends;
  for (const std::string& name : names) {
    friends.push_back(std::make_unique<Friend>(port, name));
    // Each joins once the one before has its seat.
    if (!friends.back()->UntilSaid()) return state.SkipWithError("a friend did not get a seat");
  }
  // The game begins and comes to a friend's question, which nobody answers.
  std::vector<pollfd> wakes;
  for (const auto& one : friends) wakes.push_back({one->WakeDescriptor(), POLLIN, 0});
  bool asked = false;
  while (!asked && ::poll(wakes.data(), wakes.size(), kWaitMilliseconds) > 0) {
    for (std::size_t i = 0; i < friends.size() && !asked; ++i) {
      if (wakes[i].revents == 0) continue;
      asked = friends[i]->UntilAsked();
    }
  }
  if (!asked) return state.SkipWithError("no question for a friend");
  for (auto _ : state) {
    const double before = host.CpuSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(kIdleSeconds));
    state.counters["host_cpu_ms"] = (host.CpuSeconds() - before) * 1000;
  }
  for (const auto& one : friends) one->Drain();
}
BENCHMARK(BM_HostIdleCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
