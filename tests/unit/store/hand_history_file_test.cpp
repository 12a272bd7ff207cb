// The hand history file: hands added at its end, a hand cut short by a crash, a file that cannot
// be written, and the older half dropped past the limit (here a few bytes instead of 5 MB).
#include "store/hand_history_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "unit/store/test_folder.h"

namespace corvane {
namespace {

// The file as it stands between two hands: read while no copy adds one.
std::string ReadBetweenHands(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  ::flock(fd, LOCK_SH);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  ::close(fd);
  return text;
}

struct Row {
  std::optional<std::string> before;  // nothing: no file
  std::string hand;
  std::size_t limit;
  HistoryAppend result;
  std::string after;
};

TEST(HandHistoryFile, AppendsMendsAndDropsTheOlderHalf) {
  const auto k = kHandHistoryLimit;
  const std::vector<Row> rows{
      {std::nullopt, "H1\nA\n\n", k, HistoryAppend::kAppended, "H1\nA\n\n"},
      {"", "H1\nA\n\n", k, HistoryAppend::kAppended, "H1\nA\n\n"},
      {"H1\nA\n\n", "H2\nB\n\n", k, HistoryAppend::kAppended, "H1\nA\n\nH2\nB\n\n"},
      // Saved by an editor without its last empty line.
      {"H1\nA\n", "H2\nB\n\n", k, HistoryAppend::kAppended, "H1\nA\n\nH2\nB\n\n"},
      // Cut short in the middle of a line.
      {"H1\nA\n\nH2\nB", "H3\nC\n\n", k, HistoryAppend::kMended, "H1\nA\n\nH2\nB\n\nH3\nC\n\n"},
      {"x", "H1\nA\n\n", k, HistoryAppend::kMended, "x\n\nH1\nA\n\n"},
      // 18 bytes past a limit of 16: the newest 8 bytes hold the start of the newest hand only.
      {"H1\nA\n\nH2\nB\n\n", "H3\nC\n\n", 16, HistoryAppend::kAppended, "H3\nC\n\n"},
      // 22 bytes past 21: the newest 10 bytes begin right at the third hand.
      {"H1\nA\n\nH2\nB\n\nH3\nC\n\n", "H4\n\n", 21, HistoryAppend::kAppended, "H3\nC\n\nH4\n\n"},
      // The hand just added stays even when it is longer than what is kept.
      {"H1\nA\n\n", "H2\nA long line\n\n", 12, HistoryAppend::kAppended, "H2\nA long line\n\n"},
      // A file of one line break holds no empty line before the new hand.
      {"\n", "H1\nA\n\n", 4, HistoryAppend::kAppended, "H1\nA\n\n"},
  };
  for (const Row& row : rows) {
    TestFolder folder;
    if (row.before) folder.Write(kHandHistoryFileName, *row.before);
    std::string error = "not cleared";
    EXPECT_EQ(AppendToHandHistory(folder.File(kHandHistoryFileName), row.hand, error, row.limit),
              row.result)
        << row.after;
    EXPECT_EQ(error, "");
    EXPECT_EQ(folder.Read(kHandHistoryFileName), row.after);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{std::string(kHandHistoryFileName)}));
  }

  // A folder in the file's place is not written to, and says why.
  TestFolder folder;
  std::filesystem::create_directory(folder.File(kHandHistoryFileName));
  std::string error;
  EXPECT_EQ(AppendToHandHistory(folder.File(kHandHistoryFileName), "H1\nA\n\n", error),
            HistoryAppend::kFailed);
  EXPECT_EQ(error, "Is a directory");
}

TEST(HandHistoryFile, TheNewestHandStaysWhateverTheSizeAndTheLimit) {
  const std::string hand = "H9\nZ\n\n";
  for (const std::string before : {"", "\n", "\n\n", "x", "x\n", "\n\nx", "H1\nA\n\n",
                                   "H1\nA\n\nH2\nB", "H1\nA\n\n\n\nH2\n\n"}) {
    for (std::size_t limit = 0; limit <= 32; ++limit) {
      SCOPED_TRACE(::testing::PrintToString(before) + " limit " + std::to_string(limit));
      TestFolder folder;
      folder.Write(kHandHistoryFileName, before);
      std::string error;
      EXPECT_NE(AppendToHandHistory(folder.File(kHandHistoryFileName), hand, error, limit),
                HistoryAppend::kFailed);
      const std::string after = folder.Read(kHandHistoryFileName);
      ASSERT_GE(after.size(), hand.size());
      EXPECT_EQ(after.substr(after.size() - hand.size()), hand);
    }
  }
}

// Two copies of the game on one data folder add hands at the same time, and each trims the file
// often: a trim never drops a hand the other copy has just added, so each copy's hands in the file
// always run without a gap.
TEST(HandHistoryFile, TwoCopiesAddingAtOnceLoseNoHand) {
  TestFolder folder;
  const std::string path = folder.File(kHandHistoryFileName);
  const auto noGap = [&path] {
    const std::string text = ReadBetweenHands(path);
    for (const char copy : {'A', 'B'}) {
      int last = -1;
      for (std::size_t at = 0; (at = text.find(copy, at)) != std::string::npos; ++at) {
        const int number = std::atoi(text.c_str() + at + 1);
        if (last >= 0 && number != last + 1) return false;
        last = number;
      }
    }
    return true;
  };
  std::vector<pid_t> copies;
  for (const char copy : {'A', 'B'}) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      bool whole = true;
      for (int hand = 0; hand < 600 && whole; ++hand) {
        std::string error;
        AppendToHandHistory(path, copy + std::to_string(hand) + "\nx\n\n", error, 256);
        whole = noGap();
      }
      ::_exit(whole ? 0 : 1);
    }
    copies.push_back(pid);
  }
  for (const pid_t pid : copies) {
    int status = -1;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
}

TEST(HandHistoryFile, OneLinePerPhraseAndAnEmptyLineAfterTheHand) {
  EXPECT_EQ(HandHistoryText("Hand 1, Texas Holdem.", {"Harry bets 75", "Two\r\nlines"}),
            "Hand 1, Texas Holdem.\nHarry bets 75\nTwo  lines\n\n");
}

}  // namespace
}  // namespace corvane
