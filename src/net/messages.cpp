#include "net/messages.h"

#include <array>
#include <limits>
#include <nlohmann/json.hpp>

namespace corvane {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

// A message is a flat object; anything nested deeper than this is not one of ours, and is refused
// before it is parsed.
constexpr int kDeepestNesting = 2;

constexpr std::size_t kLongestVersion = 16;
constexpr std::size_t kLongestTitle = 200;
constexpr std::size_t kLongestHostName = 64;
constexpr std::size_t kLongestSoundFile = 64;
constexpr std::size_t kLongestGameName = 200;
constexpr int kHighestKeyCode = 255;
constexpr int kAllShiftBits = 7;
constexpr int kSilent = -10000;
constexpr int kFullVolume = 0;
constexpr int kFullLeft = -10000;
constexpr int kFullRight = 10000;

template <typename Value>
struct Named {
  std::string_view name;
  Value value;
};

constexpr std::array<Named<ClientKind>, 2> kClients{{
    {"desktop", ClientKind::Desktop},
    {"browser", ClientKind::Browser},
}};
constexpr std::array<Named<Refusal>, 5> kRefusals{{
    {"code", Refusal::Code},
    {"full", Refusal::Full},
    {"version", Refusal::Version},
    {"closed", Refusal::Closed},
    {"name", Refusal::Name},
}};
constexpr std::array<Named<MessageIcon>, 3> kIcons{{
    {"critical", MessageIcon::Critical},
    {"exclamation", MessageIcon::Exclamation},
    {"information", MessageIcon::Information},
}};
constexpr std::array<Named<SoundMessage::Op>, 6> kSoundOps{{
    {"load", SoundMessage::Op::Load},
    {"release", SoundMessage::Op::Release},
    {"play", SoundMessage::Op::Play},
    {"stop", SoundMessage::Op::Stop},
    {"volume", SoundMessage::Op::Volume},
    {"pan", SoundMessage::Op::Pan},
}};

template <typename Value, std::size_t N>
std::optional<Value> ValueNamed(const std::array<Named<Value>, N>& table, std::string_view name) {
  for (const auto& row : table) {
    if (row.name == name) return row.value;
  }
  return std::nullopt;
}

template <typename Value, std::size_t N>
std::string_view NameOf(const std::array<Named<Value>, N>& table, Value value) {
  for (const auto& row : table) {
    if (row.value == value) return row.name;
  }
  return table.front().name;
}

// True when the text's brackets and braces, outside its strings, nest no deeper than `limit`.
bool NestingWithin(std::string_view text, int limit) {
  int depth = 0;
  bool inString = false;
  bool escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > limit) return false;
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return true;
}

// No control characters (C0, DEL, C1), apart from line breaks where they are allowed. The JSON
// reader has already refused text that is not UTF-8.
bool CleanText(std::string_view text, bool lineBreaks = false) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n' && lineBreaks) continue;
    if (c < 0x20 || c == 0x7f) return false;
    // U+0080..U+009F are C2 80..C2 9F in UTF-8.
    if (c == 0xc2 && i + 1 < text.size()) {
      const auto next = static_cast<unsigned char>(text[i + 1]);
      if (next >= 0x80 && next <= 0x9f) return false;
    }
  }
  return true;
}

