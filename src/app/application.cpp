#include "app/application.h"

#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "app/game_builder.h"
#include "app/game_settings_questions.h"
#include "speech/voice_settings.h"
#include "store/atomic_file.h"
#include "store/file_names.h"
#include "store/settings_file.h"
#include "table/chips.h"

namespace corvane {

namespace {

std::uint64_t ClockSeed() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

// The cosmetic stream is seeded apart from the game's, so sounds never change the cards.
constexpr std::uint64_t kCosmeticSalt = 0x9e3779b97f4a7c15ULL;

constexpr const char* kUnreadableSettings =
    "Your game settings in Settings.sav cannot be read. It may be damaged. The default settings "
    "are used; the file is kept until you save new settings.";
constexpr const char* kUnreadablePace =
    "Your pace and text window settings in CV pace.ini cannot be read. It may be damaged. The "
    "normal pace and the default text window are used; the file is kept until you save new "
    "settings.";
constexpr const char* kAnotherCopyRunning =
    "Another copy of {} is already using your files in {}. Both can play: the hand history and "
    "the statistics keep the hands of both, but a table or settings saved in one copy replace "
    "those saved in the other.";
constexpr const char* kUnreadableSavedTable =
    "Your saved table in CV SavedTable.sav cannot be read. It may be damaged. The file is kept; "
    "you can delete it from the main menu.";
constexpr const char* kUnreadableVoiceSettings =
    "Your voice settings in CV config.ini cannot be read. It may be damaged. The default voice "
    "settings are used; the file is kept until you save new voice settings.";

}  // namespace

Folders Application::MakeFolders(const AppOptions& options) {
  Folders folders;
  folders.ProgramFolder =
      options.programFolder.empty() ? ExecutableFolder() : options.programFolder;
  if (options.dataFolder.empty()) {
    FindDataFolder(folders);
  } else {
    folders.DataFolder = options.dataFolder;
  }
  return folders;
}

Application::Application(Host& host, AudioDevice& audio, SpeechEngineFactory& engines,
                         AppOptions options)
    : host_(host),
      audio_(audio),
      options_(std::move(options)),
      folders_(MakeFolders(options_)),
      game_(options_.seed.value_or(ClockSeed())),
      cosmetic_(options_.seed.value_or(ClockSeed()) ^ kCosmeticSalt),
      keyboard_(host, this),
      speech_(host, engines),
      prompts_(keyboard_, speech_, settings_),
      startUp_(prompts_),
      sound_(host, audio, cosmetic_, folders_.ProgramFolder),
      help_(speech_, prompts_, folders_.ProgramFolder),
      history_(speech_, keyboard_, handLog_, folders_.DataFolder),
      statistics_(speech_, folders_.DataFolder, folderLock_),
      engine_(table_, hand_, settings_, speech_, prompts_, keyboard_, sound_, game_, cosmetic_,
              *this),
      reports_(table_, hand_, speech_, engine_),
      dispatcher_(table_, hand_, settings_, speech_, prompts_, keyboard_, background_, engine_,
                  reports_, *this),
      saved_(table_, settings_, speech_, folders_.DataFolder),
      pace_(host, folders_.DataFolder + kPaceFileName),
      tablePlay_(host, table_, settings_, speech_, prompts_, keyboard_, sound_, background_, game_,
                 engine_, folders_.DataFolder, *this) {
  speech_.SetPhraseListener(&handLog_);
  dispatcher_.SetHandLog(&handLog_);
}

Application::~Application() {
  if (folders_.TemporaryDataFolder) {
    std::error_code ignored;
    std::filesystem::remove_all(folders_.DataFolder, ignored);
  }
}

bool Application::SaveTable() {
  return saved_.SaveTable() == 0;
}

void Application::DeleteSavedTable(bool announce) {
  saved_.DeleteSavedTable(announce);
}

void Application::ChooseHelpFormat() {
  help_.ChooseHelpFormat();
}

void Application::ReadHelp(int kind) {
  help_.ReadHelp(kind, table_.game);
}

void Application::ReadLastHand() {
  history_.ReadAgain();
}

void Application::SpeakStatistics() {
  statistics_.Speak();
}

void Application::VoiceSettingsMenu() {
  VoiceSettings voice(
      speech_, prompts_, settings_, [this](const UserSettings& settings, std::string& error) {
        return SaveVoiceSettings(folders_.DataFolder + "CV config.ini", settings, error);
      });
  voice.SapiSettingsMenu();
}

void Application::AskGameSettings() {
  GameSettingsQuestions(speech_, prompts_, settings_, *this);
}

bool Application::SaveGameSettings(const UserSettings& settings, std::string& error) {
  return SaveSettings(folders_.DataFolder + "Settings.sav", settings, error) &&
         pace_.Save(settings, error);
}

void Application::ApplyPartyVolume(int volume) {
  background_.SetVolume(volume);
}

void Application::BuildGame() {
  GameBuilder builder(speech_, prompts_, folders_.DataFolder, folders_.ProgramFolder);
  builder.BuildGame(table_.game);
}

void Application::HandBegins() {
  handLog_.Begin(table_, host_.LocalTime());
}

void Application::HandEnds() {
  // A hand that ends without being settled is dropped.
  handLog_.Abandon();
}

void Application::UserEliminated() {
  saved_.DeleteSavedTable(false);
}

void Application::TableClosedToUser() {
  tablePlay_.OfferAttributes();
}

void Application::HandSettled() {
  const LoggedHand* hand = handLog_.Settle();
  if (hand == nullptr) return;
  // The user's chips only leave for the pot (the ante, bets, wild cards) and only come back from
  // it, so what the user took from the pots is the gain over the start plus what was paid in.
  const std::int32_t chips = table_.players.Chips[kUserSeat];
  const std::int64_t paidIn =
      std::int64_t{hand_.HandContribution[kUserSeat]} + hand_.WildPayments[kUserSeat];
  const std::int64_t collected = std::int64_t{chips} - hand->userChips + paidIn;
  statistics_.HandSettled(hand->game, ChipSum(0, std::max<std::int64_t>(collected, 0)), chips);
  history_.Keep(*hand);
}

void Application::DispatchCommandKey() {
  dispatcher_.DispatchCommandKey();
}

void Application::OpenFullHelp() {
  // What F1 says (a help file that cannot be opened) is not part of a hand being played.
  const HandLog::Pause notPartOfTheHand(&handLog_);
  help_.OpenHelpFile(kHelpPage);
}

void Application::TimerFired(int id) {
  if (id == kShuffleTimer) ShuffleTimerTick();
}

void Application::ShuffleTimerTick() {
  const int interval = sound_.Timer1(settings_.PartyVolume);
  if (interval > 0) {
    host_.StartTimer(kShuffleTimer, interval / 1000.0);
  } else {
    host_.StopTimer(kShuffleTimer);
  }
}

void Application::SwitchSpeechMode(int mode) {
  speech_.TTSSetup(static_cast<std::int16_t>(mode));
  speech_.SpeechMode = static_cast<std::int16_t>(mode);
  if (mode == kOwnVoiceMode) {
    speech_.SetSapiValues(settings_.SapiVoice, settings_.SapiRate, settings_.SapiVolume, 0, true);
  }
}

int Application::AddMenuRow(int reset) {
  if (reset != kKeepCountingRows) rowCount_ = reset;
  return ++rowCount_;
}

bool Application::SavedTableExists() const {
  return saved_.Exists();
}

void Application::LoadStoredSettings(std::vector<std::string>& notes) {
  if (LoadSettings(folders_.DataFolder + "Settings.sav", settings_) == FileRead::kRefused) {
    table_.ErrorFlag = true;
    notes.emplace_back(kUnreadableSettings);
  }
  if (pace_.Load(settings_) == FileRead::kRefused) notes.emplace_back(kUnreadablePace);
}

// Start-up, in this order: the defaults, the folders, the stored settings, the windows, the
// stock games, the intro sound, the speech, the banner and the note of a saved table.
void Application::StartUp() {
  speech_.PhraseHistory = {};
  speech_.BrailleMode = false;
  settings_.PartyVolume = -3000;
  settings_.CardLeftKey = 37;
  settings_.CardRightKey = 39;
  SetDefaults(table_);
  table_.FirstDeal = true;

  // Said once the speech is ready: where the files are kept when not where they belong, and the
  // preference files that could not be read.
  std::vector<std::string> notes;
  if (!folders_.DataFolderNote.empty()) notes.push_back(folders_.DataFolderNote);
  if (folderLock_.SharedWithAnotherCopy()) {
    notes.push_back(fmt::format(kAnotherCopyRunning, kProductName, folders_.DataFolder));
  }
  RemoveInterruptedSaves(folders_.DataFolder);
  LoadStoredSettings(notes);

  settings_.SapiVoice = 1;
  settings_.SapiRate = 0;
  settings_.SapiVolume = 95;
  if (LoadVoiceSettings(folders_.DataFolder + "CV config.ini", settings_) == FileRead::kRefused) {
    notes.emplace_back(kUnreadableVoiceSettings);
  }
  if (std::string note = statistics_.Load(); !note.empty()) notes.push_back(std::move(note));
  speech_.SpeechMode = options_.SpeechMode;

  if (!CopyStockGames(folders_)) table_.ErrorFlag = true;

  sound_.DSInit();
  background_.Start("intro0.wav");

  speech_.TTSSetup(speech_.SpeechMode);
  speech_.SetSapiValues(settings_.SapiVoice, settings_.SapiRate, settings_.SapiVolume, 0, true);
  startUp_.Pause(7);
  speech_.speak(std::string(kProductName) + " " + kVersionText);
  startUp_.Pause(2);
  for (const std::string& note : notes) speech_.speak(note);
  if (!options_.seed) {
    game_.Seed(ClockSeed());
    cosmetic_.Seed(ClockSeed() ^ kCosmeticSalt);
  }
  if (SavedTableExists()) {
    startUp_.Pause(1);
    speech_.speak(saved_.Readable() ? "Note, there is a saved table." : kUnreadableSavedTable);
    startUp_.Pause(2);
  }
}

void Application::Main() {
  try {
    StartUp();
    MainMenu();
    table_.ErrorFlag = false;
  } catch (const EndProgram&) {
    // The program may end in the middle of a table: what it counted is kept.
    statistics_.Flush();
    // Closed from the desktop or by a signal: the window's look is kept on the way out.
    std::string ignored;
    pace_.KeepLook(ignored);
    sound_.ShutdownForm1();
    throw;
  }
  sound_.ShutdownForm1();
}

}  // namespace corvane
