#include "app/application.h"

#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "app/game_builder.h"
#include "app/game_settings_questions.h"
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

PersonPlace Application::HostPlace(SpeechEngineFactory& engines) {
  return PersonPlace{.id = kHostPerson,
                     .host = host_,
                     .output = host_,
                     .engines = engines,
                     .audio = audio_,
                     .cosmetic = cosmetic_,
                     .programFolder = folders_.ProgramFolder,
                     .dataFolder = folders_.DataFolder,
                     .lock = folderLock_,
                     .router = this,
                     .timers = this};
}

Application::Application(Host& host, AudioDevice& audio, SpeechEngineFactory& engines,
                         AppOptions options)
    : host_(host),
      audio_(audio),
      options_(std::move(options)),
      folders_(MakeFolders(options_)),
      game_(options_.seed.value_or(ClockSeed())),
      cosmetic_(options_.seed.value_or(ClockSeed()) ^ kCosmeticSalt),
      hostPerson_(HostPlace(engines)),
      engine_(table_, hand_, settings_, narration_, seating_, prompts_, game_, *this),
      saved_(table_, settings_, speech_, folders_.DataFolder),
      pace_(host, folders_.DataFolder + kPaceFileName),
      tablePlay_(host, table_, settings_, speech_, prompts_, sound_, background_, game_, engine_,
                 narration_, seating_, folders_.DataFolder, *this) {
  const TableParts parts{table_, hand_, engine_, seating_, narration_};
  hostPerson_.JoinTable(parts, true);
  seating_.Seat(kHostSeat, hostPerson_.player, &hostPerson_);
  // Each guest's sounds have a random stream of their own, so that the host hears the same
  // table whoever else sits at it.
  for (const GuestOptions& guest : options_.guests) {
    Guest& added = guests_.emplace_back();
    added.options = guest;
    const int id = guest.id;
    added.cosmetic = std::make_unique<Random>(options_.seed.value_or(ClockSeed()) ^
                                              (kCosmeticSalt * static_cast<std::uint64_t>(id + 1)));
    added.person = std::make_unique<Person>(PersonPlace{.id = id,
                                                        .host = host_,
                                                        .output = *guest.output,
                                                        .engines = *guest.engines,
                                                        .audio = *guest.audio,
                                                        .cosmetic = *added.cosmetic,
                                                        .programFolder = folders_.ProgramFolder,
                                                        .dataFolder = {},
                                                        .lock = folderLock_,
                                                        .router = this,
                                                        .timers = nullptr});
    added.person->JoinTable(parts, false);
  }
}

Application::~Application() {
  if (folders_.TemporaryDataFolder) {
    std::error_code ignored;
    std::filesystem::remove_all(folders_.DataFolder, ignored);
  }
}

Keyboard* Application::KeyboardOf(int person) {
  if (person == kHostPerson) return &keyboard_;
  for (Guest& guest : guests_) {
    if (guest.person->id() == person) return &guest.person->keyboard;
  }
  return hosting_ ? hosting_->KeyboardOf(person) : nullptr;
}

void Application::DescriptorWoke(int id) {
  if (hosting_) hosting_->Woken(id);
}

void Application::SeatGuests() {
  for (Guest& guest : guests_) {
    const int seat = guest.options.seat;
    if (seat <= kHostSeat || seat > table_.PlayerCount) continue;
    Person& person = *guest.person;
    seating_.Seat(seat, person.player, &person);
    person.TableStarts(table_.players.Chips[seat]);
    person.background.Replace("POKERPARTY.WAV", person.settings.PartyVolume, kDSLoop | kDSClass3);
  }
}

void Application::UnseatGuests() {
  for (Guest& guest : guests_) {
    Person& person = *guest.person;
    const int seat = person.Seat();
    if (seat != 0) seating_.Unseat(seat);
    person.background.Stop();
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

// The people at the table, the host first.
void Application::HandBegins() {
  const CalendarTime when = host_.LocalTime();
  hostPerson_.HandBegins(when);
  for (Guest& guest : guests_) guest.person->HandBegins(when);
  if (hosting_) hosting_->ForEachPerson([&when](Person& person) { person.HandBegins(when); });
}

void Application::HandEnds() {
  // A hand that ends without being settled is dropped.
  hostPerson_.HandEnds();
  for (Guest& guest : guests_) guest.person->HandEnds();
  if (hosting_) {
    hosting_->ForEachPerson([](Person& person) { person.HandEnds(); });
    hosting_->SendAwayUnseated();
  }
}

void Application::UserEliminated() {
  saved_.DeleteSavedTable(false);
}

void Application::TableClosedToUser() {
  tablePlay_.OfferAttributes();
}

void Application::HandSettled() {
  hostPerson_.HandSettled();
  for (Guest& guest : guests_) guest.person->HandSettled();
  if (hosting_) hosting_->ForEachPerson([](Person& person) { person.HandSettled(); });
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
  for (Guest& guest : guests_) {
    guest.person->sound.DSInit();
    guest.person->SwitchSpeechMode(guest.options.SpeechMode);
  }
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

void Application::JoinAtOnce() {
  background_.Stop();
  FriendTable table(host_, hostPerson_, *this, audio_, folders_.ProgramFolder, folders_.DataFolder);
  if (!table.Play(*options_.join) && options_.failedJoinStatus) {
    throw EndProgram{*options_.failedJoinStatus};
  }
}

void Application::Main() {
  try {
    StartUp();
    if (options_.join) JoinAtOnce();
    if (options_.hosting) HostTable(*options_.hosting);
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
