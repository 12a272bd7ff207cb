// A friend's connection to a table: it finds the host (a name, an IPv4 or an IPv6 address),
// connects over TLS 1.3, checks the host's certificate against the one this table had before
// (the join code never goes to a table whose certificate changed), joins, and then carries the
// table's messages in and the friend's keys out.
//
// The network runs on a thread of its own; what arrives reaches the game's thread through an
// inbox whose descriptor its host watches, each message already checked whole. Sending only
// hands the key to the network thread. Every connection ends with exactly one Ended event.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/fingerprint.h"
#include "net/messages.h"

namespace corvane {

struct JoinSettings {
  std::string host;  // a name or an address (IPv6 without brackets)
  std::uint16_t port = 0;
  JoinMessage join;
  std::optional<Fingerprint> pinned;  // the certificate the table had before; none: first join
  double answerSeconds = 15;          // from the start to the host's answer to the join
  double idleSeconds = 30;            // silence (pings unanswered) before the table is lost
};

struct ConnectionEvent {
  enum class Kind {
    Certificate,  // the TLS handshake is done: the host's fingerprint; the join goes out next
    Message,      // a message of the host: first a welcome or a refusal, then the table's
    Ended,        // the connection is over, for `end`
  };
  enum class End {
    Closed,              // the table was closed (its "closed", or the host's program ended)
    Lost,                // the connection broke after the welcome
    Refused,             // after a refusal
    Unreachable,         // the host was not found or did not take the connection (`detail`)
    NotATable,           // what answered there is not a Corvane table
    CertificateChanged,  // the certificate is not the one pinned (`fingerprint` is the new one)
    TimedOut,            // no answer to the join in time
    Fault,               // the host sent something that is not one of its messages
  };
  Kind kind = Kind::Ended;
  Fingerprint fingerprint{};
  HostMessage message;
  End end = End::Closed;
  std::string detail;
};

class TableConnection {
 public:
  // Starts joining at once.
  explicit TableConnection(JoinSettings settings);
  // Closes the connection (the WebSocket's closing handshake, for a second at most).
  ~TableConnection();
  TableConnection(const TableConnection&) = delete;
  TableConnection& operator=(const TableConnection&) = delete;

  // Readable while events wait; for Host::WatchDescriptor.
  int WakeDescriptor() const;
  std::vector<ConnectionEvent> TakeEvents();

  // Sends a key, once welcomed (before, or after the end, it is dropped).
  void SendKey(int code, int shift);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace corvane
