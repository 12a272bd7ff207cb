// One connection to the host's port, on the network thread: its TLS handshake, the HTTP requests
// it makes (files, or the WebSocket's upgrade), and as a WebSocket the join, the friend's keys and
// what the game sends. It lives as long as an operation of it is under way; when it ends, a
// friend the game knew of is reported gone.
#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <boost/beast/websocket.hpp>
#include <boost/beast/websocket/ssl.hpp>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "net/server_port.h"

namespace corvane {

class ServerConnection : public std::enable_shared_from_this<ServerConnection> {
 public:
  ServerConnection(boost::asio::ip::tcp::socket socket, ConnectionId id, std::string address,
                   ServerPort& port);
  ~ServerConnection();
  ServerConnection(const ServerConnection&) = delete;
  ServerConnection& operator=(const ServerConnection&) = delete;

  void Start();

  // The game's answers, and what it sends (see TableServer).
  void Welcome(const WelcomeMessage& welcome);
  void Refuse(const RefusedMessage& refused);
  void Send(const std::string& text);  // a written HostMessage
  void Drop();
  // The table closes: a welcomed friend is told so, a friend still joining is refused.
  void Close();

 private:
  using Tls = boost::beast::ssl_stream<boost::beast::tcp_stream>;
  using WebSocket = boost::beast::websocket::stream<Tls>;
  using Parser = boost::beast::http::request_parser<boost::beast::http::empty_body>;

  enum class Stage {
    Handshake,     // TLS
    Http,          // requests for files, until the WebSocket's upgrade
    AwaitingJoin,  // a WebSocket, before its join
    Checking,      // the join waits for its turn (after wrong codes) or is being checked
    Joining,       // the join went to the game, which has not answered
    Joined,        // welcomed
    Refused,       // the refusal is on its way; the connection closes after it
  };

  void OnHandshake(const boost::beast::error_code& error);
  void ReadRequest();
  void OnRequest(const boost::beast::error_code& error);
  void AnswerWithFile();
  template <typename Response>
  void Respond(std::shared_ptr<Response> response);
  void AfterResponse(const boost::beast::error_code& error, bool keepAlive);
  void Upgrade();
  void OnAccepted(const boost::beast::error_code& error);
  void Read();
  void OnMessage(const boost::beast::error_code& error);
  void OnJoin(const JoinMessage& join);
  void CheckJoin(const JoinMessage& join);
  bool TakeMessageToken();

  void Queue(std::string text);
  void WriteNext();
  void OnWritten(const boost::beast::error_code& error);
  // Closes after what is queued has gone: the WebSocket's closing handshake.
  void CloseWhenSent();
  void StartClosingHandshake();
  // A fault of the other side: the connection is cut at once.
  void Fault();
  void CloseNow();
  void ReleaseHandshakeSlot();
  boost::beast::tcp_stream& Tcp();

  ConnectionId id_;
  std::string address_;
  ServerPort& port_;
  const ServerLimits& limits_;
  Stage stage_ = Stage::Handshake;
  std::optional<Tls> tls_;
  std::optional<WebSocket> webSocket_;
  std::optional<Parser> parser_;
  boost::beast::flat_buffer requestBuffer_;
  boost::beast::flat_buffer messageBuffer_;
  boost::asio::steady_timer timer_;
  int requests_ = 0;
  std::deque<std::string> outbox_;
  std::size_t unsent_ = 0;
  bool closeWhenSent_ = false;
  bool shutting_ = false;   // closing: nothing more is queued
  bool slotHeld_ = true;    // counted in ServerPort::handshaking
  bool announced_ = false;  // the game was given the join
  double tokens_ = 0;       // messages the friend may send at once
  double tokensAt_ = 0;
};

}  // namespace corvane
