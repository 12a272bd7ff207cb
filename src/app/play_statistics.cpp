#include "app/play_statistics.h"

#include <fmt/format.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

namespace corvane {

namespace {

constexpr int kMostSetAsideNames = 100;

std::string Hands(std::int64_t count) {
  return fmt::format("{} hand{}", count, count == 1 ? "" : "s");
}

bool NameTaken(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// Moves the damaged file at `folder` + `name` to a free name beside it, never over another file:
// "Statistics.damaged.txt", else "Statistics.damaged 2.txt" and on. Returns the name it was given,
// or empty when it could not be moved.
std::string SetAside(const std::string& folder, std::string_view name) {
  const std::string from = folder + std::string(name);
  struct stat info {};
  if (::lstat(from.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  const std::string_view damaged = kDamagedStatisticsFileName;
  const std::string_view stem = damaged.substr(0, damaged.rfind('.'));
  const std::string_view ending = damaged.substr(damaged.rfind('.'));
  for (int n = 1; n <= kMostSetAsideNames; ++n) {
    const std::string candidate =
        n == 1 ? std::string(damaged) : fmt::format("{} {}{}", stem, n, ending);
    if (NameTaken(folder + candidate)) continue;
    return std::rename(from.c_str(), (folder + candidate).c_str()) == 0 ? candidate : "";
  }
  return {};
}

GameTally& TallyOf(std::vector<GameTally>& tallies, const std::string& name) {
  auto tally = std::find_if(tallies.begin(), tallies.end(),
                            [&name](const GameTally& t) { return t.game == name; });
  if (tally == tallies.end()) tally = tallies.insert(tallies.end(), GameTally{name, 0, 0});
  return *tally;
}

// `base` with what `now` counted beyond `before` added to it, game by game; games new to `base`
// come after its own, in the order of `now`.
std::vector<GameTally> AddCounted(std::vector<GameTally> base, const std::vector<GameTally>& now,
                                  const std::vector<GameTally>& before) {
  std::vector<GameTally> earlier = before;
  for (const GameTally& tally : now) {
    const GameTally& was = TallyOf(earlier, tally.game);
    if (tally.played == was.played && tally.won == was.won) continue;
    GameTally& into = TallyOf(base, tally.game);
    into.played += tally.played - was.played;
    into.won += tally.won - was.won;
  }
  return base;
}

}  // namespace

PlayStatistics::PlayStatistics(Speech& speech, std::string dataFolder, const FolderLock& lock)
    : speech_(speech),
      folder_(std::move(dataFolder)),
      lock_(lock),
      keepOffTheFile_(folder_.empty()) {}

std::string PlayStatistics::Load() {
  totals_.clear();
  saved_.clear();
  keepOffTheFile_ = folder_.empty();
  if (keepOffTheFile_) return {};
  if (LoadStatistics(folder_ + std::string(kStatisticsFileName), totals_) != FileRead::kRefused) {
    saved_ = totals_;
    return {};
  }
  totals_.clear();
  const std::string setAside = SetAside(folder_, kStatisticsFileName);
  if (!setAside.empty()) {
    return fmt::format(
        "Your statistics in {} cannot be read. It may be damaged. It is kept as {}, and your "
        "statistics start afresh.",
        kStatisticsFileName, setAside);
  }
  keepOffTheFile_ = true;
  return fmt::format(
      "Your statistics in {} cannot be read. It may be damaged. Your statistics start afresh, "
      "and are not saved while it is there.",
      kStatisticsFileName);
}

void PlayStatistics::TableStarts(std::int32_t userChips) {
  handsPlayed_ = 0;
  handsWon_ = 0;
  startChips_ = chips_ = userChips;
  biggestPot_ = 0;
}

void PlayStatistics::HandSettled(std::string_view game, std::int32_t collected,
                                 std::int32_t userChips) {
  const bool won = collected > 0;
  ++handsPlayed_;
  if (won) ++handsWon_;
  chips_ = userChips;
  biggestPot_ = std::max(biggestPot_, collected);

  GameTally& tally = TallyOf(totals_, TallyName(game));
  ++tally.played;
  if (won) ++tally.won;
  if (++unsaved_ >= kHandsBetweenSaves) Save();
}

void PlayStatistics::Flush() {
  if (unsaved_ > 0) Save();
}

void PlayStatistics::Save() {
  unsaved_ = 0;
  if (keepOffTheFile_) return;
  const std::string path = folder_ + std::string(kStatisticsFileName);
  const FolderLock::Writing writing(lock_);
  // Another copy of the game may have saved its hands since: this copy's are added to the file as
  // it is now. A file that cannot be read now is written from what this copy last knew of it.
  std::vector<GameTally> onFile;
  if (LoadStatistics(path, onFile) != FileRead::kRead) onFile = saved_;
  std::vector<GameTally> merged = AddCounted(std::move(onFile), totals_, saved_);
  std::string error;
  if (SaveStatistics(path, merged, error)) {
    saved_ = merged;
    totals_ = std::move(merged);
    failureSaid_ = false;
    return;
  }
  if (failureSaid_) return;
  failureSaid_ = true;
  speech_.speak(fmt::format("Your statistics cannot be saved in {}: {}. Play goes on.",
                            kStatisticsFileName, error));
}

void PlayStatistics::Speak() {
  if (totals_.empty()) {
    speech_.speak("???No hand has been played yet.");
    return;
  }
  if (handsPlayed_ == 0) {
    speech_.speak("???No hand has been played yet at this table.");
  } else {
    speech_.speak(fmt::format("???This table: {} played, {} won.", Hands(handsPlayed_), handsWon_));
    const std::int64_t change = std::int64_t{chips_} - startChips_;
    if (change > 0) {
      speech_.speak(fmt::format("???You are up {} chips since the table started.", change));
    } else if (change < 0) {
      speech_.speak(fmt::format("???You are down {} chips since the table started.", -change));
    } else {
      speech_.speak("???You have as many chips as when the table started.");
    }
    if (biggestPot_ > 0) {
      speech_.speak(fmt::format("???Your biggest pot was {} chips.", biggestPot_));
    } else {
      speech_.speak("???You have not won a pot at this table yet.");
    }
  }
  speech_.speak("???Over all tables:");
  for (const GameTally& tally : totals_) {
    speech_.speak(
        fmt::format("???{}: {} played, {} won.", tally.game, Hands(tally.played), tally.won));
  }
}

}  // namespace corvane
