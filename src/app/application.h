// The application: owns the table, the speech, the prompts and the sounds of one run, starts up
// and runs the main menu until the user leaves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/folders.h"
#include "app/friend_table.h"
#include "app/game_settings_questions.h"
#include "app/hand_history.h"
#include "app/help_reader.h"
#include "app/host_certificate.h"
#include "app/hosted_table.h"
#include "app/pace_preferences.h"
#include "app/person.h"
#include "app/play_statistics.h"
#include "app/saved_table.h"
#include "app/start_up_pauses.h"
#include "app/table_play.h"
#include "commands/command_dispatcher.h"
#include "commands/command_services.h"
#include "commands/hand_log.h"
#include "commands/status_reports.h"
#include "engine/hand_engine.h"
#include "engine/hand_state.h"
#include "engine/seating.h"
#include "engine/table_events.h"
#include "engine/table_narration.h"
#include "platform/audio_device.h"
#include "platform/host.h"
#include "platform/speech_engines.h"
#include "sound/sound_engine.h"
#include "speech/key_hand_off.h"
#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"
#include "store/folder_lock.h"
#include "table/random.h"
#include "table/table_state.h"
#include "table/user_settings.h"

namespace corvane {

inline constexpr const char* kProductName = "Corvane";
inline constexpr const char* kVersionText = "Version 1.0.";

// Handed to the row counter of the hand-built menus (Application::AddMenuRow): go on counting
// from the last row instead of starting again.
inline constexpr int kKeepCountingRows = -999;

// The friends' sound variants are drawn apart from the host's and the scripted guests'.
inline constexpr std::uint64_t kFriendsCosmeticSalt = 0x165667b19e3779f9ULL;

// A person other than the host, seated at every table the program plays: their seat (2 and up;
// a seat the table does not have is left to its bot), where what they are told goes, their speech
// engines and their sound device, all owned by the caller for the life of the program.
struct GuestOptions {
  int id = kHostPerson + 1;  // the id the person's keys carry
  int seat = 2;
  PersonOutput* output = nullptr;
  SpeechEngineFactory* engines = nullptr;
  AudioDevice* audio = nullptr;
  std::int16_t SpeechMode = kScreenReaderMode;
};

struct AppOptions {
  std::int16_t SpeechMode = kScreenReaderMode;  // the command line's number
  std::optional<std::uint64_t> seed;            // fixed random streams, for tests
  std::string programFolder;                    // empty: the executable's folder
  std::string dataFolder;                       // ending in "/"; empty: found from the environment
  std::vector<GuestOptions> guests;             // the other people at the table
  std::optional<JoinRequest> join;              // a table to join at once, after the start-up
  OwnCertificateFiles hostCertificate;          // --certificate and --key: shown when hosting
  std::optional<HostingOptions> hosting;        // a table to host at once, after the start-up
  // When a join at once fails, the program ends with this status (script mode); without it the
  // main menu follows, as after the table.
  std::optional<int> failedJoinStatus;
};

class Application : private TimerSink,
                    private KeyRouter,
                    private GameSettingsKeeper,
                    private TableEvents,
                    private TableServices {
 public:
  Application(Host& host, AudioDevice& audio, SpeechEngineFactory& engines, AppOptions options);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up and the main menu; returns when the user chooses Exit.
  void Main();

  // Hosts a table for friends: the saved table (when the host wants it) or a new one, then the
  // lobby, then the table with the friends who came; returns when the table is over, or when the
  // host stopped waiting.
  void HostTable(const HostingOptions& options);

  // The row counter of the hand-built menus: 0 restarts it, kKeepCountingRows keeps counting;
  // returns the number of the row the caller is about to fill.
  int AddMenuRow(int reset);

  TableState& table() { return table_; }
  UserSettings& settings() { return settings_; }
  Speech& speech() { return speech_; }
  Prompts& prompts() { return prompts_; }
  Keyboard& keyboard() { return keyboard_; }
  SoundEngine& sound() { return sound_; }
  const Folders& folders() const { return folders_; }
  // The hands played since the program started, each counted when it ends.
  std::int64_t HandsPlayed() const { return engine_.HandsPlayed(); }

 private:
  // A person other than the host, with the random stream of their own sounds.
  struct Guest {
    GuestOptions options;
    std::unique_ptr<Random> cosmetic;
    std::unique_ptr<Person> person;
  };

  void StartUp();
  // Reads the preference files; a file that is there but cannot be read adds its note.
  void LoadStoredSettings(std::vector<std::string>& notes);
  // The host's timers (TimerSink).
  void TimerFired(int id) override;
  // The keyboards of the people at the table (KeyRouter).
  Keyboard* KeyboardOf(int person) override;
  void DescriptorWoke(int id) override;
  // What the game settings questions need.
  bool SaveGameSettings(const UserSettings& settings, std::string& error) override;
  void ApplyPartyVolume(int volume) override;
  void MainMenu();
  // Joins the table of options_.join and plays at it until it closes.
  void JoinAtOnce();
  // The main menu's "Play with Friends": hosting, or a join asked for with the usual prompts.
  void PlayWithFriends();
  void JoinFriends();
  void PlayIntroUntilKey();
  void SwitchSpeech();
  void Exit();
  bool SavedTableExists() const;
  void PlayBackground(const std::string& file);
  // False when the setup was cancelled.
  bool NewTable();
  // The questions of a new table; false when the host kept the saved table or cancelled.
  bool SetUpNewTable();
  // Opens the port for friends, with its certificate; nothing when it cannot be (said).
  std::unique_ptr<HostedTable> OpenHosting(const HostingOptions& options);
  void RestoreTable();
  void DeleteTable();
  // Plays the table, then brings the main menu's music back.
  void RunTable();
  // The guests sit down at the seats they asked for, as the table begins, and stand up when it
  // ends.
  void SeatGuests();
  void UnseatGuests();
  void ShuffleTimerTick();
  // What the table play asks of the program (TableServices).
  bool SaveTable() override;
  void DeleteSavedTable(bool announce) override;
  void AskGameSettings() override;
  void ChooseHelpFormat() override;
  void BuildGame();
  // The moments of a hand (TableEvents): every person's hand log records it, and a settled hand
  // goes into their history and statistics.
  void HandBegins() override;
  void HandSettled() override;
  void HandEnds() override;
  void UserEliminated() override;
  void TableClosedToUser() override;
  static Folders MakeFolders(const AppOptions& options);
  PersonPlace HostPlace(SpeechEngineFactory& engines);

  Host& host_;
  AudioDevice& audio_;
  AppOptions options_;
  Folders folders_;
  // Held while the program runs: another copy on the same data folder is told at start-up.
  FolderLock folderLock_{folders_.DataFolder};
  Random game_;
  Random cosmetic_;
  TableState table_;
  HandState hand_;
  // The person at this machine's keyboard, who hosts the table; the parts of their world the
  // program uses by name.
  Person hostPerson_;
  UserSettings& settings_ = hostPerson_.settings;
  Keyboard& keyboard_ = hostPerson_.keyboard;
  Speech& speech_ = hostPerson_.speech;
  Prompts& prompts_ = hostPerson_.prompts;
  SoundEngine& sound_ = hostPerson_.sound;
  BackgroundSound& background_ = hostPerson_.background;
  HelpReader& help_ = hostPerson_.help;
  HandLog& handLog_ = hostPerson_.handLog;
  PlayStatistics& statistics_ = hostPerson_.statistics;
  StartUpPauses startUp_{prompts_};
  Seating seating_{game_};
  TableNarration narration_{table_, seating_, prompts_, cosmetic_};
  HandEngine engine_;
  SavedTables saved_;
  PacePreferences pace_;
  TablePlay tablePlay_;
  std::vector<Guest> guests_;
  // The friends' table while the host hosts one.
  std::unique_ptr<HostedTable> hosting_;
  int rowCount_ = 0;
};

}  // namespace corvane
