// A table another Corvane hosts, from the friend's side. The host plays the table; this program
// joins it and then only carries things across: what the host says is spoken through this
// program's own speech (its mode, voice, history and text window), its sounds are played on this
// program's own audio device from the files of this program's folder, its message boxes are shown
// here, and every key the host answers is sent to it. What a key does at once stays at home: F1,
// Control-0 to Control-3, Control-Up and Control-Down, Alt-F4, and any key silences the speech.
// The hands the friend's seat finishes are kept in this program's own hand history and statistics,
// as the host sends them.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/known_tables.h"
#include "app/person.h"
#include "net/messages.h"
#include "net/table_address.h"
#include "net/table_connection.h"
#include "platform/audio_device.h"
#include "platform/host.h"
#include "sound/folder_index.h"

namespace corvane {

struct JoinRequest {
  TableAddress address;
  std::string name;
  std::string code;
};

class FriendTable {
 public:
  // `person` is the one at this machine's keyboard: their speech speaks what the table says, and
  // F1 and Control-0..3 are theirs, as at home; `timers` takes the host's timers; the folders end
  // in "/".
  FriendTable(Host& host, Person& person, TimerSink& timers, AudioDevice& audio,
              std::string programFolder, std::string dataFolder);

  // Joins and plays until the table is closed or lost, which is said ("The table is closed.");
  // true then. False, after saying why, when the join failed. Alt-F4 and the window's closing end
  // the program from here as from anywhere.
  bool Play(const JoinRequest& request);

 private:
  // What became of the connection after one wait.
  enum class Progress { Going, Welcomed, Over };

  Progress Join(TableConnection& connection, const JoinRequest& request, KnownTables& known);
  Progress JoinEvent(const ConnectionEvent& event, const JoinRequest& request, KnownTables& known);
  void AtTheTable(TableConnection& connection);
  // The next event of the host: a key or a closing handled at home, or the connection's events.
  // Returns whether the connection woke the wait.
  bool Wait(TableConnection& connection, bool atTable);
  void Show(const HostMessage& message);
  void Sound(const SoundMessage& sound);
  void StopSounds();
  // A hand this friend's seat finished: into their own hand history and statistics.
  void KeepHand(const HandMessage& hand);
  // Speaks why a join failed or a table ended.
  void SayEnd(const ConnectionEvent& event, const JoinRequest& request);

  Host& host_;
  Person& person_;
  Speech& speech_;
  TimerSink& timers_;
  AudioDevice& audio_;
  FolderIndex programFiles_;
  std::string dataFolder_;

  std::vector<ConnectionEvent> arrived_;  // came with the welcome, not yet shown
  bool answering_ = false;                // a question of the table waits for this friend's key
  bool stopJoining_ = false;
  struct LoadedSound {
    SoundId id = kNoSound;
    std::string file;
  };
  std::map<int, LoadedSound> sounds_;     // by the host's number
  std::set<int> channels_;                // played on
  std::set<std::string> missing_;         // sound files said to be missing
  std::optional<Fingerprint> firstSeen_;  // a table joined for the first time: its certificate
};

}  // namespace corvane
