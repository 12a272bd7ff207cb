// The application: owns the table, the speech, the prompts and the sounds of one run, starts up
// and runs the main menu until the user leaves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/folders.h"
#include "app/game_settings_questions.h"
#include "app/hand_history.h"
#include "app/help_reader.h"
#include "app/menu_navigation.h"
#include "app/pace_preferences.h"
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
#include "engine/table_events.h"
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

struct AppOptions {
  std::int16_t SpeechMode = kScreenReaderMode;  // the command line's number
  std::optional<std::uint64_t> seed;            // fixed random streams, for tests
  std::string programFolder;                    // empty: the executable's folder
  std::string dataFolder;                       // ending in "/"; empty: found from the environment
};

class Application : private KeyHandOff,
                    private GameSettingsKeeper,
                    private TableEvents,
                    private TableServices,
                    private CommandServices {
 public:
  Application(Host& host, AudioDevice& audio, SpeechEngineFactory& engines, AppOptions options);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up and the main menu; returns when the user chooses Exit.
  void Main();

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
  void StartUp();
  // Reads the preference files; a file that is there but cannot be read adds its note.
  void LoadStoredSettings(std::vector<std::string>& notes);
  // What the keyboard hands on.
  void DispatchCommandKey() override;
  void SwitchSpeechMode(int mode) override;
  void OpenFullHelp() override;
  void TimerFired(int id) override;
  // What the game settings questions need.
  bool SaveGameSettings(const UserSettings& settings, std::string& error) override;
  void ApplyPartyVolume(int volume) override;
  void MainMenu();
  void PlayIntroUntilKey();
  void SwitchSpeech();
  void Exit();
  bool SavedTableExists() const;
  void PlayBackground(const std::string& file);
  // False when the setup was cancelled.
  bool NewTable();
  void RestoreTable();
  void DeleteTable();
  // Plays the table, then brings the main menu's music back.
  void RunTable();
  void ShuffleTimerTick();
  // What the table play and the command keys ask of the program (TableServices,
  // CommandServices).
  bool SaveTable() override;
  void DeleteSavedTable(bool announce) override;
  void AskGameSettings() override;
  void ChooseHelpFormat() override;
  void ReadHelp(int kind) override;
  void VoiceSettingsMenu() override;
  void ReadLastHand() override;
  void SpeakStatistics() override;
  void BuildGame();
  // The moments of a hand (TableEvents): the hand log records it, and a settled hand goes into
  // the history file and the statistics.
  void HandBegins() override;
  void HandSettled() override;
  void HandEnds() override;
  void UserEliminated() override;
  void TableClosedToUser() override;
  static Folders MakeFolders(const AppOptions& options);

  Host& host_;
  AudioDevice& audio_;
  AppOptions options_;
  Folders folders_;
  // Held while the program runs: another copy on the same data folder is told at start-up.
  FolderLock folderLock_{folders_.DataFolder};
  Random game_;
  Random cosmetic_;
  TableState table_;
  UserSettings settings_;
  Keyboard keyboard_;
  Speech speech_;
  Prompts prompts_;
  StartUpPauses startUp_;
  SoundEngine sound_;
  BackgroundSound background_{sound_};
  HelpReader help_;
  HandState hand_;
  HandLog handLog_;
  HandHistory history_;
  PlayStatistics statistics_;
  HandEngine engine_;
  StatusReports reports_;
  CommandDispatcher dispatcher_;
  SavedTables saved_;
  PacePreferences pace_;
  TablePlay tablePlay_;
  int rowCount_ = 0;
};

}  // namespace corvane