bool OnlyOf(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kVersionCharacters =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ.+~-";
constexpr std::string_view kFileCharacters =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ _.-";

bool IsVersion(std::string_view text) {
  return !text.empty() && text.size() <= kLongestVersion && OnlyOf(text, kVersionCharacters);
}

bool IsSoundFile(std::string_view text) {
  return !text.empty() && text.size() <= kLongestSoundFile && text.front() != '.' &&
         OnlyOf(text, kFileCharacters);
}

bool NotOnlyBlanks(std::string_view text) {
  return text.find_first_not_of(' ') != std::string_view::npos;
}

// The fields of one object, read with their checks; any failed read marks the whole message bad.
class Fields {
 public:
  explicit Fields(const Json& object) : object_(object) {}

  bool ok() const { return ok_; }

  std::string Text(const char* name, std::size_t longest, bool lineBreaks = false) {
    const Json* field = Find(name);
    if (field == nullptr || !field->is_string()) return Fail<std::string>();
    const auto& text = field->get_ref<const std::string&>();
    if (text.size() > longest || !CleanText(text, lineBreaks)) return Fail<std::string>();
    return text;
  }
  // An array of texts, each of one line.
  std::vector<std::string> Lines(const char* name, std::size_t longest) {
    const Json* field = Find(name);
    if (field == nullptr || !field->is_array()) return Fail<std::vector<std::string>>();
    std::vector<std::string> lines;
    lines.reserve(field->size());
    for (const Json& line : *field) {
      if (!line.is_string()) return Fail<std::vector<std::string>>();
      const auto& text = line.get_ref<const std::string&>();
      if (text.size() > longest || !CleanText(text)) return Fail<std::vector<std::string>>();
      lines.push_back(text);
    }
    return lines;
  }
  int Number(const char* name, int lowest, int highest) {
    const Json* field = Find(name);
    if (field == nullptr || !field->is_number_integer()) return Fail<int>();
    const auto value = field->get<std::int64_t>();
    if (value < lowest || value > highest) return Fail<int>();
    return static_cast<int>(value);
  }
  bool Flag(const char* name) {
    const Json* field = Find(name);
    if (field == nullptr || !field->is_boolean()) return Fail<bool>();
    return field->get<bool>();
  }
  template <typename Value, std::size_t N>
  Value OneOf(const char* name, const std::array<Named<Value>, N>& table) {
    const Json* field = Find(name);
    if (field == nullptr || !field->is_string()) return Fail(table.front().value);
    const std::optional<Value> value = ValueNamed(table, field->get_ref<const std::string&>());
    if (!value) return Fail(table.front().value);
    return *value;
  }
  // Marks the message bad when `good` is false.
  void Require(bool good) { ok_ = ok_ && good; }

 private:
  const Json* Find(const char* name) const {
    const auto it = object_.find(name);
    return it == object_.end() ? nullptr : &*it;
  }
  template <typename Value>
  Value Fail(Value value = {}) {
    ok_ = false;
    return value;
  }

  const Json& object_;
  bool ok_ = true;
};

// The object of a message, and its kind; nothing when the text is not a JSON object with a "t".
std::optional<Json> ParseObject(std::string_view text, std::string& kind) {
  if (text.size() > kMessageLimit || !NestingWithin(text, kDeepestNesting)) return std::nullopt;
  Json object = Json::parse(text, nullptr, false);
  if (object.is_discarded() || !object.is_object()) return std::nullopt;
  const auto t = object.find("t");
  if (t == object.end() || !t->is_string()) return std::nullopt;
  kind = t->get<std::string>();
  return object;
}

template <typename Message>
std::optional<Message> Checked(const Fields& fields, Message message) {
  if (!fields.ok()) return std::nullopt;
  return message;
}

constexpr int kInt16Lowest = std::numeric_limits<std::int16_t>::min();
constexpr int kInt16Highest = std::numeric_limits<std::int16_t>::max();
constexpr int kIntHighest = std::numeric_limits<int>::max();

std::optional<HostMessage> ReadSound(Fields& fields) {
  SoundMessage sound;
  sound.op = fields.OneOf("op", kSoundOps);
  if (!fields.ok()) return std::nullopt;
  switch (sound.op) {
    case SoundMessage::Op::Load:
      sound.sound = fields.Number("sound", 1, kIntHighest);
      sound.file = fields.Text("file", kLongestSoundFile);
      fields.Require(IsSoundFile(sound.file));
      break;
    case SoundMessage::Op::Release:
      sound.sound = fields.Number("sound", 1, kIntHighest);
      break;
    case SoundMessage::Op::Play:
      sound.channel = fields.Number("channel", 1, kSoundChannels);
      sound.sound = fields.Number("sound", 1, kIntHighest);
      sound.loop = fields.Flag("loop");
      break;
    case SoundMessage::Op::Stop:
      sound.channel = fields.Number("channel", 1, kSoundChannels);
      break;
    case SoundMessage::Op::Volume:
      sound.channel = fields.Number("channel", 1, kSoundChannels);
      sound.value = fields.Number("value", kSilent, kFullVolume);
      break;
    case SoundMessage::Op::Pan:
      sound.channel = fields.Number("channel", 1, kSoundChannels);
      sound.value = fields.Number("value", kFullLeft, kFullRight);
      break;
  }
  return Checked<HostMessage>(fields, sound);
}

}  // namespace

