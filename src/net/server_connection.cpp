#include "net/server_connection.h"

#include <fmt/format.h>

#include <algorithm>
#include <chrono>

#include "net/static_files.h"

namespace corvane {

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;

constexpr std::string_view kTablePath = "/table";
constexpr std::size_t kLargestRequestHeader = 8 * 1024;
constexpr std::string_view kServerName = "Corvane";

constexpr std::string_view kWrongCode =
    "The join code is not this table's. Ask the host for the code, and join again.";
constexpr std::string_view kTableClosed = "The table is closed.";

std::string VersionText(std::string_view host, std::string_view friendVersion) {
  return fmt::format(
      "This table runs Corvane version {}, and you have version {}. To join it, you need "
      "version {}.",
      host, friendVersion, host);
}

std::chrono::steady_clock::duration Seconds(double seconds) {
  return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double>(seconds));
}

// The other side went away, or the connection is being closed here: not a fault.
bool Ordinary(const beast::error_code& error) {
  return error == asio::error::operation_aborted || error == websocket::error::closed ||
         error == http::error::end_of_stream || error == asio::error::eof ||
         error == asio::ssl::error::stream_truncated;
}

template <typename Request>
std::string_view TargetOf(const Request& request) {
  return {request.target().data(), request.target().size()};
}

template <typename Response>
void CommonHeaders(Response& response, std::string_view type) {
  response.set(http::field::server, kServerName);
  response.set(http::field::content_type, type);
  response.set(http::field::cache_control, "no-cache");
  response.set("X-Content-Type-Options", "nosniff");
  response.set("Referrer-Policy", "no-referrer");
}

}  // namespace

ServerConnection::ServerConnection(asio::ip::tcp::socket socket, ConnectionId id,
                                   std::string address, ServerPort& port)
    : id_(id),
      address_(std::move(address)),
      port_(port),
      limits_(port.settings.limits),
      timer_(socket.get_executor()),
      tokens_(2.0 * limits_.messagesPerSecond),
      tokensAt_(ServerPort::Now()) {
  tls_.emplace(std::move(socket), *port_.tls);
  ++port_.handshaking;
  ++port_.open;
}

ServerConnection::~ServerConnection() {
  ReleaseHandshakeSlot();
  --port_.open;
  port_.connections.erase(id_);
  if (announced_) {
    ServerEvent left;
    left.kind = ServerEvent::Kind::Left;
    left.id = id_;
    left.address = address_;
    port_.inbox.Put(std::move(left));
  }
}

beast::tcp_stream& ServerConnection::Tcp() {
  return webSocket_ ? beast::get_lowest_layer(*webSocket_) : beast::get_lowest_layer(*tls_);
}

void ServerConnection::ReleaseHandshakeSlot() {
  if (!slotHeld_) return;
  slotHeld_ = false;
  --port_.handshaking;
}

void ServerConnection::Start() {
  Tcp().expires_after(Seconds(limits_.handshakeSeconds));
  tls_->async_handshake(
      asio::ssl::stream_base::server,
      [self = shared_from_this()](const beast::error_code& error) { self->OnHandshake(error); });
}

void ServerConnection::OnHandshake(const beast::error_code& error) {
  if (error) return Fault();
  stage_ = Stage::Http;
  ReadRequest();
}

void ServerConnection::ReadRequest() {
  parser_.emplace();
  parser_->header_limit(kLargestRequestHeader);
  requestBuffer_ = beast::flat_buffer(kLargestRequestHeader);
  Tcp().expires_after(Seconds(limits_.handshakeSeconds));
  http::async_read(*tls_, requestBuffer_, *parser_,
                   [self = shared_from_this()](const beast::error_code& error, std::size_t) {
                     self->OnRequest(error);
                   });
}

void ServerConnection::OnRequest(const beast::error_code& error) {
  if (error) {
    // A browser's idle connection, kept after an answer, may simply go.
    if (requests_ > 0 && (Ordinary(error) || error == beast::error::timeout)) return CloseNow();
    return Ordinary(error) ? CloseNow() : Fault();
  }
  ++requests_;
  const auto& request = parser_->get();
  if (websocket::is_upgrade(request)) {
    if (TargetOf(request) == kTablePath && !port_.closing) return Upgrade();
    auto response = std::make_shared<http::response<http::string_body>>(
        http::status::not_found, request.version(), "Not found\n");
    CommonHeaders(*response, "text/plain; charset=utf-8");
    response->keep_alive(false);
    response->prepare_payload();
    return Respond(response);
  }
  AnswerWithFile();
}

