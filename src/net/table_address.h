// Where a table is: a host (a name, an IPv4 address, or an IPv6 address in brackets) and a port,
// written HOST:PORT as people give it ("192.168.1.20:50000", "anna-pc.local:50000",
// "[::1]:50000").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct TableAddress {
  std::string host;  // as connected to: a name in small letters, an IPv6 address without brackets
  std::uint16_t port = 0;
  bool operator==(const TableAddress&) const = default;
};

// Nothing for text that is not HOST:PORT with a port of 1..65535.
std::optional<TableAddress> ParseTableAddress(std::string_view text);

// HOST:PORT again, an IPv6 address in brackets: the table's name in the friend's known tables.
std::string AddressText(const TableAddress& address);

}  // namespace corvane
