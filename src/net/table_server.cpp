#include "net/table_server.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ip/v6_only.hpp>
#include <boost/asio/steady_timer.hpp>

#include "net/io_thread.h"
#include "net/server_connection.h"
#include "net/server_port.h"
#include "net/tls.h"

namespace corvane {

namespace {

namespace asio = boost::asio;
using Tcp = asio::ip::tcp;

// After a failed accept (no descriptors left, say) the port tries again this much later rather
// than at once, which would spin.
constexpr auto kAcceptRetry = std::chrono::milliseconds(100);

// The address as people write it: an IPv4 address reached over IPv6 is written as IPv4.
std::string AddressText(const asio::ip::address& address) {
  if (address.is_v6() && address.to_v6().is_v4_mapped()) {
    return asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6()).to_string();
  }
  return address.to_string();
}

}  // namespace

struct TableServer::Impl {
  Impl(ServerSettings settings, std::unique_ptr<asio::ssl::context> tls)
      : port(std::move(settings), std::move(tls)) {}

  // Opens the port on every address: IPv6 with IPv4 beside it, or IPv4 alone where the system
  // has no IPv6.
  bool Open(std::uint16_t wanted, std::string& error) {
    boost::system::error_code failure;
    for (const Tcp protocol : {Tcp::v6(), Tcp::v4()}) {
      failure = {};
      acceptor.open(protocol, failure);
      if (failure) continue;
      acceptor.set_option(asio::socket_base::reuse_address(true), failure);
      if (protocol == Tcp::v6()) acceptor.set_option(asio::ip::v6_only(false), failure);
      acceptor.bind(Tcp::endpoint(protocol, wanted), failure);
      if (!failure) acceptor.listen(asio::socket_base::max_listen_connections, failure);
      if (!failure) number = acceptor.local_endpoint(failure).port();
      if (!failure) return true;
      boost::system::error_code ignored;
      acceptor.close(ignored);
    }
    error = failure.message();
    return false;
  }

  void Accept() {
    acceptor.async_accept([this](const boost::system::error_code& error, Tcp::socket socket) {
      if (port.closing || error == asio::error::operation_aborted) return;
      if (error) {
        retry.expires_after(kAcceptRetry);
        retry.async_wait([this](const boost::system::error_code& e) {
          if (!e) Accept();
        });
        return;
      }
      Admit(std::move(socket));
      Accept();
    });
  }

  void Admit(Tcp::socket socket) {
    const ServerLimits& limits = port.settings.limits;
    boost::system::error_code failure;
    // A key's answer is often several small messages: each goes out at once, instead of waiting
    // for the friend's acknowledgement of the one before (which a friend delays by 40 ms).
    boost::system::error_code ignored;
    socket.set_option(Tcp::no_delay(true), ignored);
    const Tcp::endpoint peer = socket.remote_endpoint(failure);
    if (failure || port.open.load() >= limits.connections ||
        port.handshaking >= limits.handshakes) {
      ++port.turnedAway;
      socket.close(failure);
      return;
    }
    const ConnectionId id = ++lastId;
    auto connection = std::make_shared<ServerConnection>(std::move(socket), id,
                                                         AddressText(peer.address()), port);
    port.connections[id] = connection;
    connection->Start();
  }

  // On the network thread: `act` with the connection, when it is still there.
  template <typename Act>
  void With(ConnectionId id, Act act) {
    io.Post([this, id, act = std::move(act)] {
      const auto it = port.connections.find(id);
      if (it == port.connections.end()) return;
      if (const auto connection = it->second.lock()) act(*connection);
    });
  }

  void CloseAll() {
    io.Post([this] {
      if (port.closing) return;
      port.closing = true;
      boost::system::error_code ignored;
      acceptor.close(ignored);
      retry.cancel();
      // Closing may end a connection, which takes it out of the map.
      std::vector<std::shared_ptr<ServerConnection>> open;
      for (auto& [id, weak] : port.connections) {
        if (auto connection = weak.lock()) open.push_back(std::move(connection));
      }
      for (const auto& connection : open) connection->Close();
    });
  }

  ServerPort port;
  IoThread io;
  Tcp::acceptor acceptor{io.context()};
  asio::steady_timer retry{io.context()};
  ConnectionId lastId = 0;
  std::uint16_t number = 0;  // the port, once open
};

std::unique_ptr<TableServer> TableServer::Start(ServerSettings settings, std::string& error) {
  std::unique_ptr<asio::ssl::context> tls = MakeServerTls(settings.certificate, error);
  if (!tls) return nullptr;
  const std::uint16_t number = settings.port;
  auto impl = std::make_unique<Impl>(std::move(settings), std::move(tls));
  if (!impl->Open(number, error)) return nullptr;
  impl->io.Post([raw = impl.get()] { raw->Accept(); });
  return std::unique_ptr<TableServer>(new TableServer(std::move(impl)));
}

TableServer::TableServer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

TableServer::~TableServer() {
  impl_->CloseAll();
  impl_->io.Stop(impl_->port.settings.limits.closeSeconds);
}

std::uint16_t TableServer::Port() const {
  return impl_->number;
}

int TableServer::WakeDescriptor() const {
  return impl_->port.inbox.Descriptor();
}

std::vector<ServerEvent> TableServer::TakeEvents() {
  return impl_->port.inbox.Take();
}

void TableServer::Welcome(ConnectionId id, const WelcomeMessage& welcome) {
  impl_->With(id, [welcome](ServerConnection& connection) { connection.Welcome(welcome); });
}

void TableServer::Refuse(ConnectionId id, const RefusedMessage& refused) {
  impl_->With(id, [refused](ServerConnection& connection) { connection.Refuse(refused); });
}

void TableServer::Send(ConnectionId id, const HostMessage& message) {
  // Written here, so that the network thread is handed a plain text.
  impl_->With(
      id, [text = WriteMessage(message)](ServerConnection& connection) { connection.Send(text); });
}

void TableServer::Drop(ConnectionId id) {
  impl_->With(id, [](ServerConnection& connection) { connection.Drop(); });
}

void TableServer::CloseAll() {
  impl_->CloseAll();
}

ServerCounts TableServer::Counts() const {
  const ServerPort& port = impl_->port;
  return {port.wrongCodes.load(), port.closedForFault.load(), port.turnedAway.load(),
          port.open.load()};
}

}  // namespace corvane
