#include "net/table_connection.h"

#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <deque>
#include <optional>

#include "net/inbox.h"
#include "net/io_thread.h"
#include "net/tls.h"

namespace corvane {

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using Tcp = asio::ip::tcp;
using Event = ConnectionEvent;

constexpr std::string_view kTablePath = "/table";
constexpr double kCloseSeconds = 1;
// The host closes a connection that sends more than 50 messages a second: keys go out at least
// this far apart (a held key repeats about 30 times a second, nobody types faster), so that no
// person, and no script, is ever taken for a flood. A key waits only behind the one before it.
constexpr auto kKeySpacing = std::chrono::milliseconds(25);

std::chrono::steady_clock::duration Seconds(double seconds) {
  return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double>(seconds));
}

bool IsAddress(const std::string& host) {
  boost::system::error_code error;
  asio::ip::make_address(host, error);
  return !error;
}

std::optional<Fingerprint> PeerFingerprint(SSL* tls) {
  X509* certificate = SSL_get1_peer_certificate(tls);
  if (certificate == nullptr) return std::nullopt;
  Fingerprint fingerprint{};
  unsigned int size = 0;
  const bool made = X509_digest(certificate, EVP_sha256(), fingerprint.data(), &size) == 1 &&
                    size == fingerprint.size();
  X509_free(certificate);
  if (!made) return std::nullopt;
  return fingerprint;
}

// One join, on the network thread.
class Session : public std::enable_shared_from_this<Session> {
 public:
  Session(asio::io_context& io, JoinSettings settings, Inbox<Event>& inbox)
      : settings_(std::move(settings)),
        inbox_(inbox),
        tls_(MakeClientTls()),
        resolver_(std::in_place, io),
        deadline_(std::in_place, io),
        pacer_(std::in_place, io),
        webSocket_(std::in_place, io, *tls_) {}

  void Start() {
    deadline_->expires_after(Seconds(settings_.answerSeconds));
    deadline_->async_wait([self = shared_from_this()](const beast::error_code& error) {
      if (!error && !self->answered_) self->End(Event::End::TimedOut);
    });
    resolver_->async_resolve(settings_.host, std::to_string(settings_.port),
                             [self = shared_from_this()](const beast::error_code& error,
                                                         const Tcp::resolver::results_type& found) {
                               self->OnResolved(error, found);
                             });
  }

  void SendKey(const KeyMessage& key) {
    if (!answered_ || ended_) return;
    keys_.push_back(key);
    if (keys_.size() == 1) SendPacedKey();
  }

  void Close() {
    if (ended_ || !open_) return End(Event::End::Closed);
    ended_ = true;
    Put(Ended(Event::End::Closed));
    deadline_->cancel();
    webSocket_->async_close(
        websocket::close_code::normal,
        [self = shared_from_this()](const beast::error_code&) { self->CutConnection(); });
  }

  // The network thread has stopped: the I/O objects go while their context is still there.
  void Release() {
    webSocket_.reset();
    pacer_.reset();
    deadline_.reset();
    resolver_.reset();
  }

 private:
  Tcp::socket& Socket() { return beast::get_lowest_layer(*webSocket_).socket(); }

  void OnResolved(const beast::error_code& error, const Tcp::resolver::results_type& found) {
    if (ended_) return;
    if (error) return End(Event::End::Unreachable, error.message());
    beast::get_lowest_layer(*webSocket_)
        .async_connect(
            found, [self = shared_from_this()](const beast::error_code& e, const Tcp::endpoint&) {
              self->OnConnected(e);
            });
  }

  void OnConnected(const beast::error_code& error) {
    if (ended_) return;
    if (error) return End(Event::End::Unreachable, error.message());
    // Each key goes out at once, not held back until the host acknowledges what went before.
    beast::error_code ignored;
    Socket().set_option(Tcp::no_delay(true), ignored);
    // A name is told to the host's TLS, which may serve several.
    if (!IsAddress(settings_.host)) {
      SSL_set_tlsext_host_name(webSocket_->next_layer().native_handle(), settings_.host.c_str());
    }
    webSocket_->next_layer().async_handshake(
        asio::ssl::stream_base::client,
        [self = shared_from_this()](const beast::error_code& e) { self->OnTlsHandshake(e); });
  }

  void OnTlsHandshake(const beast::error_code& error) {
    if (ended_) return;
    if (error) return End(Event::End::NotATable, error.message());
    const std::optional<Fingerprint> fingerprint =
        PeerFingerprint(webSocket_->next_layer().native_handle());
    if (!fingerprint) return End(Event::End::NotATable);
    if (settings_.pinned && *settings_.pinned != *fingerprint) {
      Event changed = Ended(Event::End::CertificateChanged);
      changed.fingerprint = *fingerprint;
      return End(std::move(changed));
    }
    Event certificate;
    certificate.kind = Event::Kind::Certificate;
    certificate.fingerprint = *fingerprint;
    Put(std::move(certificate));

    websocket::stream_base::timeout timeouts{};
    timeouts.handshake_timeout = Seconds(settings_.answerSeconds);
    timeouts.idle_timeout = Seconds(settings_.idleSeconds);
    timeouts.keep_alive_pings = true;
    webSocket_->set_option(timeouts);
    webSocket_->read_message_max(kMessageLimit);
    const std::string hostField =
        (settings_.host.find(':') != std::string::npos ? "[" + settings_.host + "]"
                                                       : settings_.host) +
        ":" + std::to_string(settings_.port);
    webSocket_->async_handshake(
        hostField, kTablePath,
        [self = shared_from_this()](const beast::error_code& e) { self->OnOpened(e); });
  }

