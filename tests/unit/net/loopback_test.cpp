// The host's port and a friend's connection over real sockets of this machine (127.0.0.1, ::1
// and the name localhost only): joins with right and wrong codes, versions and certificates; bad
// clients of every kind, each closed while a joined friend goes on being served; the files of the
// page.
#include <utility>  // before Asio's coroutines, which use std::exchange
// clang-format off
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
// clang-format on

#include "net/fingerprint.h"
#include "test_table.h"

namespace corvane {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using Tcp = asio::ip::tcp;
using Ws = websocket::stream<beast::ssl_stream<beast::tcp_stream>>;
using asio::use_awaitable;

constexpr const char* kAddresses[] = {"127.0.0.1", "::1"};
constexpr const char* kJoin =
    R"({"t":"join","version":"1.0","code":"123456","name":"Eve","client":"desktop"})";

// Runs `task` on a context of its own for at most `seconds`: its result, or nothing.
template <typename T>
std::optional<T> RunFor(double seconds, asio::io_context& io, asio::awaitable<T> task) {
  std::optional<T> result;
  asio::co_spawn(io, std::move(task), [&result](std::exception_ptr error, T value) {
    if (!error) result = std::move(value);
  });
  io.run_for(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds)));
  return result;
}

std::string RandomBytes(std::size_t size) {
  std::mt19937 random(7);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

// True once the other side has closed the socket.
asio::awaitable<bool> ReadToTheEnd(Tcp::socket& socket) {
  char buffer[4096];
  try {
    for (;;) co_await socket.async_read_some(asio::buffer(buffer), use_awaitable);
  } catch (const boost::system::system_error&) {
  }
  co_return true;
}

asio::awaitable<bool> ServerCloses(Ws& ws) {
  beast::flat_buffer buffer;
  try {
    for (;;) {
      co_await ws.async_read(buffer, use_awaitable);
      buffer.clear();
    }
  } catch (const boost::system::system_error&) {
  }
  co_return true;
}

asio::awaitable<std::unique_ptr<Ws>> OpenTable(Tcp::endpoint at) {
  static asio::ssl::context tls(asio::ssl::context::tls_client);
  auto ws = std::make_unique<Ws>(co_await asio::this_coro::executor, tls);
  co_await beast::get_lowest_layer(*ws).async_connect(at, use_awaitable);
  co_await ws->next_layer().async_handshake(asio::ssl::stream_base::client, use_awaitable);
  co_await ws->async_handshake("localhost", "/table", use_awaitable);
  co_return ws;
}

// One bad client: true when the port closed it.
using BadClient = asio::awaitable<bool> (*)(Tcp::endpoint);

asio::awaitable<bool> SendsRandomBytes(Tcp::endpoint at) {
  Tcp::socket socket(co_await asio::this_coro::executor);
  co_await socket.async_connect(at, use_awaitable);
  co_await asio::async_write(socket, asio::buffer(RandomBytes(4096)), use_awaitable);
  co_return co_await ReadToTheEnd(socket);
}

asio::awaitable<bool> SendsNothing(Tcp::endpoint at) {
  Tcp::socket socket(co_await asio::this_coro::executor);
  co_await socket.async_connect(at, use_awaitable);
  co_return co_await ReadToTheEnd(socket);
}

asio::awaitable<bool> SendsRandomBytesOverTls(Tcp::endpoint at) {
  asio::ssl::context tls(asio::ssl::context::tls_client);
  asio::ssl::stream<Tcp::socket> stream(co_await asio::this_coro::executor, tls);
  co_await stream.next_layer().async_connect(at, use_awaitable);
  co_await stream.async_handshake(asio::ssl::stream_base::client, use_awaitable);
  co_await asio::async_write(stream, asio::buffer(RandomBytes(4096)), use_awaitable);
  char buffer[4096];
  try {
    for (;;) co_await stream.async_read_some(asio::buffer(buffer), use_awaitable);
  } catch (const boost::system::system_error&) {
  }
  co_return true;
}

// A client that offers TLS 1.2 at most: the port speaks 1.3 alone.
asio::awaitable<bool> OffersTls12(Tcp::endpoint at) {
  asio::ssl::context tls(asio::ssl::context::tls_client);
  SSL_CTX_set_max_proto_version(tls.native_handle(), TLS1_2_VERSION);
  asio::ssl::stream<Tcp::socket> stream(co_await asio::this_coro::executor, tls);
  co_await stream.next_layer().async_connect(at, use_awaitable);
  try {
    co_await stream.async_handshake(asio::ssl::stream_base::client, use_awaitable);
  } catch (const boost::system::system_error&) {
    co_return true;
  }
  co_return false;
}

asio::awaitable<bool> NeverJoins(Tcp::endpoint at) {
  auto ws = co_await OpenTable(at);
  co_return co_await ServerCloses(*ws);
}

template <bool Binary, const char* Text>
asio::awaitable<bool> SendsOne(Tcp::endpoint at) {
  auto ws = co_await OpenTable(at);
  ws->binary(Binary);
  co_await ws->async_write(asio::buffer(std::string_view(Text)), use_awaitable);
  co_return co_await ServerCloses(*ws);
}
constexpr char kNotJson[] = "{\"t\":\"join\",";
constexpr char kKeyFirst[] = R"({"t":"key","code":40,"shift":0})";
constexpr char kUnknownKind[] = R"({"t":"hello"})";

asio::awaitable<bool> SendsOneOversized(Tcp::endpoint at) {
  auto ws = co_await OpenTable(at);
  co_await ws->async_write(asio::buffer(std::string(kMessageLimit + 1, ' ')), use_awaitable);
  co_return co_await ServerCloses(*ws);
}

// A message of 100 MB, in frames of a megabyte.
asio::awaitable<bool> SendsAHundredMegabytes(Tcp::endpoint at) {
  auto ws = co_await OpenTable(at);
  const std::string megabyte(1 << 20, 'x');
  try {
    for (int sent = 0; sent < 100; ++sent) {
      co_await ws->async_write_some(sent == 99, asio::buffer(megabyte), use_awaitable);
    }
  } catch (const boost::system::system_error&) {
    co_return true;  // the port closed in the middle
  }
  co_return co_await ServerCloses(*ws);
}

asio::awaitable<std::unique_ptr<Ws>> Joined(Tcp::endpoint at) {
  auto ws = co_await OpenTable(at);
  co_await ws->async_write(asio::buffer(std::string_view(kJoin)), use_awaitable);
  beast::flat_buffer welcome;
  co_await ws->async_read(welcome, use_awaitable);
  co_return ws;
}

asio::awaitable<bool> JoinsTwice(Tcp::endpoint at) {
  auto ws = co_await Joined(at);
  co_await ws->async_write(asio::buffer(std::string_view(kJoin)), use_awaitable);
  co_return co_await ServerCloses(*ws);
}

asio::awaitable<bool> FloodsKeys(Tcp::endpoint at) {
  auto ws = co_await Joined(at);
  try {
    for (int i = 0; i < 1000; ++i) {
      co_await ws->async_write(asio::buffer(std::string_view(kKeyFirst)), use_awaitable);
    }
  } catch (const boost::system::system_error&) {
  }
  co_return co_await ServerCloses(*ws);
}

// Joins and then reads nothing, so that the port's pings go unanswered; the port drops it.
asio::awaitable<bool> StopsAnswering(Tcp::endpoint at) {
  auto ws = co_await Joined(at);
  asio::steady_timer wait(co_await asio::this_coro::executor, std::chrono::seconds(3));
  co_await wait.async_wait(use_awaitable);
  co_return true;
}

asio::awaitable<bool> TwoHundredAtOnce(Tcp::endpoint at) {
  std::vector<Tcp::socket> sockets;
  for (int i = 0; i < 200; ++i) {
    sockets.emplace_back(co_await asio::this_coro::executor);
    co_await sockets.back().async_connect(at, use_awaitable);
  }
  for (Tcp::socket& socket : sockets) co_await ReadToTheEnd(socket);
  co_return true;
}

TEST(TableOverTheNetwork, JoinsAreCheckedForVersionCodeAndCertificate) {
  using End = ConnectionEvent::End;
  const Fingerprint other{};
  for (const char* address : {"127.0.0.1", "::1", "localhost"}) {
    SCOPED_TRACE(address);
    ServerLimits limits = TestLimits();
    limits.firstWrongCodePause = 1;
    TestTable table(limits);
    ASSERT_TRUE(table.server);
    const Fingerprint own = *CertificateFingerprint(table.certificate.certificate);
    const std::uint16_t port = table.server->Port();
    const struct {
      std::string code, version;
      std::optional<Fingerprint> pinned;
      std::string answer;  // the seat, the refusal's text, or how it ended
    } rows[] = {
        {kTestCode, "1.0", std::nullopt, "seat 2"},
        {kTestCode, "1.0", own, "seat 2"},
        {kTestCode, "0.9", std::nullopt,
         "This table runs Corvane version 1.0, and you have version 0.9. To join it, you need "
         "version 1.0."},
        {kTestCode, "1.0", other, "certificate changed"},
        {"654321", "1.0", own,
         "The join code is not this table's. Ask the host for the code, and join again."},
    };
    std::chrono::steady_clock::time_point rowStart;
    for (const auto& row : rows) {
      SCOPED_TRACE(row.answer);
      rowStart = std::chrono::steady_clock::now();
      const int joins = table.Count(ServerEvent::Kind::Join);
      TestFriend anna(address, port, row.code, row.version, row.pinned);
      std::optional<ConnectionEvent> event = anna.Next();
      ASSERT_TRUE(event);
      if (row.pinned == other) {
        EXPECT_EQ(event->end, End::CertificateChanged);
        EXPECT_EQ(event->fingerprint, own);
        EXPECT_FALSE(table.WaitFor(ServerEvent::Kind::Join, joins + 1, 0.5)) << "code sent";
        continue;
      }
      EXPECT_EQ(event->fingerprint, own);
      event = anna.Answer();
      ASSERT_TRUE(event && event->kind == ConnectionEvent::Kind::Message);
      if (const auto* welcome = std::get_if<WelcomeMessage>(&event->message)) {
        EXPECT_EQ("seat " + std::to_string(welcome->seat), row.answer);
        EXPECT_TRUE(anna.Exchange('C'));
      } else {
        EXPECT_EQ(std::get<RefusedMessage>(event->message).text, row.answer);
        EXPECT_EQ(anna.Next()->end, End::Refused);
      }
    }
    EXPECT_EQ(table.server->Counts().wrongCodes, 1);
    // After the wrong code (the last row), the next join from the address waits for its turn: a
    // second after the wrong code, which came after that row began.
    TestFriend bob(address, port);
    ASSERT_TRUE(bob.Answer());
    EXPECT_GE(std::chrono::steady_clock::now() - rowStart, std::chrono::seconds(1));
  }
}

TEST(TableOverTheNetwork, BadClientsAreClosedWhileAFriendIsServed) {
  const struct {
    const char* name;
    BadClient client;
    bool fault;  // counted as a fault of the other side (else turned away, or a friend gone)
  } rows[] = {
      {"random bytes", &SendsRandomBytes, true},
      {"random bytes over TLS", &SendsRandomBytesOverTls, true},
      {"TLS 1.2", &OffersTls12, true},
      {"nothing at all", &SendsNothing, true},
      {"no join", &NeverJoins, true},
      {"not JSON", &SendsOne<false, kNotJson>, true},
      {"a key before the join", &SendsOne<false, kKeyFirst>, true},
      {"a message of no known kind", &SendsOne<false, kUnknownKind>, true},
      {"a binary frame", &SendsOne<true, kKeyFirst>, true},
      {"a message over 64 KiB", &SendsOneOversized, true},
      {"a message of 100 MB", &SendsAHundredMegabytes, true},
      {"a second join", &JoinsTwice, true},
      {"a flood of keys", &FloodsKeys, true},
      {"pings unanswered", &StopsAnswering, true},
      {"200 connections at once", &TwoHundredAtOnce, false},
  };
  for (const char* address : kAddresses) {
    SCOPED_TRACE(address);
    TestTable table;
    ASSERT_TRUE(table.server);
    const Tcp::endpoint at(asio::ip::make_address(address), table.server->Port());
    TestFriend anna(address, at.port());
    ASSERT_TRUE(anna.Answer());
    for (const auto& row : rows) {
      SCOPED_TRACE(row.name);
      const ServerCounts before = table.server->Counts();
      const int lefts = table.Count(ServerEvent::Kind::Left);
      std::atomic<bool> done = false;
      std::optional<bool> closed;
      std::thread attacker([&] {
        asio::io_context io;
        closed = RunFor(10, io, row.client(at));
        done = true;
      });
      // The friend presses a key every 30 ms, a fast typist's pace, all the while.
      int exchanges = 0;
      do {
        EXPECT_TRUE(anna.Exchange('0' + exchanges % 10));
        ++exchanges;
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
      } while (!done);
      attacker.join();
      EXPECT_EQ(closed, std::optional<bool>(true));
      EXPECT_TRUE(anna.Exchange('Z'));
      const ServerCounts after = table.server->Counts();
      if (row.fault) {
        EXPECT_TRUE(after.closedForFault > before.closedForFault ||
                    table.WaitFor(ServerEvent::Kind::Left, lefts + 1, 1));
      } else {
        EXPECT_GE(after.turnedAway, 200 - TestLimits().handshakes);
      }
    }
    // Everything the bad clients opened is closed again; the friend alone is left.
    for (int i = 0; i < 50 && table.server->Counts().open > 1; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(table.server->Counts().open, 1);
  }
}

asio::awaitable<std::string> Get(Tcp::endpoint at, std::string method, std::string target) {
  asio::ssl::context tls(asio::ssl::context::tls_client);
  beast::ssl_stream<beast::tcp_stream> stream(co_await asio::this_coro::executor, tls);
  co_await beast::get_lowest_layer(stream).async_connect(at, use_awaitable);
  co_await stream.async_handshake(asio::ssl::stream_base::client, use_awaitable);
  http::request<http::empty_body> request(http::string_to_verb(method), target, 11);
  request.set(http::field::host, "localhost");
  co_await http::async_write(stream, request, use_awaitable);
  beast::flat_buffer buffer;
  http::response_parser<http::string_body> parser;
  parser.skip(method == "HEAD");  // an answer to HEAD has no body
  co_await http::async_read(stream, buffer, parser, use_awaitable);
  const auto& response = parser.get();
  co_return std::to_string(response.result_int()) + " " +
      std::string(response[http::field::content_type]) + " " + response.body();
}

TEST(TableOverTheNetwork, ThePageIsServedFromItsFolderAlone) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("corvane_page_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder / "sub");
  for (const char* name : {"index.html", "app.js", "style.css", "coin1.wav", ".hidden.txt",
                           "sub/inner.txt", "corvane", "game.gam"}) {
    std::ofstream(folder / name) << "<" << name << ">";
  }
  std::ofstream(folder / "big.wav") << std::string(2048, 'x');
  std::filesystem::create_symlink("/etc/hostname", folder / "link.txt");
  ASSERT_EQ(::mkfifo((folder / "pipe.txt").c_str(), 0600), 0);
  ServerLimits limits = TestLimits();
  limits.largestFile = 1024;
  TestTable table(limits, "1.0", {folder.string() + "/"});
  ASSERT_TRUE(table.server);
  const Tcp::endpoint at(asio::ip::make_address("127.0.0.1"), table.server->Port());
  const struct {
    const char *method, *target, *answer;
  } rows[] = {
      {"GET", "/", "200 text/html; charset=utf-8 <index.html>"},
      {"GET", "/app.js?v=1", "200 text/javascript; charset=utf-8 <app.js>"},
      {"GET", "/style.css", "200 text/css; charset=utf-8 <style.css>"},
      {"GET", "/COIN1.WAV", "200 audio/wav <coin1.wav>"},
      {"HEAD", "/coin1.wav", "200 audio/wav "},
      {"GET", "/../etc/hostname", "404 text/plain; charset=utf-8 Not found\n"},
      {"GET", "/%2e%2e/etc/hostname", "404 text/plain; charset=utf-8 Not found\n"},
      {"GET", "/sub/inner.txt", "404 text/plain; charset=utf-8 Not found\n"},
      {"GET", "/.hidden.txt", "404 text/plain; charset=utf-8 Not found\n"},
      {"GET", "/link.txt", "404 text/plain; charset=utf-8 Not found\n"},
      {"GET", "/pipe.txt", "404 text/plain; charset=utf-8 Not found\n"},
      {"GET", "/big.wav", "404 text/plain; charset=utf-8 Not found\n"},
      {"GET", "/corvane", "404 text/plain; charset=utf-8 Not found\n"},
      {"GET", "/game.gam", "404 text/plain; charset=utf-8 Not found\n"},
      {"POST", "/", "405 text/plain; charset=utf-8 Only GET and HEAD\n"},
  };
  for (const auto& row : rows) {
    asio::io_context io;
    EXPECT_EQ(RunFor(5, io, Get(at, row.method, row.target)),
              std::optional<std::string>(row.answer))
        << row.method << " " << row.target;
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace corvane