void ServerConnection::AnswerWithFile() {
  const auto& request = parser_->get();
  const bool keepAlive = request.keep_alive() && requests_ < limits_.requestsPerConnection;
  if (request.method() != http::verb::get && request.method() != http::verb::head) {
    auto response = std::make_shared<http::response<http::string_body>>(
        http::status::method_not_allowed, request.version(), "Only GET and HEAD\n");
    CommonHeaders(*response, "text/plain; charset=utf-8");
    response->set(http::field::allow, "GET, HEAD");
    response->keep_alive(false);
    response->prepare_payload();
    return Respond(response);
  }
  StaticFile file =
      FindStaticFile(port_.settings.pageFolders, TargetOf(request), limits_.largestFile);
  const bool found = file.status == 200;
  if (request.method() == http::verb::head) {
    auto response = std::make_shared<http::response<http::empty_body>>(
        found ? http::status::ok : http::status::not_found, request.version());
    CommonHeaders(*response, found ? file.contentType : "text/plain; charset=utf-8");
    response->content_length(found ? file.body.size() : 0);
    response->keep_alive(keepAlive);
    return Respond(response);
  }
  auto response = std::make_shared<http::response<http::string_body>>(
      found ? http::status::ok : http::status::not_found, request.version(),
      found ? std::move(file.body) : std::string("Not found\n"));
  CommonHeaders(*response, found ? file.contentType : "text/plain; charset=utf-8");
  response->keep_alive(keepAlive);
  response->prepare_payload();
  Respond(response);
}

template <typename Response>
void ServerConnection::Respond(std::shared_ptr<Response> response) {
  const bool keepAlive = response->keep_alive();
  http::async_write(
      *tls_, *response,
      [self = shared_from_this(), response, keepAlive](
          const beast::error_code& error, std::size_t) { self->AfterResponse(error, keepAlive); });
}

void ServerConnection::AfterResponse(const beast::error_code& error, bool keepAlive) {
  if (error || !keepAlive || port_.closing) return CloseNow();
  ReadRequest();
}

void ServerConnection::Upgrade() {
  webSocket_.emplace(std::move(*tls_));
  tls_.reset();
  Tcp().expires_never();
  websocket::stream_base::timeout timeouts{};
  timeouts.handshake_timeout = Seconds(limits_.handshakeSeconds);
  timeouts.idle_timeout = Seconds(limits_.idleSeconds);
  timeouts.keep_alive_pings = true;
  webSocket_->set_option(timeouts);
  webSocket_->read_message_max(kMessageLimit);
  webSocket_->set_option(websocket::stream_base::decorator(
      [](websocket::response_type& response) { response.set(http::field::server, kServerName); }));
  webSocket_->async_accept(
      parser_->get(),
      [self = shared_from_this()](const beast::error_code& error) { self->OnAccepted(error); });
}

void ServerConnection::OnAccepted(const beast::error_code& error) {
  if (error) return Ordinary(error) ? CloseNow() : Fault();
  parser_.reset();
  stage_ = Stage::AwaitingJoin;
  timer_.expires_after(Seconds(limits_.joinSeconds));
  timer_.async_wait([self = shared_from_this()](const beast::error_code& error) {
    if (!error && self->stage_ == Stage::AwaitingJoin) self->Fault();
  });
  Read();
}

void ServerConnection::Read() {
  webSocket_->async_read(messageBuffer_,
                         [self = shared_from_this()](const beast::error_code& error, std::size_t) {
                           self->OnMessage(error);
                         });
}

bool ServerConnection::TakeMessageToken() {
  const double now = ServerPort::Now();
  const double burst = 2.0 * limits_.messagesPerSecond;
  tokens_ = std::min(burst, tokens_ + (now - tokensAt_) * limits_.messagesPerSecond);
  tokensAt_ = now;
  if (tokens_ < 1) return false;
  tokens_ -= 1;
  return true;
}

void ServerConnection::OnMessage(const beast::error_code& error) {
  if (error) return Ordinary(error) || shutting_ ? CloseNow() : Fault();
  if (!webSocket_->got_text() || !TakeMessageToken()) return Fault();
  const std::string text = beast::buffers_to_string(messageBuffer_.data());
  messageBuffer_.consume(messageBuffer_.size());
  const std::optional<FriendMessage> message = ReadFriendMessage(text);
  if (!message) return Fault();
  if (const auto* join = std::get_if<JoinMessage>(&*message)) {
    if (stage_ != Stage::AwaitingJoin) return Fault();
    OnJoin(*join);
  } else {
    if (stage_ != Stage::Joined) return Fault();
    ServerEvent key;
    key.kind = ServerEvent::Kind::Key;
    key.id = id_;
    key.address = address_;
    key.key = std::get<KeyMessage>(*message);
    port_.inbox.Put(std::move(key));
  }
  Read();
}

