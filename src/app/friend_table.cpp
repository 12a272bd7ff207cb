#include "app/friend_table.h"

#include <fmt/format.h>

#include <utility>

#include "platform/key_codes.h"

namespace corvane {

namespace {

// The id under which the connection's descriptor is watched in the host's wait.
constexpr int kConnectionWatch = 1;
// More sounds than the host's sound engine ever holds at once.
constexpr std::size_t kMostSounds = 256;

constexpr std::string_view kTableClosed = "The table is closed.";
constexpr std::string_view kStoppedJoining = "You have stopped joining.";

// Keeps the connection's descriptor in the host's wait for as long as it is in scope.
class Watched {
 public:
  Watched(Host& host, int descriptor) : host_(host) {
    host_.WatchDescriptor(kConnectionWatch, descriptor);
  }
  ~Watched() { host_.UnwatchDescriptor(kConnectionWatch); }
  Watched(const Watched&) = delete;
  Watched& operator=(const Watched&) = delete;

 private:
  Host& host_;
};

std::string Where(const JoinRequest& request) {
  return fmt::format("{}, port {}", request.address.host, request.address.port);
}

}  // namespace

FriendTable::FriendTable(Host& host, Person& person, TimerSink& timers, AudioDevice& audio,
                         std::string programFolder, std::string dataFolder)
    : host_(host),
      person_(person),
      speech_(person.speech),
      timers_(timers),
      audio_(audio),
      programFiles_(std::move(programFolder)),
      dataFolder_(std::move(dataFolder)) {}

bool FriendTable::Play(const JoinRequest& request) {
  KnownTables known(dataFolder_);
  if (const std::string note = known.Load(); !note.empty()) speech_.speak(note);
  speech_.speak(fmt::format("Joining the table at {}.", Where(request)));

  JoinSettings settings;
  settings.host = request.address.host;
  settings.port = request.address.port;
  settings.join = {std::string(kProtocolVersion), request.code, request.name, ClientKind::Desktop};
  settings.pinned = known.Find(request.address);
  answering_ = false;
  stopJoining_ = false;
  firstSeen_.reset();

  TableConnection connection(settings);
  const Watched watched(host_, connection.WakeDescriptor());
  if (Join(connection, request, known) != Progress::Welcomed) return false;
  person_.statistics.TableStarts(0);
  AtTheTable(connection);
  StopSounds();
  // The hands of this table count in this friend's statistics, kept as at the end of any table.
  person_.statistics.Flush();
  speech_.speak(kTableClosed);
  return true;
}

FriendTable::Progress FriendTable::Join(TableConnection& connection, const JoinRequest& request,
                                        KnownTables& known) {
  for (;;) {
    if (!Wait(connection, false)) {
      if (!stopJoining_) continue;
      speech_.speak(kStoppedJoining);
      return Progress::Over;
    }
    std::vector<ConnectionEvent> events = connection.TakeEvents();
    for (auto event = events.begin(); event != events.end(); ++event) {
      const Progress progress = JoinEvent(*event, request, known);
      if (progress == Progress::Going) continue;
      // What came with the welcome is the table's first words.
      arrived_.assign(std::make_move_iterator(event + 1), std::make_move_iterator(events.end()));
      return progress;
    }
  }
}

FriendTable::Progress FriendTable::JoinEvent(const ConnectionEvent& event,
                                             const JoinRequest& request, KnownTables& known) {
  switch (event.kind) {
    case ConnectionEvent::Kind::Certificate:
      if (!known.Find(request.address)) {
        firstSeen_ = event.fingerprint;
        speech_.speak(fmt::format(
            "You have not joined this table before. The fingerprint of its certificate is: {}.",
            SpokenFingerprint(event.fingerprint)));
      }
      return Progress::Going;
    case ConnectionEvent::Kind::Message:
      if (const auto* refused = std::get_if<RefusedMessage>(&event.message)) {
        speech_.speak(refused->text);
        return Progress::Going;  // its end follows
      }
      if (const auto* welcome = std::get_if<WelcomeMessage>(&event.message)) {
        if (firstSeen_) {
          if (const std::string note = known.Remember(request.address, *firstSeen_);
              !note.empty()) {
            speech_.speak(note);
          }
        }
        speech_.speak(
            fmt::format("You have joined {}'s table, at seat {}.", welcome->host, welcome->seat));
        return Progress::Welcomed;
      }
      return Progress::Going;
    case ConnectionEvent::Kind::Ended:
      SayEnd(event, request);
      return Progress::Over;
  }
  return Progress::Going;
}

void FriendTable::SayEnd(const ConnectionEvent& event, const JoinRequest& request) {
  using End = ConnectionEvent::End;
  switch (event.end) {
    case End::Refused:
      return;  // the refusal was said
    case End::Unreachable:
      return speech_.speak(
          fmt::format("No table answers at {}: {}.", Where(request), event.detail));
    case End::NotATable:
      return speech_.speak(
          fmt::format("What answers at {} is not a Corvane table.", Where(request)));
    case End::TimedOut:
      return speech_.speak(fmt::format("The table at {} does not answer.", Where(request)));
    case End::CertificateChanged:
      return speech_.speak(fmt::format(
          "The table at {} shows another certificate than the one it had when you first joined "
          "it, so you have not joined: someone may stand between you and the table. If the host "
          "has made a new certificate, take the line of {} out of {} in your data folder, and "
          "join again.",
          Where(request), AddressText(request.address), kKnownTablesFileName));
    case End::Closed:
    case End::Lost:
    case End::Fault:
      return speech_.speak(kTableClosed);
  }
}

void FriendTable::AtTheTable(TableConnection& connection) {
  for (std::vector<ConnectionEvent> events = std::move(arrived_);;
       events = connection.TakeEvents()) {
    for (const ConnectionEvent& event : events) {
      if (event.kind == ConnectionEvent::Kind::Ended) return;
      if (event.kind == ConnectionEvent::Kind::Message) Show(event.message);
    }
    while (!Wait(connection, true)) {
    }
  }
}

bool FriendTable::Wait(TableConnection& connection, bool atTable) {
  const WaitKind kind = atTable && answering_ ? WaitKind::Answer : WaitKind::Remote;
  const std::optional<HostEvent> event = host_.NextEvent(kForever, kind);
  if (!event) return false;
  switch (event->kind) {
    case HostEvent::Kind::Wake:
      return event->code == kConnectionWatch;
    case HostEvent::Kind::Close:
      throw EndProgram{0};
    case HostEvent::Kind::Timer:
      timers_.TimerFired(event->code);
      return false;
    case HostEvent::Kind::Key:
      break;
  }
  const int code = event->code;
  const int shift = event->shift;
  if (code == kKeyShift || code == kKeyControl || code == kKeyAlt) return false;
  if (code == kKeyF4 && (shift & kAlt) != 0) throw EndProgram{0};
  speech_.StopSpeech();
  if (code == kKeyF1 && shift == 0) {
    person_.help.OpenHelpFile(kHelpPage);
  } else if (shift == kControl && code >= '0' && code <= '3') {
    person_.SwitchSpeechMode(code - '0');
  } else if (shift == kControl && code == kKeyUp) {
    speech_.HistoryBack();
  } else if (shift == kControl && code == kKeyDown) {
    speech_.HistoryForward();
  } else if (atTable) {
    // A key answers the wait it was pressed in; the host says when a question waits again.
    if (kind == WaitKind::Answer) answering_ = false;
    connection.SendKey(code, shift);
  } else if (code == kKeyEscape) {
    stopJoining_ = true;
  }
  return false;
}

void FriendTable::Show(const HostMessage& message) {
  if (const auto* say = std::get_if<SayMessage>(&message)) {
    speech_.speak(say->text, static_cast<std::int16_t>(say->system));
  } else if (std::holds_alternative<StopMessage>(message)) {
    speech_.StopSpeech();
  } else if (const auto* box = std::get_if<BoxMessage>(&message)) {
    host_.ShowMessage(box->title, box->text, box->icon);
  } else if (const auto* answer = std::get_if<AnswerMessage>(&message)) {
    answering_ = answer->waiting;
  } else if (const auto* sound = std::get_if<SoundMessage>(&message)) {
    Sound(*sound);
  } else if (const auto* hand = std::get_if<HandMessage>(&message)) {
    KeepHand(*hand);
  }
}

void FriendTable::KeepHand(const HandMessage& hand) {
  LoggedHand logged;
  logged.game = hand.game;
  logged.heading = hand.heading;
  logged.lines = hand.lines;
  person_.history.Keep(logged);
  person_.statistics.HandSettled(hand.game, hand.collected, hand.chips);
}

void FriendTable::Sound(const SoundMessage& sound) {
  using Op = SoundMessage::Op;
  switch (sound.op) {
    case Op::Load: {
      const auto known = sounds_.find(sound.sound);
      if (known != sounds_.end()) {
        audio_.Release(known->second.id);
        sounds_.erase(known);
      }
      if (sounds_.size() >= kMostSounds) return;
      const SoundId id = audio_.Load(programFiles_.PathOf(sound.file));
      if (id == kNoSound) {
        // Said once for each file, as the game says it of its own sounds.
        if (missing_.insert(sound.file).second) {
          host_.ShowMessage("Error! ", "Error opening file " + sound.file,
                            MessageIcon::Exclamation);
        }
        return;
      }
      sounds_[sound.sound] = {id, sound.file};
      return;
    }
    case Op::Release:
      if (const auto known = sounds_.find(sound.sound); known != sounds_.end()) {
        audio_.Release(known->second.id);
        sounds_.erase(known);
      }
      return;
    case Op::Play:
      if (const auto known = sounds_.find(sound.sound); known != sounds_.end()) {
        channels_.insert(sound.channel);
        audio_.Play(sound.channel, known->second.id, sound.loop, 0);
        host_.OnSoundPlayed(known->second.file);
      }
      return;
    case Op::Stop:
      return audio_.Stop(sound.channel);
    case Op::Volume:
      return audio_.SetVolume(sound.channel, sound.value);
    case Op::Pan:
      return audio_.SetPan(sound.channel, sound.value);
  }
}

void FriendTable::StopSounds() {
  for (const int channel : channels_) audio_.Stop(channel);
  for (const auto& [number, sound] : sounds_) audio_.Release(sound.id);
  channels_.clear();
  sounds_.clear();
}

}  // namespace corvane
