// The game's side of a table for the network tests: a TableServer on a free port of this machine,
// run by a thread of its own that waits on the server's descriptor as a game's host would. By
// default it welcomes every join and answers every key with the phrase "key CODE"; a test may
// answer events its own way.
#pragma once

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/certificate.h"
#include "net/table_connection.h"
#include "net/table_server.h"

namespace corvane {

inline constexpr char kTestCode[] = "123456";

// Short limits, so that what a fault costs shows within a test's seconds.
inline ServerLimits TestLimits() {
  ServerLimits limits;
  limits.handshakeSeconds = 1;
  limits.joinSeconds = 1;
  limits.idleSeconds = 1;
  limits.firstWrongCodePause = 0.3;
  limits.longestWrongCodePause = 1;
  return limits;
}

class TestTable {
 public:
  using Answer = std::function<void(TableServer&, const ServerEvent&)>;

  explicit TestTable(ServerLimits limits = TestLimits(), std::string version = "1.0",
                     std::vector<std::string> pageFolders = {}, Answer answer = {})
      : answer_(answer ? std::move(answer) : Answer(&TestTable::Welcome)) {
    std::string error;
    certificate = *MakeHostCertificate(error);
    ServerSettings settings;
    settings.certificate = certificate;
    settings.joinCode = kTestCode;
    settings.version = std::move(version);
    settings.pageFolders = std::move(pageFolders);
    settings.limits = limits;
    server = TableServer::Start(settings, error);
    if (server) game_ = std::thread([this] { Run(); });
  }
  ~TestTable() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stop_, &one, sizeof one);
    if (game_.joinable()) game_.join();
    server.reset();
    ::close(stop_);
  }

  // The default answers: a seat for every join, the key's code said back for every key.
  static void Welcome(TableServer& server, const ServerEvent& event) {
    if (event.kind == ServerEvent::Kind::Join) server.Welcome(event.id, {2, "The Boss", "1.0"});
    if (event.kind == ServerEvent::Kind::Key) {
      server.Send(event.id, SayMessage{"key " + std::to_string(event.key.code), 0});
    }
  }

  // Waits until `count` events of `kind` have come, for at most `seconds`.
  bool WaitFor(ServerEvent::Kind kind, int count, double seconds = 5) {
    std::unique_lock lock(mutex_);
    return seen_.wait_for(lock, std::chrono::duration<double>(seconds),
                          [&] { return counts_[kind] >= count; });
  }
  int Count(ServerEvent::Kind kind) {
    const std::lock_guard lock(mutex_);
    return counts_[kind];
  }

  CertificatePair certificate;
  std::unique_ptr<TableServer> server;

 private:
  void Run() {
    for (;;) {
      pollfd watched[] = {{server->WakeDescriptor(), POLLIN, 0}, {stop_, POLLIN, 0}};
      ::poll(watched, 2, -1);
      if (watched[1].revents != 0) return;
      for (const ServerEvent& event : server->TakeEvents()) {
        answer_(*server, event);
        const std::lock_guard lock(mutex_);
        ++counts_[event.kind];
        seen_.notify_all();
      }
    }
  }

  Answer answer_;
  int stop_ = ::eventfd(0, EFD_CLOEXEC);
  std::thread game_;
  std::mutex mutex_;
  std::condition_variable seen_;
  std::map<ServerEvent::Kind, int> counts_;
};

// A friend's connection as the friend's program makes it, its events waited on through its
// descriptor.
class TestFriend {
 public:
  TestFriend(const std::string& host, std::uint16_t port, std::string code = kTestCode,
             std::string version = "1.0", std::optional<Fingerprint> pinned = std::nullopt)
      : connection_(Settings(host, port, std::move(code), std::move(version), pinned)) {}

  static JoinSettings Settings(const std::string& host, std::uint16_t port, std::string code,
                               std::string version, std::optional<Fingerprint> pinned) {
    JoinSettings settings;
    settings.host = host;
    settings.port = port;
    settings.join = {std::move(version), std::move(code), "Anna", ClientKind::Desktop};
    settings.pinned = pinned;
    settings.answerSeconds = 5;
    return settings;
  }

  // The next event within `seconds`.
  std::optional<ConnectionEvent> Next(double seconds = 5) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (pending_.empty()) {
      for (ConnectionEvent& event : connection_.TakeEvents()) pending_.push_back(std::move(event));
      if (!pending_.empty()) break;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          until - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      pollfd wake{connection_.WakeDescriptor(), POLLIN, 0};
      ::poll(&wake, 1, static_cast<int>(left.count()));
    }
    ConnectionEvent event = std::move(pending_.front());
    pending_.erase(pending_.begin());
    return event;
  }

  // The first message or end, past the certificate.
  std::optional<ConnectionEvent> Answer() {
    std::optional<ConnectionEvent> event = Next();
    while (event && event->kind == ConnectionEvent::Kind::Certificate) event = Next();
    return event;
  }

  // A key goes to the table, and the table's phrase for it comes back.
  bool Exchange(int code) {
    connection_.SendKey(code, 0);
    const std::optional<ConnectionEvent> event = Next();
    if (!event || event->kind != ConnectionEvent::Kind::Message) return false;
    const auto* say = std::get_if<SayMessage>(&event->message);
    return say != nullptr && say->text == "key " + std::to_string(code);
  }

 private:
  TableConnection connection_;
  std::vector<ConnectionEvent> pending_;
};

}  // namespace corvane
