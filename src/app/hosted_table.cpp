#include "app/hosted_table.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>

#include "net/fingerprint.h"
#include "platform/key_codes.h"

namespace corvane {

namespace {

// Ids of friends' keys: clear of the people seated from scripts (1 up to the seats).
constexpr int kFirstFriendId = 100;
// Each friend's stream of sound variants, apart from the host's and the others'.
constexpr std::uint64_t kFriendSalt = 0xc2b2ae3d27d4eb4fULL;

bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// The six digits one by one, as every speech mode reads them: "1 2 3 4 5 6".
std::string DigitByDigit(const std::string& code) {
  std::string spoken;
  for (const char digit : code) {
    if (!spoken.empty()) spoken += ' ';
    spoken += digit;
  }
  return spoken;
}

// Keys a friend's program keeps at home, as they act at once there: the help, the speech mode,
// the phrase history and ending the program. Arriving here they would act on the host's machine.
bool KeptAtHome(const KeyMessage& key) {
  if (key.code == kKeyF1 && key.shift == 0) return true;
  if (key.code == kKeyF4 && (key.shift & kAlt) != 0) return true;
  if (key.shift == kControl && key.code >= '0' && key.code <= '3') return true;
  return key.shift == kControl && (key.code == kKeyUp || key.code == kKeyDown);
}

std::string RefusalText(Refusal reason, const std::string& name) {
  switch (reason) {
    case Refusal::Name:
      return fmt::format(
          "Someone called {} is already at this table. Join again with another name.", name);
    case Refusal::Full:
      return "This table has no free seat.";
    case Refusal::Closed:
      return "This table has already started. Ask the host to let you in at the next table.";
    case Refusal::Code:
    case Refusal::Version:
      break;
  }
  return "This table cannot take you.";
}

}  // namespace

HostedTable::HostedTable(HostingParts parts, std::unique_ptr<TableServer> server, std::string code,
                         const Fingerprint& fingerprint)
    : parts_(std::move(parts)),
      server_(std::move(server)),
      code_(std::move(code)),
      fingerprint_(fingerprint),
      nextId_(kFirstFriendId) {
  parts_.host.WatchDescriptor(kTableServerWatch, server_->WakeDescriptor());
}

HostedTable::~HostedTable() {
  Close();
  parts_.host.UnwatchDescriptor(kTableServerWatch);
}

bool HostedTable::Lobby() {
  SayLobby();
  Speech& speech = parts_.hostPerson.speech;
  for (;;) {
    const PressedKey key = parts_.hostPerson.keyboard.AwaitKey();
    speech.StopSpeech();
    switch (key.command()) {
      case kKeyEnter:
        return true;
      case kKeyEscape:
        speech.speak("You have stopped waiting for friends, and the table is closed.");
        return false;
      case 'T':
        // The friends who have come can be talked to already.
        parts_.hostPerson.keyboard.DispatchCommandKey(key.command());
        break;
      case 'L':
        NextTurnLimit();
        break;
      case 'F':
        speech.speak(fmt::format("The fingerprint of this table's certificate is: {}.",
                                 SpokenFingerprint(fingerprint_)));
        break;
      default:
        SayAtTheTable();
        break;
    }
  }
}

void HostedTable::SayLobby() {
  Speech& speech = parts_.hostPerson.speech;
  speech.speak(fmt::format("Waiting for friends. The join code is {}.", DigitByDigit(code_)));
  speech.speak(fmt::format(
      "Friends join this machine at port {}. Press Enter to start the game selection, T to talk "
      "to the friends who have come, L to set a time limit on friends' turns, F to hear the "
      "fingerprint of the table's certificate, or Escape to stop waiting.",
      server_->Port()));
}

void HostedTable::NextTurnLimit() {
  // No limit, then half a minute, one, two and five minutes, and round again.
  static constexpr double kLimits[] = {0, 30, 60, 120, 300};
  const auto* at = std::find(std::begin(kLimits), std::end(kLimits), turns_.limitSeconds);
  turns_.limitSeconds = (at == std::end(kLimits) || at + 1 == std::end(kLimits)) ? 0 : at[1];
  if (turns_.limitSeconds == 0) {
    parts_.hostPerson.speech.speak("Friends may take as long as they like over a turn.");
    return;
  }
  const int seconds = static_cast<int>(turns_.limitSeconds);
  parts_.hostPerson.speech.speak(fmt::format(
      "A friend who does not answer their turn within {} checks, or folds when they cannot check.",
      seconds < 60    ? fmt::format("{} seconds", seconds)
      : seconds == 60 ? std::string("a minute")
                      : fmt::format("{} minutes", seconds / 60)));
}

void HostedTable::SayAtTheTable() {
  const TableState& table = parts_.table.table;
  std::string names;
  int people = 0;
  for (int seat = 1; seat <= table.PlayerCount; ++seat) {
    if (parts_.table.seating.ListenerAt(seat) == nullptr) continue;
    names += (people++ == 0 ? "" : ", ") + table.players.PlayerName[seat];
  }
  parts_.hostPerson.speech.speak(fmt::format("At the table: {}. The join code is {}, port {}.",
                                             names, DigitByDigit(code_), server_->Port()));
}

void HostedTable::Playing() {
  playing_ = true;
  for (const auto& known : friends_) {
    Person& person = *known->person;
    person.background.Replace("POKERPARTY.WAV", person.settings.PartyVolume, kDSLoop | kDSClass3);
  }
}

void HostedTable::Close() {
  if (closed_) return;
  closed_ = true;
  server_->CloseAll();
  for (const auto& known : friends_) {
    known->output->Disconnect();
    known->person->keyboard.SetGone(true);
    const int seat = known->person->Seat();
    if (seat != 0) parts_.table.seating.Unseat(seat);
    known->person->background.Stop();
  }
}

void HostedTable::Woken(int id) {
  if (id != kTableServerWatch || closed_) return;
  for (ServerEvent& event : server_->TakeEvents()) pending_.push_back(std::move(event));
  // A friend's key may run a question that waits again, and takes the events that come meanwhile.
  while (!pending_.empty()) {
    const ServerEvent event = std::move(pending_.front());
    pending_.pop_front();
    Handle(event);
  }
}

void HostedTable::Handle(const ServerEvent& event) {
  switch (event.kind) {
    case ServerEvent::Kind::Join:
      return Join(event);
    case ServerEvent::Kind::Key:
      return Key(event.id, event.key);
    case ServerEvent::Kind::Left:
      return Lost(event.id);
  }
}

Keyboard* HostedTable::KeyboardOf(int person) {
  for (const auto& known : friends_) {
    if (known->id == person) return &known->person->keyboard;
  }
  return nullptr;
}

void HostedTable::ForEachPerson(const std::function<void(Person&)>& visit) {
  for (const auto& known : friends_) visit(*known->person);
}

void HostedTable::SendAwayUnseated() {
  for (const auto& known : friends_) {
    if (known->person->Seat() != 0 || !known->output->Connected()) continue;
    known->output->Send(ClosedMessage{});
    server_->Drop(known->output->Connection());
    known->output->Disconnect();
    known->person->keyboard.SetGone(true);
  }
}

HostedTable::Friend* HostedTable::FriendAt(int seat) const {
  const Listener* listener = parts_.table.seating.ListenerAt(seat);
  for (const auto& known : friends_) {
    if (known->person.get() == listener) return known.get();
  }
  return nullptr;
}

HostedTable::Friend* HostedTable::FriendOn(ConnectionId connection) {
  for (const auto& known : friends_) {
    if (known->output->Connected() && known->output->Connection() == connection) {
      return known.get();
    }
  }
  return nullptr;
}

std::optional<int> HostedTable::SeatFor(const std::string& name, Refusal& reason) const {
  const TableState& table = parts_.table.table;
  const Seating& seating = parts_.table.seating;
  // A seat that bears the name: a friend's who lost their connection, or a bot's (the friend of
  // a restored table takes their seat by name).
  for (int seat = 1; seat <= table.PlayerCount; ++seat) {
    if (!SameName(table.players.PlayerName[seat], name)) continue;
    const Friend* known = FriendAt(seat);
    if (known != nullptr && !known->output->Connected()) return seat;
    if (seat == kHostSeat || seating.ListenerAt(seat) != nullptr) {
      reason = Refusal::Name;
      return std::nullopt;
    }
    if (!playing_) return seat;
  }
  if (playing_) {
    reason = Refusal::Closed;
    return std::nullopt;
  }
  // A bot's seat, one still bearing the bot's own name before one that bears another's (of a
  // restored table, a friend who has not come yet).
  for (const bool botsOwnName : {true, false}) {
    for (int seat = kHostSeat + 1; seat <= table.PlayerCount; ++seat) {
      if (seating.ListenerAt(seat) != nullptr) continue;
      if (!botsOwnName || table.players.PlayerName[seat] == table.DefaultName[seat]) return seat;
    }
  }
  reason = Refusal::Full;
  return std::nullopt;
}

void HostedTable::Join(const ServerEvent& event) {
  Refusal reason = Refusal::Full;
  const std::optional<int> seat = SeatFor(event.join.name, reason);
  if (!seat) {
    server_->Refuse(event.id, RefusedMessage{reason, RefusalText(reason, event.join.name),
                                             std::string(kProtocolVersion)});
    return;
  }
  if (Friend* known = FriendAt(*seat)) return Return(*known, event.id);
  Seat(event, *seat);
}

void HostedTable::Seat(const ServerEvent& event, int seat) {
  TableState& table = parts_.table.table;
  auto& added = *friends_.emplace_back(std::make_unique<Friend>());
  added.id = nextId_++;
  added.name = event.join.name;
  added.output = std::make_unique<FriendOutput>(*server_, event.id);
  Host& host = parts_.host;
  added.audio = std::make_unique<FriendAudioDevice>([&host] { return host.Now(); }, *added.output);
  added.cosmetic = std::make_unique<Random>(parts_.cosmeticSeed ^
                                            (kFriendSalt * static_cast<std::uint64_t>(added.id)));
  added.person = std::make_unique<Person>(PersonPlace{.id = added.id,
                                                      .host = host,
                                                      .output = *added.output,
                                                      .engines = noEngines_,
                                                      .audio = *added.audio,
                                                      .cosmetic = *added.cosmetic,
                                                      .programFolder = parts_.programFolder,
                                                      .dataFolder = {},
                                                      .lock = parts_.lock,
                                                      .router = &parts_.router,
                                                      .timers = nullptr,
                                                      .settledHands = added.output.get()});
  Person& person = *added.person;
  person.JoinTable(parts_.table, false);
  added.player = std::make_unique<FriendPlayer>(person.player, person.keyboard, person.speech,
                                                parts_.game, turns_, added.name);

  server_->Welcome(event.id, WelcomeMessage{seat, table.players.PlayerName[kHostSeat],
                                            std::string(kProtocolVersion)});
  person.sound.DSInit();
  person.SwitchSpeechMode(kSilentMode);
  table.players.PlayerName[seat] = added.name;
  parts_.table.seating.Seat(seat, *added.player, &person);
  person.TableStarts(table.players.Chips[seat]);
  if (playing_) {
    person.background.Replace("POKERPARTY.WAV", person.settings.PartyVolume, kDSLoop | kDSClass3);
  }
  Say(Audience::Everyone(), fmt::format("{} has joined the table.", added.name));
}

void HostedTable::Return(Friend& returning, ConnectionId connection) {
  Person& person = *returning.person;
  const int seat = person.Seat();
  returning.output->Connect(connection);
  server_->Welcome(connection,
                   WelcomeMessage{seat, parts_.table.table.players.PlayerName[kHostSeat],
                                  std::string(kProtocolVersion)});
  returning.audio->SendLoadedSounds();
  Say(Audience::AllBut(seat), fmt::format("{} is back at the table.", returning.name));
  // The friend first hears the hand so far, as V reads it, and decides from their next turn.
  const HandLog& log = person.handLog;
  if (log.Recording()) {
    person.speech.speak(
        fmt::format("???The hand so far, hand {}, {}:", log.Current().number, log.Current().game));
    for (const std::string& line : log.Current().lines) person.speech.speak("???" + line);
    person.speech.speak("???That was the hand so far. You play on from your next turn.");
  }
  person.keyboard.SetGone(false);
  parts_.table.seating.Seat(seat, *returning.player, &person);
  if (playing_) {
    person.background.Replace("POKERPARTY.WAV", person.settings.PartyVolume, kDSLoop | kDSClass3);
  }
}

void HostedTable::Lost(ConnectionId connection) {
  Friend* lost = FriendOn(connection);
  if (lost == nullptr) return;
  lost->output->Disconnect();
  lost->person->keyboard.SetGone(true);
  const int seat = lost->person->Seat();
  if (seat == 0) return;
  parts_.table.seating.BotTakesOver(seat);
  Say(Audience::AllBut(seat),
      fmt::format("{0} has lost the connection. A computer player plays for {0} until {0} returns.",
                  lost->name));
}

void HostedTable::Key(ConnectionId connection, const KeyMessage& key) {
  Friend* from = FriendOn(connection);
  if (from == nullptr || KeptAtHome(key)) return;
  Keyboard& keyboard = from->person->keyboard;
  // A key answers the friend's question when one waits; otherwise it is their command key,
  // answered from their seat.
  keyboard.InputWaiting = from->output->Waiting() > 0;
  HostEvent event;
  event.kind = HostEvent::Kind::Key;
  event.code = key.code;
  event.shift = key.shift;
  event.person = from->id;
  try {
    keyboard.Handle(event);
  } catch (const PersonGone&) {
    // The friend left while their command key asked them something: nothing more to do.
  }
}

void HostedTable::Say(const Audience& audience, const std::string& text) {
  parts_.narration.Say(audience, text);
}

}  // namespace corvane
