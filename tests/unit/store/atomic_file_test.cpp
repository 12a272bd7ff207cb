#include "store/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "unit/store/test_folder.h"

namespace corvane {
namespace {

TEST(AtomicFile, WritesANewFile) {
  TestFolder folder;
  std::string error = "stale";
  ASSERT_TRUE(WriteFileAtomically(folder.File("a.sav"), Bytes({1, 0, 2, 0xFF}), error));
  EXPECT_EQ(error, "");
  EXPECT_EQ(folder.Read("a.sav"), Bytes({1, 0, 2, 0xFF}));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.sav"});
}

TEST(AtomicFile, ReplacesTheOldFileWhole) {
  TestFolder folder;
  folder.Write("a.sav", "a much longer old content");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder.File("a.sav"), "new", error)) << error;
  EXPECT_EQ(folder.Read("a.sav"), "new");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.sav"});
}

TEST(AtomicFile, WritesAnEmptyFile) {
  TestFolder folder;
  folder.Write("a.sav", "old");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder.File("a.sav"), "", error)) << error;
  EXPECT_EQ(folder.Read("a.sav"), "");
}

TEST(AtomicFile, AFolderThatIsAFileGivesTheSystemsReason) {
  TestFolder folder;
  folder.Write("plain", "I am a file");
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder.File("plain") + "/a.sav", "new", error));
  EXPECT_EQ(error, std::strerror(ENOTDIR));
  EXPECT_EQ(folder.Read("plain"), "I am a file");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"plain"});
}

TEST(AtomicFile, AMissingFolderGivesTheSystemsReason) {
  TestFolder folder;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder.File("nowhere/a.sav"), "new", error));
  EXPECT_EQ(error, std::strerror(ENOENT));
  EXPECT_TRUE(folder.Names().empty());
}

TEST(AtomicFile, AFolderInThePlaceOfTheFileIsLeftAndTheTemporaryRemoved) {
  TestFolder folder;
  std::filesystem::create_directory(folder.File("a.sav"));
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder.File("a.sav"), "new", error));
  EXPECT_EQ(error, std::strerror(EISDIR));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("a.sav")));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.sav"});
}

// The disk fills up after the first few bytes have gone out.
TEST(AtomicFile, ADiskThatFillsPartWayKeepsTheOldFile) {
  TestFolder folder;
  folder.Write("CV SavedTable.sav", "the old table");
  FileCalls calls = SystemFileCalls();
  int writes = 0;
  const auto real_write = calls.write;
  calls.write = [&](int fd, const void* data, std::size_t size) -> ssize_t {
    if (++writes == 1) return real_write(fd, data, size < 5 ? size : 5);
    errno = ENOSPC;
    return -1;
  };
  std::string error;
  EXPECT_FALSE(
      WriteFileAtomically(folder.File("CV SavedTable.sav"), "a new table, longer", error, calls));
  EXPECT_EQ(writes, 2);
  EXPECT_EQ(error, "No space left on device");
  EXPECT_EQ(folder.Read("CV SavedTable.sav"), "the old table");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"CV SavedTable.sav"});
}

TEST(AtomicFile, ShortWritesAreCarriedOn) {
  TestFolder folder;
  FileCalls calls = SystemFileCalls();
  const auto real_write = calls.write;
  int writes = 0;
  calls.write = [&](int fd, const void* data, std::size_t size) -> ssize_t {
    ++writes;
    if (writes == 2) {
      errno = EINTR;
      return -1;
    }
    return real_write(fd, data, size < 3 ? size : 3);
  };
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder.File("a.sav"), "0123456789", error, calls)) << error;
  EXPECT_EQ(folder.Read("a.sav"), "0123456789");
  EXPECT_EQ(writes, 5);
}

TEST(AtomicFile, AFailedFlushKeepsTheOldFile) {
  TestFolder folder;
  folder.Write("Settings.sav", "old");
  FileCalls calls = SystemFileCalls();
  calls.fsync = [](int) {
    errno = EIO;
    return -1;
  };
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder.File("Settings.sav"), "new!", error, calls));
  EXPECT_EQ(error, std::strerror(EIO));
  EXPECT_EQ(folder.Read("Settings.sav"), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Settings.sav"});
}

