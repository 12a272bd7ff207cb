// A table hosted for friends over the network: the port they join, the lobby where the host waits
// for them, and each friend at the table. A friend takes a bot's seat (from seat 2 on, or the seat
// that bears their name), keeping its chips, and is a person of the table like the host: what
// they are told goes to their program (friend_output.h), their keys come from it. A friend whose
// connection drops keeps the seat, which a bot plays until they join again with the same name.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/friend_audio_device.h"
#include "app/friend_output.h"
#include "app/friend_player.h"
#include "app/person.h"
#include "engine/narration.h"
#include "net/fingerprint.h"
#include "net/table_server.h"

namespace corvane {

// How the host opens the table (corvane --host PORT [--code CODE], or the main menu).
struct HostingOptions {
  std::uint16_t port = 0;           // 0: a free port, said aloud
  std::optional<std::string> code;  // six digits; nothing: drawn at random
};

// What the hosting needs of the program.
struct HostingParts {
  Host& host;
  Person& hostPerson;
  TableParts table;
  Narration& narration;
  Random& game;  // the bots that stand in for dropped friends draw from it
  const FolderLock& lock;
  std::string programFolder;
  KeyRouter& router;
  std::uint64_t cosmeticSeed;  // each friend's sound variants get a stream from it
};

// The id under which the port's descriptor is watched in the host's wait.
inline constexpr int kTableServerWatch = 2;

class HostedTable {
 public:
  // `fingerprint` is that of the certificate the port shows.
  HostedTable(HostingParts parts, std::unique_ptr<TableServer> server, std::string code,
              const Fingerprint& fingerprint);
  // Closes the table to everyone still connected.
  ~HostedTable();
  HostedTable(const HostedTable&) = delete;
  HostedTable& operator=(const HostedTable&) = delete;

  // The lobby: says the join code and the port and seats friends as they come. True when the host
  // presses Enter to play, false when they press Escape to stop hosting.
  bool Lobby();
  // The game begins: from now on only friends who lost their connection come back.
  void Playing();
  // The table is over: every friend is told it is closed, and stands up.
  void Close();

  // The port friends join at.
  std::uint16_t Port() const { return server_->Port(); }
  // The port's descriptor woke the host's wait.
  void Woken(int id);
  // The keyboard of a friend at the table, by their id; nullptr for none.
  Keyboard* KeyboardOf(int person);
  // Every friend's person, seated or not, in the order they came.
  void ForEachPerson(const std::function<void(Person&)>& visit);
  // Friends who have left the table (out of chips) are told it is closed to them.
  void SendAwayUnseated();

 private:
  struct Friend {
    int id = 0;
    std::string name;
    std::unique_ptr<FriendOutput> output;
    std::unique_ptr<FriendAudioDevice> audio;
    std::unique_ptr<Random> cosmetic;
    std::unique_ptr<Person> person;
    std::unique_ptr<FriendPlayer> player;
  };

  void Handle(const ServerEvent& event);
  void Join(const ServerEvent& event);
  void Seat(const ServerEvent& event, int seat);
  void Return(Friend& returning, ConnectionId connection);
  void Lost(ConnectionId connection);
  void Key(ConnectionId connection, const KeyMessage& key);
  // The seat for a friend of this name, or nothing with the reason of the refusal.
  std::optional<int> SeatFor(const std::string& name, Refusal& reason) const;
  Friend* FriendAt(int seat) const;
  Friend* FriendOn(ConnectionId connection);
  void SayLobby();
  // L in the lobby: the next of the turn limits, said.
  void NextTurnLimit();
  void SayAtTheTable();
  void Say(const Audience& audience, const std::string& text);

  // A friend's speech runs in their own program: the host's side of it speaks through nothing.
  class NoSpeechEngines : public SpeechEngineFactory {
   public:
    std::unique_ptr<ScreenReader> CreateScreenReader(std::string& /*error*/) override {
      return nullptr;
    }
    std::unique_ptr<Voice> CreateVoice(std::string& /*error*/) override { return nullptr; }
  };

  HostingParts parts_;
  std::unique_ptr<TableServer> server_;
  std::string code_;
  Fingerprint fingerprint_;
  NoSpeechEngines noEngines_;
  std::vector<std::unique_ptr<Friend>> friends_;
  std::deque<ServerEvent> pending_;
  TurnRules turns_;
  bool playing_ = false;
  bool closed_ = false;
  int nextId_;
};

}  // namespace corvane
