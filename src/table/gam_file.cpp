#include "table/gam_file.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "platform/data_file.h"
#include "table/codepage.h"

namespace corvane {

namespace {

// Reads the fields in order; any read past the end marks the file short.
class GamReader {
 public:
  explicit GamReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  bool Short() const { return short_; }
  std::size_t Remaining() const { return bytes_.size() - pos_; }

  std::int16_t Int() {
    if (Remaining() < 2) {
      short_ = true;
      pos_ = bytes_.size();
      return 0;
    }
    const auto value =
        static_cast<std::uint16_t>(bytes_[pos_] | (static_cast<unsigned>(bytes_[pos_ + 1]) << 8));
    pos_ += 2;
    return static_cast<std::int16_t>(value);
  }

  bool Flag() { return Int() != 0; }

  std::string Text() {
    if (Remaining() < kGamTextSize) {
      short_ = true;
      pos_ = bytes_.size();
      return {};
    }
    const std::string_view raw(reinterpret_cast<const char*>(bytes_.data() + pos_), kGamTextSize);
    pos_ += kGamTextSize;
    return Cp1252ToUtf8(raw);
  }

 private:
  std::span<const unsigned char> bytes_;
  std::size_t pos_ = 0;
  bool short_ = false;
};

std::string TrimBlanks(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

void PutInt(std::vector<unsigned char>& out, int value) {
  const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

void PutFlag(std::vector<unsigned char>& out, bool flag) {
  PutInt(out, flag ? -1 : 0);
}

void PutText(std::vector<unsigned char>& out, const std::string& text) {
  std::string bytes = Utf8ToCp1252(text);
  bytes.resize(kGamTextSize, ' ');
  out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::optional<GameDefinition> ParseGam(std::span<const unsigned char> bytes) {
  GamReader in(bytes);
  GameDefinition game;
  game.GameCode = kCustomGame;
  game.GameName = TrimBlanks(in.Text());
  game.RoundCount = in.Int();
  game.HasWildCards = in.Flag();
  game.HasFaceUp = in.Flag();
  game.HighShowingBetsFirst = in.Flag();
  game.HasShared = in.Flag();
  game.HasAnte = in.Flag();
  if (in.Short() || game.RoundCount < 1 || game.RoundCount > kMaxRounds) return std::nullopt;
  if (game.HasWildCards) {
    game.WildCount = in.Int();
    if (game.WildCount < 1 || game.WildCount > kMaxWildCards) return std::nullopt;
    for (int i = 1; i <= game.WildCount; ++i) {
      const std::int16_t card = in.Int();
      if (card < 1 || card > 52) return std::nullopt;
      game.WildCards[static_cast<std::size_t>(i)] = card;
    }
  }
  for (int r = 1; r <= game.RoundCount; ++r) {
    CardRound& round = game.Rounds[static_cast<std::size_t>(r)];
    round.Announcement = TrimBlanks(in.Text());
    round.Betting = in.Flag();
    round.FaceUp = in.Flag();
    round.Shared = in.Flag();
    round.Draws = in.Int();
    round.MaxDrawCards = in.Int();
    round.BetAfterDraw = in.Flag();
    if (round.Draws < -1 || round.Draws > 5 || round.MaxDrawCards < 0 || round.MaxDrawCards > 5) {
      return std::nullopt;
    }
  }
  const std::int16_t lines = in.Int();
  if (in.Short() || lines < 0) return std::nullopt;
  // Every declared line must be there, even those past the twenty that are kept.
  if (in.Remaining() / kGamTextSize < static_cast<std::size_t>(lines)) return std::nullopt;
  game.DescriptionCount = static_cast<std::int16_t>(std::min<int>(lines, kMaxDescriptionLines));
  for (int i = 1; i <= game.DescriptionCount; ++i) {
    game.Description[static_cast<std::size_t>(i)] = in.Text();
  }
  return game;
}

std::vector<unsigned char> SerializeGam(const GameDefinition& game) {
  std::vector<unsigned char> out;
  PutText(out, game.GameName);
  PutInt(out, game.RoundCount);
  PutFlag(out, game.HasWildCards);
  PutFlag(out, game.HasFaceUp);
  PutFlag(out, game.HighShowingBetsFirst);
  PutFlag(out, game.HasShared);
  PutFlag(out, game.HasAnte);
  if (game.HasWildCards) {
    const int count = std::clamp<int>(game.WildCount, 0, kMaxWildCards);
    PutInt(out, count);
    for (int i = 1; i <= count; ++i) PutInt(out, game.WildCards[static_cast<std::size_t>(i)]);
  }
  const int rounds = std::clamp<int>(game.RoundCount, 0, kMaxRounds);
  for (int r = 1; r <= rounds; ++r) {
    const CardRound& round = game.Rounds[static_cast<std::size_t>(r)];
    PutText(out, round.Announcement);
    PutFlag(out, round.Betting);
    PutFlag(out, round.FaceUp);
    PutFlag(out, round.Shared);
    PutInt(out, round.Draws);
    PutInt(out, round.MaxDrawCards);
    PutFlag(out, round.BetAfterDraw);
  }
  const int lines = std::clamp<int>(game.DescriptionCount, 0, kMaxDescriptionLines);
  PutInt(out, lines);
  for (int i = 1; i <= lines; ++i) PutText(out, game.Description[static_cast<std::size_t>(i)]);
  return out;
}

std::optional<std::vector<unsigned char>> ReadWholeFile(const std::string& path) {
  std::string bytes;
  if (ReadDataFile(path, bytes) != FileRead::kRead) return std::nullopt;
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

std::optional<GameDefinition> ReadGamFile(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return ParseGam(*bytes);
}

bool WriteGamFile(const std::string& path, const GameDefinition& game) {
  const std::vector<unsigned char> bytes = SerializeGam(game);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace corvane
