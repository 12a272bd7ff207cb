// The messages between a friend's program and the hosting program: one JSON object per WebSocket
// text frame, its kind in the field "t". Reading a message checks it whole (its kind, every field
// it needs with its type and range, no control characters in its texts), so what a reader returns
// can be used as it is; anything else is not a message. Fields a reader does not know are left
// alone, so that a later version may add some.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/host.h"

namespace corvane {

// The version of the program and of what it says over the network: a friend joins a host of the
// same version only.
inline constexpr std::string_view kProtocolVersion = "1.0";

// The largest message either side reads; a larger one closes the connection it came on.
inline constexpr std::size_t kMessageLimit = 64 * 1024;

// The longest name a friend can give, in bytes of UTF-8.
inline constexpr std::size_t kLongestName = 40;
// The join code: six decimal digits.
inline constexpr std::size_t kJoinCodeDigits = 6;
// The seats of a table, from 1.
inline constexpr int kTableSeats = 7;
// The sound channels a host plays on: the slots of its sound engine, from 1.
inline constexpr int kSoundChannels = 30;

// Friend to host. The join comes first and only once; keys follow.
enum class ClientKind { Desktop, Browser };
struct JoinMessage {
  std::string version;  // the friend's program
  std::string code;     // six digits
  std::string name;     // how the table calls the friend
  ClientKind client = ClientKind::Desktop;
  bool operator==(const JoinMessage&) const = default;
};
// A key as the game sees it: the Windows virtual-key code and the shift bits.
struct KeyMessage {
  int code = 0;
  int shift = 0;
  bool operator==(const KeyMessage&) const = default;
};
using FriendMessage = std::variant<JoinMessage, KeyMessage>;

// Host to friend. Welcome or refused answers the join; the rest follows a welcome.
struct WelcomeMessage {
  int seat = 0;
  std::string host;     // the host's name at the table
  std::string version;  // the host's program
  bool operator==(const WelcomeMessage&) const = default;
};
enum class Refusal { Code, Full, Version, Closed, Name };
struct RefusedMessage {
  Refusal reason = Refusal::Code;
  std::string text;     // what the friend is told, in words
  std::string version;  // the host's program
  bool operator==(const RefusedMessage&) const = default;
};
// A phrase for the friend's speech, with its markers ("???" not kept in the history, "***").
struct SayMessage {
  std::string text;
  int system = 0;  // the phrase's system type, as the speech takes it
  bool operator==(const SayMessage&) const = default;
};
// Silence the speech.
struct StopMessage {
  bool operator==(const StopMessage&) const = default;
};
struct BoxMessage {
  std::string title;
  std::string text;
  MessageIcon icon = MessageIcon::Information;
  bool operator==(const BoxMessage&) const = default;
};
// Whether a question of the table now waits for this friend's key: sent each time a question
// starts waiting for the friend's next key. The key the friend sends answers that wait.
struct AnswerMessage {
  bool waiting = false;
  bool operator==(const AnswerMessage&) const = default;
};
// The host's sound engine, as the friend's audio device plays it: sounds are loaded by the file's
// name in the friend's own program folder and known by the host's number for them.
struct SoundMessage {
  enum class Op { Load, Release, Play, Stop, Volume, Pan };
  Op op = Op::Stop;
  int sound = 0;      // Load, Release, Play: the host's number of the sound, from 1
  std::string file;   // Load: a plain file name
  int channel = 0;    // Play, Stop, Volume, Pan: 1..kSoundChannels
  bool loop = false;  // Play
  int value = 0;      // Volume: -10000..0 hundredths of a dB; Pan: -10000..10000
  bool operator==(const SoundMessage&) const = default;
};
// A hand this friend's seat finished, for the friend's own hand history and statistics: the hand
// as this friend heard it (its heading line and its phrases) and what it counts for them.
struct HandMessage {
  std::string heading;
  std::vector<std::string> lines;
  std::string game;            // the game's name, as the statistics count it
  std::int32_t collected = 0;  // the chips this friend took from the pots
  std::int32_t chips = 0;      // this friend's chips after the hand
  bool operator==(const HandMessage&) const = default;
};
// The table is closed; the connection ends after it.
struct ClosedMessage {
  bool operator==(const ClosedMessage&) const = default;
};
using HostMessage =
    std::variant<WelcomeMessage, RefusedMessage, SayMessage, StopMessage, BoxMessage, AnswerMessage,
                 SoundMessage, HandMessage, ClosedMessage>;

// Nothing when the text is not one whole, sound message of that side.
std::optional<FriendMessage> ReadFriendMessage(std::string_view text);
std::optional<HostMessage> ReadHostMessage(std::string_view text);

std::string WriteMessage(const FriendMessage& message);
std::string WriteMessage(const HostMessage& message);

// A name a friend may give: 1..kLongestName bytes of UTF-8, no control characters, not only
// blanks.
bool IsFriendName(std::string_view name);

}  // namespace corvane
