#include "store/atomic_file.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corvane
