#include "net/discovery.h"

#include <algorithm>

namespace corvane {

namespace {

bool IsIpv6(const TableAddress& address) {
  return address.host.find(':') != std::string::npos;
}

}  // namespace

std::vector<FoundTable> TablesToOffer(const std::vector<FoundTable>& found, std::size_t most) {
  std::vector<FoundTable> offered;
  for (const FoundTable& table : found) {
    const auto same = std::find_if(offered.begin(), offered.end(),
                                   [&](const FoundTable& t) { return t.name == table.name; });
    if (same == offered.end()) {
      offered.push_back(table);
    } else if (IsIpv6(same->address) && !IsIpv6(table.address)) {
      *same = table;
    }
  }
  std::stable_sort(offered.begin(), offered.end(),
                   [](const FoundTable& a, const FoundTable& b) { return a.name < b.name; });
  if (offered.size() > most) offered.resize(most);
  return offered;
}

#ifndef CORVANE_HAS_AVAHI

// Built without Avahi: nothing is published and nothing found.
std::unique_ptr<TablePublisher> TablePublisher::Start(const std::string&, std::uint16_t,
                                                      std::string_view) {
  return nullptr;
}

std::unique_ptr<TableBrowser> TableBrowser::Start() {
  return nullptr;
}

#endif

}  // namespace corvane
