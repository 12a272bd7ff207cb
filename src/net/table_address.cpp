#include "net/table_address.h"

#include <charconv>

namespace corvane {

namespace {

constexpr std::size_t kLongestHost = 253;  // the longest DNS name
constexpr std::string_view kNameCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-_";
constexpr std::string_view kIpv6Characters = "0123456789abcdefABCDEF:.%";

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace

std::optional<TableAddress> ParseTableAddress(std::string_view text) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::string_view host = text.substr(0, colon);
  const std::string_view port = text.substr(colon + 1);
  unsigned number = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (port.empty() || error != std::errc() || end != port.data() + port.size() || number == 0 ||
      number > 65535) {
    return std::nullopt;
  }
  if (host.starts_with('[') && host.ends_with(']')) {
    host = host.substr(1, host.size() - 2);
    if (host.find(':') == std::string_view::npos ||
        host.find_first_not_of(kIpv6Characters) != std::string_view::npos) {
      return std::nullopt;
    }
  } else if (host.empty() || host.size() > kLongestHost ||
             host.find_first_not_of(kNameCharacters) != std::string_view::npos) {
    return std::nullopt;
  }
  return TableAddress{Lower(host), static_cast<std::uint16_t>(number)};
}

std::string AddressText(const TableAddress& address) {
  const bool ipv6 = address.host.find(':') != std::string::npos;
  return (ipv6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}

}  // namespace corvane