bool IsFriendName(std::string_view name) {
  return !name.empty() && name.size() <= kLongestName && CleanText(name) && NotOnlyBlanks(name);
}

std::optional<FriendMessage> ReadFriendMessage(std::string_view text) {
  std::string kind;
  const std::optional<Json> object = ParseObject(text, kind);
  if (!object) return std::nullopt;
  Fields fields(*object);
  if (kind == "join") {
    JoinMessage join;
    join.version = fields.Text("version", kLongestVersion);
    join.code = fields.Text("code", kJoinCodeDigits);
    join.name = fields.Text("name", kLongestName);
    join.client = fields.OneOf("client", kClients);
    fields.Require(IsVersion(join.version) && join.code.size() == kJoinCodeDigits &&
                   OnlyOf(join.code, kDigits) && IsFriendName(join.name));
    return Checked<FriendMessage>(fields, join);
  }
  if (kind == "key") {
    KeyMessage key;
    key.code = fields.Number("code", 1, kHighestKeyCode);
    key.shift = fields.Number("shift", 0, kAllShiftBits);
    return Checked<FriendMessage>(fields, key);
  }
  return std::nullopt;
}

std::optional<HostMessage> ReadHostMessage(std::string_view text) {
  std::string kind;
  const std::optional<Json> object = ParseObject(text, kind);
  if (!object) return std::nullopt;
  Fields fields(*object);
  if (kind == "welcome") {
    WelcomeMessage welcome;
    welcome.seat = fields.Number("seat", 1, kTableSeats);
    welcome.host = fields.Text("host", kLongestHostName);
    welcome.version = fields.Text("version", kLongestVersion);
    fields.Require(IsVersion(welcome.version));
    return Checked<HostMessage>(fields, welcome);
  }
  if (kind == "refused") {
    RefusedMessage refused;
    refused.reason = fields.OneOf("reason", kRefusals);
    refused.text = fields.Text("text", kMessageLimit);
    refused.version = fields.Text("version", kLongestVersion);
    fields.Require(NotOnlyBlanks(refused.text) && IsVersion(refused.version));
    return Checked<HostMessage>(fields, refused);
  }
  if (kind == "say") {
    SayMessage say;
    say.text = fields.Text("text", kMessageLimit);
    say.system = fields.Number("system", kInt16Lowest, kInt16Highest);
    return Checked<HostMessage>(fields, say);
  }
  if (kind == "stop") return StopMessage{};
  if (kind == "box") {
    BoxMessage box;
    box.title = fields.Text("title", kLongestTitle);
    box.text = fields.Text("text", kMessageLimit, true);
    box.icon = fields.OneOf("icon", kIcons);
    return Checked<HostMessage>(fields, box);
  }
  if (kind == "answer") {
    AnswerMessage answer;
    answer.waiting = fields.Flag("waiting");
    return Checked<HostMessage>(fields, answer);
  }
  if (kind == "sound") return ReadSound(fields);
  if (kind == "hand") {
    HandMessage hand;
    hand.heading = fields.Text("heading", kMessageLimit);
    hand.lines = fields.Lines("lines", kMessageLimit);
    hand.game = fields.Text("game", kLongestGameName);
    hand.collected = fields.Number("collected", 0, kIntHighest);
    hand.chips = fields.Number("chips", 0, kIntHighest);
    fields.Require(NotOnlyBlanks(hand.heading) && NotOnlyBlanks(hand.game));
    return Checked<HostMessage>(fields, hand);
  }
  if (kind == "closed") return ClosedMessage{};
  return std::nullopt;
}