void ServerConnection::OnJoin(const JoinMessage& join) {
  stage_ = Stage::Checking;
  timer_.cancel();
  const double now = ServerPort::Now();
  const double turn = port_.guard.TurnOf(address_, now);
  if (turn <= now) return CheckJoin(join);
  timer_.expires_after(Seconds(turn - now));
  timer_.async_wait([self = shared_from_this(), join](const beast::error_code& error) {
    if (!error) self->CheckJoin(join);
  });
}

void ServerConnection::CheckJoin(const JoinMessage& join) {
  if (stage_ != Stage::Checking || shutting_) return;
  const std::string& version = port_.settings.version;
  if (join.version != version) {
    return Refuse({Refusal::Version, VersionText(version, join.version), version});
  }
  if (!SameJoinCode(join.code, port_.settings.joinCode)) {
    port_.guard.WrongCode(address_, ServerPort::Now());
    ++port_.wrongCodes;
    return Refuse({Refusal::Code, std::string(kWrongCode), version});
  }
  if (port_.closing) return Refuse({Refusal::Closed, std::string(kTableClosed), version});
  stage_ = Stage::Joining;
  announced_ = true;
  ServerEvent event;
  event.kind = ServerEvent::Kind::Join;
  event.id = id_;
  event.address = address_;
  event.join = join;
  port_.inbox.Put(std::move(event));
}

void ServerConnection::Welcome(const WelcomeMessage& welcome) {
  if (stage_ != Stage::Joining) return;
  stage_ = Stage::Joined;
  ReleaseHandshakeSlot();
  Queue(WriteMessage(HostMessage{welcome}));
}

void ServerConnection::Refuse(const RefusedMessage& refused) {
  if (!webSocket_ || stage_ == Stage::Joined || stage_ == Stage::Refused) return;
  stage_ = Stage::Refused;
  Queue(WriteMessage(HostMessage{refused}));
  CloseWhenSent();
}

void ServerConnection::Send(const std::string& text) {
  if (stage_ == Stage::Joined) Queue(text);
}

void ServerConnection::Drop() {
  if (webSocket_) {
    CloseWhenSent();
  } else {
    CloseNow();
  }
}

void ServerConnection::Close() {
  switch (stage_) {
    case Stage::Joined:
      Queue(WriteMessage(HostMessage{ClosedMessage{}}));
      return CloseWhenSent();
    case Stage::AwaitingJoin:
    case Stage::Checking:
    case Stage::Joining:
      return Refuse({Refusal::Closed, std::string(kTableClosed), port_.settings.version});
    case Stage::Refused:
      return;
    case Stage::Handshake:
    case Stage::Http:
      return CloseNow();
  }
}

void ServerConnection::Queue(std::string text) {
  if (shutting_ || !webSocket_) return;
  unsent_ += text.size();
  // A friend who takes in nothing would make the host keep everything said to them.
  if (unsent_ > limits_.unsentBytes) return Fault();
  outbox_.push_back(std::move(text));
  if (outbox_.size() == 1) WriteNext();
}

void ServerConnection::WriteNext() {
  webSocket_->text(true);
  webSocket_->async_write(asio::buffer(outbox_.front()),
                          [self = shared_from_this()](const beast::error_code& error, std::size_t) {
                            self->OnWritten(error);
                          });
}

void ServerConnection::OnWritten(const beast::error_code& error) {
  if (error) return CloseNow();
  unsent_ -= outbox_.front().size();
  outbox_.pop_front();
  if (!outbox_.empty()) return WriteNext();
  if (closeWhenSent_) StartClosingHandshake();
}

void ServerConnection::CloseWhenSent() {
  closeWhenSent_ = true;
  if (outbox_.empty()) StartClosingHandshake();
}

void ServerConnection::StartClosingHandshake() {
  if (shutting_) return;
  shutting_ = true;
  timer_.cancel();
  webSocket_->async_close(
      websocket::close_code::normal,
      [self = shared_from_this()](const beast::error_code&) { self->CloseNow(); });
}

void ServerConnection::Fault() {
  if (!shutting_) ++port_.closedForFault;
  CloseNow();
}

void ServerConnection::CloseNow() {
  shutting_ = true;
  timer_.cancel();
  beast::error_code ignored;
  Tcp().socket().shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
  Tcp().close();
}

}  // namespace corvane
