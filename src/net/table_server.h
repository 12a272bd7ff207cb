// The hosting program's port: friends' programs and browsers connect to it over TLS 1.3. A
// WebSocket at /table carries the table's messages; any other GET is answered with a file from
// the page's folders (the browser's page, its script and style, the sounds).
//
// The network runs on a thread of its own. A join is checked there (its version, then its code,
// with wrong codes slowed down per address); the game's thread gets only joins that passed and
// the keys of friends it welcomed, through an inbox whose descriptor its host watches, and decides
// the rest: it welcomes or refuses each join, sends each friend what they are told, drops and
// closes. Nothing the game calls here waits on the network.
//
// A connection is closed, and nothing else is touched, when it breaks the protocol (a malformed,
// oversized or unexpected message, a binary frame), sends nothing in time, stops answering pings,
// floods, or reads too slowly; connections beyond the limits are closed as they arrive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/certificate.h"
#include "net/messages.h"

namespace corvane {

using ConnectionId = std::uint64_t;

struct ServerLimits {
  int connections = 64;            // open at once, of every kind
  int handshakes = 16;             // not yet past their TLS and HTTP handshakes, or their join
  double handshakeSeconds = 10;    // to finish the TLS and HTTP handshakes
  double joinSeconds = 30;         // from the WebSocket's opening to the join
  double idleSeconds = 30;         // silence (pings unanswered) before a connection is dropped
  double firstWrongCodePause = 1;  // after one wrong code; it doubles with each more
  double longestWrongCodePause = 30;
  double forgiveWrongCodesAfter = 600;
  int messagesPerSecond = 50;  // a person presses far fewer keys than that; a burst of twice that
  std::size_t unsentBytes = 4 * 1024 * 1024;  // waiting to go to one friend who reads too slowly
  std::size_t largestFile = 8 * 1024 * 1024;
  int requestsPerConnection = 100;
  double closeSeconds = 2;  // for the last messages and the closing handshakes when the port shuts
};

struct ServerSettings {
  std::uint16_t port = 0;  // 0: a free port
  CertificatePair certificate;
  std::string joinCode;
  std::vector<std::string> pageFolders;  // each ending in "/"; none: no page is served
  std::string version{kProtocolVersion};
  ServerLimits limits;
};

// What reaches the game's thread.
struct ServerEvent {
  enum class Kind {
    Join,  // a join with this table's version and code: welcome or refuse it
    Key,   // a key of a welcomed friend
    Left,  // a connection that had joined is gone (closed, dropped or broken)
  };
  Kind kind = Kind::Join;
  ConnectionId id = 0;
  std::string address;  // the friend's IP address
  JoinMessage join;     // Join
  KeyMessage key;       // Key
};

// What the port has seen since it opened.
struct ServerCounts {
  int wrongCodes = 0;      // joins refused for their code
  int closedForFault = 0;  // connections closed for breaking the protocol, silence or flooding
  int turnedAway = 0;      // connections closed at once, beyond the limits
  int open = 0;            // connections open now
};

class TableServer {
 public:
  // Opens the port (IPv6 and IPv4 where the system has both) and starts the network thread;
  // nothing, with the reason in `error`, when the port cannot be opened or the certificate does
  // not serve.
  static std::unique_ptr<TableServer> Start(ServerSettings settings, std::string& error);
  // Closes everything, waiting at most ServerLimits::closeSeconds.
  ~TableServer();
  TableServer(const TableServer&) = delete;
  TableServer& operator=(const TableServer&) = delete;

  std::uint16_t Port() const;
  // Readable while events wait; for Host::WatchDescriptor.
  int WakeDescriptor() const;
  // The events that arrived, in order.
  std::vector<ServerEvent> TakeEvents();

  // Answers a join: welcomed, the friend is sent whatever follows; refused, the connection closes
  // once the refusal is out.
  void Welcome(ConnectionId id, const WelcomeMessage& welcome);
  void Refuse(ConnectionId id, const RefusedMessage& refused);
  // Sends a message to a welcomed friend; nothing for any other connection.
  void Send(ConnectionId id, const HostMessage& message);
  // Closes one connection (its Left event follows).
  void Drop(ConnectionId id);
  // The table is closed: every welcomed friend is sent "closed", every connection closes, and no
  // new one is taken.
  void CloseAll();

  ServerCounts Counts() const;

 private:
  struct Impl;
  explicit TableServer(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace corvane