namespace {

// Texts the game writes are UTF-8; should one not be, its bad bytes are replaced rather than
// sent as they are.
std::string Dump(const OrderedJson& object) {
  return object.dump(-1, ' ', false, OrderedJson::error_handler_t::replace);
}

// The host's name as a welcome carries it: a name typed longer than a friend's program reads is
// cut, between two letters of UTF-8.
std::string WelcomedHostName(std::string name) {
  if (name.size() <= kLongestHostName) return name;
  std::size_t end = kLongestHostName;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xc0) == 0x80) --end;
  name.resize(end);
  return name;
}

struct HostWriter {
  OrderedJson operator()(const WelcomeMessage& m) const {
    return {{"t", "welcome"},
            {"seat", m.seat},
            {"host", WelcomedHostName(m.host)},
            {"version", m.version}};
  }
  OrderedJson operator()(const RefusedMessage& m) const {
    return {{"t", "refused"},
            {"reason", NameOf(kRefusals, m.reason)},
            {"text", m.text},
            {"version", m.version}};
  }
  OrderedJson operator()(const SayMessage& m) const {
    return {{"t", "say"}, {"text", m.text}, {"system", m.system}};
  }
  OrderedJson operator()(const StopMessage&) const { return {{"t", "stop"}}; }
  OrderedJson operator()(const BoxMessage& m) const {
    return {{"t", "box"}, {"title", m.title}, {"text", m.text}, {"icon", NameOf(kIcons, m.icon)}};
  }
  OrderedJson operator()(const AnswerMessage& m) const {
    return {{"t", "answer"}, {"waiting", m.waiting}};
  }
  OrderedJson operator()(const SoundMessage& m) const {
    OrderedJson object = {{"t", "sound"}, {"op", NameOf(kSoundOps, m.op)}};
    switch (m.op) {
      case SoundMessage::Op::Load:
        object["sound"] = m.sound;
        object["file"] = m.file;
        break;
      case SoundMessage::Op::Release:
        object["sound"] = m.sound;
        break;
      case SoundMessage::Op::Play:
        object["channel"] = m.channel;
        object["sound"] = m.sound;
        object["loop"] = m.loop;
        break;
      case SoundMessage::Op::Stop:
        object["channel"] = m.channel;
        break;
      case SoundMessage::Op::Volume:
      case SoundMessage::Op::Pan:
        object["channel"] = m.channel;
        object["value"] = m.value;
        break;
    }
    return object;
  }
  OrderedJson operator()(const HandMessage& m) const {
    return {{"t", "hand"},    {"heading", m.heading},     {"lines", m.lines},
            {"game", m.game}, {"collected", m.collected}, {"chips", m.chips}};
  }
  OrderedJson operator()(const ClosedMessage&) const { return {{"t", "closed"}}; }
};

struct FriendWriter {
  OrderedJson operator()(const JoinMessage& m) const {
    return {{"t", "join"},
            {"version", m.version},
            {"code", m.code},
            {"name", m.name},
            {"client", NameOf(kClients, m.client)}};
  }
  OrderedJson operator()(const KeyMessage& m) const {
    return {{"t", "key"}, {"code", m.code}, {"shift", m.shift}};
  }
};

}  // namespace

std::string WriteMessage(const FriendMessage& message) {
  return Dump(std::visit(FriendWriter{}, message));
}

std::string WriteMessage(const HostMessage& message) {
  return Dump(std::visit(HostWriter{}, message));
}

}  // namespace corvane
