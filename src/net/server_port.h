// What the connections of the host's port share, on the network thread: the settings, the TLS
// context, the guard against guessed codes, the open connections and the game's inbox. Only the
// inbox and the counts are touched from the game's thread.
#pragma once

#include <atomic>
#include <boost/asio/ssl/context.hpp>
#include <chrono>
#include <memory>
#include <string>
#include <unordered_map>

#include "net/inbox.h"
#include "net/join_guard.h"
#include "net/table_server.h"

namespace corvane {

class ServerConnection;

struct ServerPort {
  ServerPort(ServerSettings s, std::unique_ptr<boost::asio::ssl::context> t)
      : settings(std::move(s)),
        tls(std::move(t)),
        guard(settings.limits.firstWrongCodePause, settings.limits.longestWrongCodePause,
              settings.limits.forgiveWrongCodesAfter) {}

  // Seconds of the steady clock, for the guard and the flood check.
  static double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }

  ServerSettings settings;
  std::unique_ptr<boost::asio::ssl::context> tls;
  JoinGuard guard;
  Inbox<ServerEvent> inbox;
  bool closing = false;

  std::unordered_map<ConnectionId, std::weak_ptr<ServerConnection>> connections;
  int handshaking = 0;  // connections not yet past their join

  std::atomic<int> wrongCodes{0};
  std::atomic<int> closedForFault{0};
  std::atomic<int> turnedAway{0};
  std::atomic<int> open{0};
};

}  // namespace corvane
