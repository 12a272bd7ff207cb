// The user's statistics: for the table being played, the hands played and won, the chips won or
// lost since the table started (or was restored) and the biggest pot won; over all tables, the
// hands played and won per game, kept in the statistics file in the data folder. G speaks them.
// Another copy of the game may count into the same file: each save adds the hands this copy
// counted since its last save to what the file holds then.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "speech/speech.h"
#include "store/folder_lock.h"
#include "store/statistics_file.h"

namespace corvane {

class PlayStatistics {
 public:
  // `dataFolder` ends in "/"; `lock` is its lock, held while the file is written. With no folder,
  // the totals are kept only while the program runs.
  PlayStatistics(Speech& speech, std::string dataFolder, const FolderLock& lock);

  // Reads the totals at start-up. A damaged file is set aside under another name and the totals
  // start afresh; the returned note says so (empty when the file was read or was not there).
  std::string Load();

  // A table starts, new or restored, with the user holding `userChips`.
  void TableStarts(std::int32_t userChips);

  // A hand of `game` was settled at this table: the user took `collected` chips from its pots and
  // now holds `userChips`. Every hundredth hand the totals are saved.
  void HandSettled(std::string_view game, std::int32_t collected, std::int32_t userChips);

  // Saves the totals when hands were counted since they were last saved: when a table ends and
  // when the program ends. A failure is said once, and not again until they could be saved.
  void Flush();

  // G.
  void Speak();

 private:
  // Saving rewrites the whole file and flushes it and its folder to the disk, which costs more
  // processor time than playing a hand; so it is done at the end of a table and of the program,
  // and after this many hands in between. A crash loses at most the hands counted since the last
  // save, never the file.
  static constexpr int kHandsBetweenSaves = 100;

  void Save();

  Speech& speech_;
  std::string folder_;
  const FolderLock& lock_;
  // What G speaks: what the file held when this copy last read or wrote it, and what it counted
  // since.
  std::vector<GameTally> totals_;
  // What the file held when this copy last read or wrote it.
  std::vector<GameTally> saved_;
  // This table.
  std::int64_t handsPlayed_ = 0;
  std::int64_t handsWon_ = 0;
  std::int32_t startChips_ = 0;
  std::int32_t chips_ = 0;
  std::int32_t biggestPot_ = 0;
  // A damaged file that could not be set aside is never written over.
  int unsaved_ = 0;
  bool keepOffTheFile_ = false;
  bool failureSaid_ = false;
};

}  // namespace corvane
