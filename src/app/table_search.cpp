#include "app/table_search.h"

#include "platform/key_codes.h"

namespace corvane {

namespace {

// Long enough for the tables of a home network to answer (they answer within a second), short
// enough that a player without any does not wait long.
constexpr double kLookingSeconds = 3;
// The id under which the browse's descriptor is watched in the host's wait.
constexpr int kBrowseWatch = 2;

constexpr std::string_view kLooking = "Looking for tables on your home network.";

}  // namespace

std::vector<FoundTable> LookForTables(Host& host, Speech& speech, TimerSink& timers) {
  const std::unique_ptr<TableBrowser> browser = TableBrowser::Start();
  if (!browser) return {};
  speech.speak(kLooking);
  host.WatchDescriptor(kBrowseWatch, browser->WakeDescriptor());
  struct Unwatch {
    Host& host;
    ~Unwatch() { host.UnwatchDescriptor(kBrowseWatch); }
  } unwatch{host};
  const double until = host.Now() + kLookingSeconds;
  while (!browser->Done() && host.Now() < until) {
    const std::optional<HostEvent> event = host.NextEvent(until, WaitKind::Remote);
    if (!event) continue;
    if (event->kind == HostEvent::Kind::Close) throw EndProgram{0};
    if (event->kind == HostEvent::Kind::Timer) timers.TimerFired(event->code);
    if (event->kind != HostEvent::Kind::Key) continue;
    if (event->code == kKeyF4 && (event->shift & kAlt) != 0) throw EndProgram{0};
    if (event->code == kKeyEscape) break;
  }
  return TablesToOffer(browser->Found(), kMostTablesOffered);
}

}  // namespace corvane