  void OnOpened(const beast::error_code& error) {
    if (ended_) return;
    if (error) return End(Event::End::NotATable, error.message());
    open_ = true;
    Queue(WriteMessage(FriendMessage{settings_.join}));
    Read();
  }

  void Read() {
    webSocket_->async_read(
        buffer_, [self = shared_from_this()](const beast::error_code& error, std::size_t) {
          self->OnMessage(error);
        });
  }

  void OnMessage(const beast::error_code& error) {
    if (ended_) return;
    if (error) {
      if (refused_) return End(Event::End::Refused);
      // The host's program ended: its connection closed, cleanly or not.
      if (answered_) {
        const bool lost = error == beast::error::timeout;
        return End(lost ? Event::End::Lost : Event::End::Closed, error.message());
      }
      return End(Event::End::NotATable, error.message());
    }
    const std::string text = beast::buffers_to_string(buffer_.data());
    buffer_.consume(buffer_.size());
    std::optional<HostMessage> message;
    if (webSocket_->got_text()) message = ReadHostMessage(text);
    if (!message || refused_) return End(answered_ ? Event::End::Fault : Event::End::NotATable);
    const bool answer = std::holds_alternative<WelcomeMessage>(*message) ||
                        std::holds_alternative<RefusedMessage>(*message);
    // The host answers the join once, first; a welcome or a refusal later is not its own.
    if (answer == answered_) return End(answered_ ? Event::End::Fault : Event::End::NotATable);
    if (answer) {
      answered_ = true;
      refused_ = std::holds_alternative<RefusedMessage>(*message);
      deadline_->cancel();
    }
    const bool closed = std::holds_alternative<ClosedMessage>(*message);
    Event event;
    event.kind = Event::Kind::Message;
    event.message = std::move(*message);
    Put(std::move(event));
    if (closed) return End(Event::End::Closed);
    Read();
  }

  // The first key waiting, once kKeySpacing has passed since the one before.
  void SendPacedKey() {
    const auto now = std::chrono::steady_clock::now();
    if (now < nextKey_) {
      pacer_->expires_at(nextKey_);
      pacer_->async_wait([self = shared_from_this()](const beast::error_code& error) {
        if (!error && !self->ended_) self->SendPacedKey();
      });
      return;
    }
    nextKey_ = now + kKeySpacing;
    Queue(WriteMessage(FriendMessage{keys_.front()}));
    keys_.pop_front();
    if (!keys_.empty()) SendPacedKey();
  }

  void Queue(std::string text) {
    outbox_.push_back(std::move(text));
    if (outbox_.size() == 1) WriteNext();
  }

  void WriteNext() {
    webSocket_->text(true);
    webSocket_->async_write(
        asio::buffer(outbox_.front()),
        [self = shared_from_this()](const beast::error_code& error, std::size_t) {
          if (self->ended_) return;
          if (error) return self->End(Event::End::Lost, error.message());
          self->outbox_.pop_front();
          if (!self->outbox_.empty()) self->WriteNext();
        });
  }

  static Event Ended(Event::End end, std::string detail = {}) {
    Event event;
    event.kind = Event::Kind::Ended;
    event.end = end;
    event.detail = std::move(detail);
    return event;
  }

  void End(Event::End end, std::string detail = {}) { End(Ended(end, std::move(detail))); }
  void End(Event event) {
    if (ended_) return;
    ended_ = true;
    Put(std::move(event));
    deadline_->cancel();
    pacer_->cancel();
    resolver_->cancel();
    CutConnection();
  }

  void CutConnection() {
    beast::error_code ignored;
    Socket().shutdown(Tcp::socket::shutdown_both, ignored);
    Socket().close(ignored);
  }

  void Put(Event event) { inbox_.Put(std::move(event)); }

  JoinSettings settings_;
  Inbox<Event>& inbox_;
  std::unique_ptr<asio::ssl::context> tls_;
  std::optional<Tcp::resolver> resolver_;
  std::optional<asio::steady_timer> deadline_;
  std::optional<asio::steady_timer> pacer_;  // holds back a key that would come too soon
  std::optional<websocket::stream<beast::ssl_stream<beast::tcp_stream>>> webSocket_;
  beast::flat_buffer buffer_;
  std::deque<KeyMessage> keys_;  // waiting for their turn to go out
  std::chrono::steady_clock::time_point nextKey_;
  std::deque<std::string> outbox_;
  bool open_ = false;      // the WebSocket is open
  bool answered_ = false;  // the host answered the join
  bool refused_ = false;
  bool ended_ = false;
};

}  // namespace

struct TableConnection::Impl {
  Inbox<Event> inbox;
  IoThread io;
  std::shared_ptr<Session> session;
};

TableConnection::TableConnection(JoinSettings settings) : impl_(std::make_unique<Impl>()) {
  impl_->session =
      std::make_shared<Session>(impl_->io.context(), std::move(settings), impl_->inbox);
  impl_->io.Post([session = impl_->session] { session->Start(); });
}

TableConnection::~TableConnection() {
  impl_->io.Post([session = impl_->session] { session->Close(); });
  impl_->io.Stop(kCloseSeconds);
  impl_->session->Release();
}

int TableConnection::WakeDescriptor() const {
  return impl_->inbox.Descriptor();
}

std::vector<ConnectionEvent> TableConnection::TakeEvents() {
  return impl_->inbox.Take();
}

void TableConnection::SendKey(int code, int shift) {
  impl_->io.Post(
      [session = impl_->session, key = KeyMessage{code, shift}] { session->SendKey(key); });
}

}  // namespace corvane
