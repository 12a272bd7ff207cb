// The guards round the game's files in a real folder: what is not a plain file of a sensible size
// is refused at once without being read; a save that fails at any step keeps the old file and
// leaves nothing behind; the next start removes what saves cut short by a crash left.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/data_file.h"
#include "store/atomic_file.h"
#include "store/saved_table_file.h"
#include "store/settings_file.h"
#include "store/table_setup_file.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Bytes the process has read so far, through any call.
long long BytesReadByProcess() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long long value = 0;
  while (io >> key >> value) {
    if (key == "rchar:") return value;
  }
  return -1;
}

// What lies at path: its type and, for a regular file, its size.
std::string Snapshot(const std::string& path) {
  std::error_code error;
  const auto type = fs::symlink_status(path, error).type();
  return std::to_string(static_cast<int>(type)) +
         (type == fs::file_type::regular ? " " + std::to_string(fs::file_size(path)) : "");
}

// Each file through the loader the game reads it with.
FileRead Load(const std::string& name, const std::string& path) {
  UserSettings settings;
  TableSetupRecord setup;
  SavedTable table;
  if (name == "Settings.sav") return LoadSettings(path, settings);
  if (name == "CV config.ini") return LoadVoiceSettings(path, settings);
  if (name == "CV PokerSettings.sav") return LoadTableSetup(path, setup);
  return LoadSavedTable(path, table);
}

// What is not a plain file of a sensible size is refused without being read. (Missing and damaged
// files, and a folder in a file's place, are met by the scenarios.)
TEST(DataFileGuards, APipeOrAHugeFileIsRefusedAtOnceAndLeftAsItIs) {
  const struct {
    const char* name;
    bool pipe;  // else three gigabytes
  } rows[] = {
      {"Settings.sav", true},      {"CV config.ini", true},      {"CV PokerSettings.sav", true},
      {"CV SavedTable.sav", true}, {"CV SavedTable.sav", false}, {"CV config.ini", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + (row.pipe ? " pipe" : " huge"));
    TestFolder folder;
    const std::string path = folder.File(row.name);
    if (row.pipe) {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else {
      folder.Write(row.name, "");
      fs::resize_file(path, 3ull << 30);  // sparse: takes no room
    }
    const std::string before = Snapshot(path);
    const long long readBefore = BytesReadByProcess();
    EXPECT_EQ(Load(row.name, path), FileRead::kRefused);
    EXPECT_LT(BytesReadByProcess() - readBefore, 1 << 20);
    EXPECT_EQ(Snapshot(path), before);
  }
}

// The system's calls, with call number `failAt` of the one named `call` failing with `error`,
// and every write sending at most `chunk` bytes (0: all). `made` counts the calls of that name.
FileCalls Faulty(const std::string& call, int failAt, int error, std::size_t chunk, int& made) {
  const FileCalls real = SystemFileCalls();
  const auto fails = [call, failAt, error, &made](const char* name) {
    if (call != name || ++made != failAt) return false;
    errno = error;
    return true;
  };
  FileCalls c = real;
  c.open = [=](const char* path, int flags, mode_t mode) {
    return fails("open") ? -1 : real.open(path, flags, mode);
  };
  c.write = [=](int fd, const void* data, std::size_t size) -> ssize_t {
    return fails("write") ? -1 : real.write(fd, data, chunk > 0 ? std::min(size, chunk) : size);
  };
  c.fsync = [=](int fd) { return fails("fsync") ? -1 : real.fsync(fd); };
  c.close = [=](int fd) {
    const int closed = real.close(fd);
    return fails("close") ? -1 : closed;
  };
  c.rename = [=](const char* from, const char* to) {
    return fails("rename") ? -1 : real.rename(from, to);
  };
  return c;
}

TEST(DataFileGuards, ASaveThatFailsAtAnyStepKeepsTheOldFile) {
  const struct {
    const char* what;
    const char* path;  // in a folder that holds "a.sav" ("old") and the file "plain"
    const char* call;  // the call that fails, at its `failAt`th time
    int failAt, error;
    std::size_t chunk;  // the most bytes a write sends
    const char* said;   // the reason given; empty: saved
    int calls;          // of the call named, in all
  } rows[] = {
      {"a new file", "b.sav", "", 0, 0, 0, "", 0},
      {"the old file replaced whole", "a.sav", "", 0, 0, 0, "", 0},
      {"a folder that is a file", "plain/a.sav", "", 0, 0, 0, "Not a directory", 0},
      {"a missing folder", "nowhere/a.sav", "", 0, 0, 0, "No such file or directory", 0},
      {"the disk fills after five bytes", "a.sav", "write", 2, ENOSPC, 5, "No space left on device",
       2},
      {"short and interrupted writes are carried on", "a.sav", "write", 2, EINTR, 3, "", 5},
      {"the flush fails", "a.sav", "fsync", 1, EIO, 0, "Input/output error", 1},
      {"the close fails", "a.sav", "close", 1, EDQUOT, 0, "Disk quota exceeded", 1},
      {"the rename fails", "a.sav", "rename", 1, EROFS, 0, "Read-only file system", 1},
      {"a temporary name already taken is not reused", "a.sav", "open", 1, EEXIST, 0, "", 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TestFolder folder;
    folder.Write("a.sav", "old");
    folder.Write("plain", "I am a file");
    const auto names = folder.Names();
    int calls = 0;
    std::string error = "stale";
    const bool saved =
        WriteFileAtomically(folder.File(row.path), "0123456789", error,
                            Faulty(row.call, row.failAt, row.error, row.chunk, calls));
    EXPECT_EQ(error, row.said);
    EXPECT_EQ(calls, row.calls);
    EXPECT_EQ(saved, *row.said == '\0');
    if (saved) {
      EXPECT_EQ(folder.Read(row.path), "0123456789");
    } else {
      EXPECT_EQ(folder.Names(), names) << "nothing is left behind";
      EXPECT_EQ(folder.Read("a.sav"), "old");
    }
  }
}

// A save cut short by a crash: the process dies between writing its temporary file and renaming
// it. The next start removes that file, and only the temporary files of the game's own saves
// whose process is gone.
TEST(DataFileGuards, TheNextStartRemovesWhatInterruptedSavesLeft) {
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

  const std::string gone = "99999999";  // past the largest process number a system gives
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
  fs::create_directory(folder.File(aFolder));
  fs::create_symlink(folder.File("Settings.sav"), folder.File(aLink));

  // The five rows and the crashed save's own file.
  EXPECT_EQ(RemoveInterruptedSaves(folder.File("")), 6);
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(folder.Names(), kept);
  EXPECT_EQ(folder.Read("CV SavedTable.sav"), "the old table");
}

}  // namespace
}  // namespace corvane