TEST(AtomicFile, AFailedCloseKeepsTheOldFile) {
  TestFolder folder;
  folder.Write("Settings.sav", "old");
  FileCalls calls = SystemFileCalls();
  const auto real_close = calls.close;
  calls.close = [&](int fd) {
    real_close(fd);
    errno = EDQUOT;
    return -1;
  };
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder.File("Settings.sav"), "new!", error, calls));
  EXPECT_EQ(error, std::strerror(EDQUOT));
  EXPECT_EQ(folder.Read("Settings.sav"), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Settings.sav"});
}

TEST(AtomicFile, AFailedRenameKeepsTheOldFile) {
  TestFolder folder;
  folder.Write("Settings.sav", "old");
  FileCalls calls = SystemFileCalls();
  calls.rename = [](const char*, const char*) {
    errno = EROFS;
    return -1;
  };
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder.File("Settings.sav"), "new!", error, calls));
  EXPECT_EQ(error, std::strerror(EROFS));
  EXPECT_EQ(folder.Read("Settings.sav"), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Settings.sav"});
}

TEST(AtomicFile, ATakenTemporaryNameIsNotReused) {
  TestFolder folder;
  FileCalls calls = SystemFileCalls();
  const auto real_open = calls.open;
  int opens = 0;
  calls.open = [&](const char* path, int flags, mode_t mode) {
    if (++opens == 1) {
      errno = EEXIST;
      return -1;
    }
    return real_open(path, flags, mode);
  };
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder.File("a.sav"), "new", error, calls)) << error;
  EXPECT_EQ(opens, 2);
  EXPECT_EQ(folder.Read("a.sav"), "new");
}

// A save cut short by a crash: the process dies between writing its temporary file and renaming
// it. The next start removes that file, and only the temporary files of the game's own saves
// whose process is gone.
TEST(AtomicFile, TheNextStartRemovesWhatInterruptedSavesLeft) {
  TestFolder folder;
  folder.Write("CV SavedTable.sav", "the old table");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    FileCalls calls = SystemFileCalls();
    calls.rename = [](const char*, const char*) -> int { ::_exit(0); };
    std::string error;
    WriteFileAtomically(folder.File("CV SavedTable.sav"), "a new table", error, calls);
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_EQ(folder.Names().size(), 2u);

  // No process has this number: it lies past the largest a system can give.
  const std::string gone = "99999999";
  const std::string alive = std::to_string(::getpid());
  const struct {
    std::string name;
    bool removed;
  } rows[] = {
      {".Settings.sav." + gone + ".0123abcd.tmp", true},
      {".CV config.ini." + gone + ".0123abcd.tmp", true},
      {".CV PokerSettings.sav." + gone + ".0123abcd.tmp", true},
      {".cv savedtable.sav." + gone + ".89abcdef.tmp", true},
      {".My Game.GAM." + gone + ".00000000.tmp", true},
      {".Settings.sav." + alive + ".0123abcd.tmp", false},  // a save still being made
      {".notes.txt." + gone + ".0123abcd.tmp", false},      // not one of the game's files
      {".gam." + gone + ".0123abcd.tmp", false},
      {"Settings.sav." + gone + ".0123abcd.tmp", false},
      {".Settings.sav." + gone + ".0123abcg.tmp", false},
      {".Settings.sav." + gone + ".0123abc.tmp", false},
      {".Settings.sav.12a.0123abcd.tmp", false},
      {".Settings.sav.0.0123abcd.tmp", false},
      {".Settings.sav." + gone + ".0123abcd.tmp~", false},
      {".Settings.sav.tmp", false},
      {"Settings.sav", false},
  };
  const std::string aFolder = ".Settings.sav." + gone + ".fedcba98.tmp";
  const std::string aLink = ".Settings.sav." + gone + ".76543210.tmp";
  std::vector<std::string> kept{"CV SavedTable.sav", aFolder, aLink};
  for (const auto& row : rows) {
    folder.Write(row.name, "x");
    if (!row.removed) kept.push_back(row.name);
  }
  std::filesystem::create_directory(folder.File(aFolder));
  std::filesystem::create_symlink(folder.File("Settings.sav"), folder.File(aLink));

  // The five rows and the crashed save's own file.
  EXPECT_EQ(RemoveInterruptedSaves(folder.File("")), 6);
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(folder.Names(), kept);
  EXPECT_EQ(folder.Read("CV SavedTable.sav"), "the old table");
}

}  // namespace
}  // namespace corvane
