// A message's round trip on this machine: a friend's key goes out through the friend's network
// thread, over TLS to the host's port, reaches the host's game thread through its inbox, and the
// phrase the host sends back reaches the friend's game thread the same way. Both game threads are
// this one, woken by their descriptors as the hosts' waits are. Reported per key: the median and
// the 99th percentile, in microseconds.
#include <benchmark/benchmark.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <ratio>
#include <vector>

#include "net/certificate.h"
#include "net/table_connection.h"
#include "net/table_server.h"

namespace corvane {
namespace {

constexpr int kWaitMilliseconds = 5000;

// Waits for the descriptor, as a host's wait does.
bool Woken(int descriptor) {
  pollfd wake{descriptor, POLLIN, 0};
  return ::poll(&wake, 1, kWaitMilliseconds) == 1;
}

template <typename Source, typename Event>
std::vector<Event> EventsOf(Source& source) {
  std::vector<Event> events;
  while (events.empty() && Woken(source.WakeDescriptor())) events = source.TakeEvents();
  return events;
}

void BM_KeyToAnswer(benchmark::State& state) {
  std::string error;
  ServerSettings settings;
  settings.certificate = *MakeHostCertificate(error);
  settings.joinCode = "123456";
  // Keys come far faster here than any person presses them.
  settings.limits.messagesPerSecond = 1000000;
  const std::unique_ptr<TableServer> server = TableServer::Start(settings, error);
  JoinSettings join;
  join.host = "127.0.0.1";
  join.port = server->Port();
  join.join = {"1.0", "123456", "Anna", ClientKind::Desktop};
  TableConnection connection(join);
  const std::vector<ServerEvent> joined = EventsOf<TableServer, ServerEvent>(*server);
  if (joined.empty()) return state.SkipWithError("no join");
  const ConnectionId anna = joined.front().id;
  server->Welcome(anna, {2, "The Boss", "1.0"});
  while (true) {
    const auto events = EventsOf<TableConnection, ConnectionEvent>(connection);
    if (events.empty()) return state.SkipWithError("no welcome");
    if (events.back().kind == ConnectionEvent::Kind::Message) break;
  }

  std::vector<double> microseconds;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    connection.SendKey(40, 0);
    if (EventsOf<TableServer, ServerEvent>(*server).empty()) return state.SkipWithError("lost");
    server->Send(anna, SayMessage{"???Fold", 0});
    if (EventsOf<TableConnection, ConnectionEvent>(connection).empty()) {
      return state.SkipWithError("lost");
    }
    microseconds.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(microseconds.begin(), microseconds.end());
  state.counters["median_us"] = microseconds[microseconds.size() / 2];
  state.counters["p99_us"] = microseconds[microseconds.size() * 99 / 100];
}
BENCHMARK(BM_KeyToAnswer)->Iterations(5000)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
