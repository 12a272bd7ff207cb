// What a friend at the table is told, on the hosting machine: every call goes to the friend's
// program over their connection, which speaks the phrases through the friend's own speech (with
// their markers, so that the friend's program keeps the phrase history), shows the message boxes
// and says when a question waits for the friend's key. Nothing is spoken or shown here. While the
// friend's connection is down nothing is sent; the table goes on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/friend_hand.h"
#include "app/person.h"
#include "net/table_server.h"
#include "platform/memory_text_window.h"
#include "platform/person_output.h"

namespace corvane {

class FriendOutput : public PersonOutput, public SettledHands {
 public:
  FriendOutput(TableServer& server, ConnectionId connection)
      : server_(server), connection_(connection) {}

  // The friend's program is on `connection` from now on, or on none.
  void Connect(ConnectionId connection) { connection_ = connection; }
  void Disconnect() { connection_.reset(); }
  bool Connected() const { return connection_.has_value(); }
  ConnectionId Connection() const { return connection_.value_or(0); }
  // How many questions wait for the friend's key now (they nest).
  int Waiting() const { return waiting_; }

  void Send(const HostMessage& message) {
    if (connection_) server_.Send(*connection_, message);
  }

  // The box is the friend's: the table does not wait for it to be dismissed.
  void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override {
    Send(BoxMessage{std::string(title), std::string(text), icon});
  }
  // The friend's program keeps the text window; this one only takes the calls.
  TextWindow& Text() override { return text_; }
  void AnswerWaiting(bool waiting) override {
    waiting_ += waiting ? 1 : -1;
    Send(AnswerMessage{waiting});
  }
  void OnPhrase(std::string_view phrase, int systemType) override {
    Send(SayMessage{std::string(phrase), systemType});
  }
  void OnSpeechStopped() override { Send(StopMessage{}); }
  bool KeysFromElsewhere() const override { return true; }
  // The friend's program keeps the hand in the friend's own history and statistics.
  void HandSettled(const LoggedHand& hand, std::int32_t collected, std::int32_t chips) override {
    Send(SettledHandMessage(hand, collected, chips));
  }

 private:
  TableServer& server_;
  std::optional<ConnectionId> connection_;
  int waiting_ = 0;
  MemoryTextWindow text_;
};

}  // namespace corvane
