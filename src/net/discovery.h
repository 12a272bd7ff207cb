// Tables on the home network, by DNS-SD over multicast DNS (Avahi): a hosting program publishes
// its table under the service type _corvane._tcp, named after its host at the table, with its
// port; a friend's program browses for them for a moment before it asks for an address.
//
// Both are optional: a build without Avahi's client library, or a machine where its daemon does
// not run, publishes nothing and finds nothing, and says nothing of it. Avahi runs on a thread of
// its own; what it finds reaches the game's thread through a descriptor its host watches.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/table_address.h"

namespace corvane {

inline constexpr std::string_view kTableServiceType = "_corvane._tcp";

// A table a browse found: its service's name (the host at the table), where it answers, and the
// program's version from the service's text record (empty when it gave none).
struct FoundTable {
  std::string name;
  TableAddress address;
  std::string version;
  bool operator==(const FoundTable&) const = default;
};

// The tables to offer, from what a browse found: each name once (its IPv4 address rather than an
// IPv6 one, which home routers pass less reliably), in the order of their names, at most `most`.
// A table of another version is offered too: its host then says, in words, which version it runs.
std::vector<FoundTable> TablesToOffer(const std::vector<FoundTable>& found, std::size_t most);

class TablePublisher {
 public:
  // Publishes the table for as long as the publisher lives; nothing when Avahi does not run.
  static std::unique_ptr<TablePublisher> Start(const std::string& hostName, std::uint16_t port,
                                               std::string_view version);
  virtual ~TablePublisher() = default;
};

class TableBrowser {
 public:
  // Starts browsing at once; nothing when Avahi does not run.
  static std::unique_ptr<TableBrowser> Start();
  virtual ~TableBrowser() = default;

  // Readable when something was found, or the browse has all it will get for now.
  virtual int WakeDescriptor() const = 0;
  // True once the daemon has told all it knows for now and every table found was looked up.
  virtual bool Done() = 0;
  // The tables found so far.
  virtual std::vector<FoundTable> Found() = 0;
};

}  // namespace corvane
