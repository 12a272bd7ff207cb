// One person at the table, and everything that is theirs alone: their speech (mode, voice, phrase
// history, text window), their keyboard and prompts, their settings (table and party volume, card
// keys, voice), their sounds placed from their seat, their card review, their hand log (V), their
// statistics (G) and their command keys, whose reports speak from their seat.
//
// The person at this machine's keyboard hosts the table (kHostPerson, at seat 1); another person
// (another script in script mode, a friend over the network) has an output of their own, keys
// that carry their id, and nothing of theirs kept in the host's data folder.
#pragma once

#include <memory>
#include <string>

#include "app/hand_history.h"
#include "app/help_reader.h"
#include "app/play_statistics.h"
#include "commands/command_dispatcher.h"
#include "commands/command_services.h"
#include "commands/hand_log.h"
#include "commands/status_reports.h"
#include "engine/hand_engine.h"
#include "engine/keyboard_player.h"
#include "engine/listener.h"
#include "engine/narration.h"
#include "engine/seating.h"
#include "platform/audio_device.h"
#include "platform/host.h"
#include "platform/person_output.h"
#include "platform/speech_engines.h"
#include "sound/sound_engine.h"
#include "speech/key_hand_off.h"
#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"
#include "store/folder_lock.h"
#include "table/random.h"
#include "table/user_settings.h"

namespace corvane {

// What the program does with the host's timers, which arrive at whichever keyboard waits.
class TimerSink {
 public:
  virtual void TimerFired(int id) = 0;

 protected:
  ~TimerSink() = default;
};

// Told of every hand the person's seat finished, as the person heard it, with the chips they took
// from its pots and hold after it: a friend's output over the network sends it on to the friend's
// program (SettledHandMessage), which keeps it in the friend's own history and statistics.
class SettledHands {
 public:
  virtual void HandSettled(const LoggedHand& hand, std::int32_t collected, std::int32_t chips) = 0;

 protected:
  ~SettledHands() = default;
};

// What a person is made of, outside the table.
struct PersonPlace {
  int id = kHostPerson;
  Host& host;                            // the clock and the one wait
  PersonOutput& output;                  // where what the person is told ends up
  SpeechEngineFactory& engines;          // the person's screen reader and voice
  AudioDevice& audio;                    // the person's sound device
  Random& cosmetic;                      // picks the person's sound variants
  std::string programFolder;             // the sounds and help files, ending in "/"
  std::string dataFolder;                // ending in "/"; empty: nothing of theirs is kept on disk
  const FolderLock& lock;                // the data folder's lock, held while a file is written
  KeyRouter* router = nullptr;           // finds the keyboards of the other people
  TimerSink* timers = nullptr;           // the host's timers (the host's person only)
  SettledHands* settledHands = nullptr;  // where a friend's finished hands go
};

// What the person's command keys need of the table.
struct TableParts {
  TableState& table;
  HandState& hand;
  HandEngine& engine;
  Seating& seating;
  Narration& narration;  // what everyone at the table hears
};

class Person : public Listener, private KeyHandOff, private CommandServices {
 public:
  explicit Person(const PersonPlace& place);
  Person(const Person&) = delete;
  Person& operator=(const Person&) = delete;

  // The person's command keys from now on answer about `parts`; `hosts` gives them the table's
  // own questions (a new ante, quitting).
  void JoinTable(const TableParts& parts, bool hosts);
  // The seat the person sits at; 0 when not seated.
  int Seat() const;

  // A hand begins and is settled at the table: the person's hand log records it, and a settled
  // hand goes into the person's history and statistics.
  void HandBegins(const CalendarTime& when);
  void HandSettled();
  void HandEnds() { handLog.Abandon(); }
  // The table starts with the person holding `chips`.
  void TableStarts(std::int32_t chips);

  // The speech mode of Control-0..3 (and the main menu's switch), with the person's voice.
  void SwitchSpeechMode(int mode) override;

  int id() const { return id_; }

  // Listener: the person's ears at the table.
  Speech& Ears() override { return speech; }
  SoundEngine& Sounds() override { return sound; }
  int TableVolume() const override { return settings.TableVolume; }
  Prompts& Questions() override { return prompts; }

  UserSettings settings;
  Speech speech;
  Keyboard keyboard;
  Prompts prompts;
  SoundEngine sound;
  BackgroundSound background{sound};
  HandLog handLog;
  HelpReader help;
  HandHistory history;
  PlayStatistics statistics;
  // Decides for the person's seat: the person's own menus.
  KeyboardPlayer player{prompts};

 private:
  // KeyHandOff.
  void DispatchCommandKey(int commandKey) override;
  void OpenFullHelp() override;
  void TimerFired(int id) override;
  // CommandServices.
  void ReadHelp(int kind) override;
  void VoiceSettingsMenu() override;
  void ReadLastHand() override;
  void SpeakStatistics() override;
  void Talk() override;

  int id_;
  std::string dataFolder_;
  TimerSink* timers_;
  SettledHands* settledHands_;
  TableState* table_ = nullptr;
  HandState* hand_ = nullptr;
  Seating* seating_ = nullptr;
  Narration* narration_ = nullptr;
  std::unique_ptr<StatusReports> reports_;
  std::unique_ptr<CommandDispatcher> dispatcher_;
};

}  // namespace corvane
