// Reading the game's files from a real folder: what is not a plain file of a sensible size is
// refused at once, without waiting and without being read, and everything refused is left as it
// is.
#include "platform/data_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "store/saved_table_file.h"
#include "store/settings_file.h"
#include "store/table_setup_file.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

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

// What lies at path: its type and, for a regular file, its size and first bytes.
std::string Snapshot(const std::string& path) {
  std::error_code error;
  const auto type = std::filesystem::symlink_status(path, error).type();
  std::string snapshot = std::to_string(static_cast<int>(type));
  if (type != std::filesystem::file_type::regular) return snapshot;
  std::ifstream in(path, std::ios::binary);
  std::string head(64, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return snapshot + " " + std::to_string(std::filesystem::file_size(path)) + " " + head;
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

enum class Kind { kPipe, kHuge, kFolder, kBytes, kNothing };

struct Row {
  const char* name;
  Kind kind;
  std::string bytes;  // the content of a kBytes file
  FileRead expected;
};

TEST(DataFile, EachFileIsReadOrRefusedAtOnceAndLeftAsItIs) {
  constexpr auto kThreeGigabytes = 3ull << 30;
  const Row rows[] = {
      {"Settings.sav", Kind::kPipe, "", FileRead::kRefused},
      {"CV config.ini", Kind::kPipe, "", FileRead::kRefused},
      {"CV PokerSettings.sav", Kind::kPipe, "", FileRead::kRefused},
      {"CV SavedTable.sav", Kind::kPipe, "", FileRead::kRefused},
      {"CV SavedTable.sav", Kind::kHuge, "", FileRead::kRefused},
      {"CV config.ini", Kind::kHuge, "", FileRead::kRefused},
      {"Settings.sav", Kind::kFolder, "", FileRead::kRefused},
      {"Settings.sav", Kind::kBytes, "Settings.s", FileRead::kRefused},
      {"CV config.ini", Kind::kBytes, "0,95\r\n", FileRead::kRefused},
      {"CV PokerSettings.sav", Kind::kBytes, std::string(36, ' '), FileRead::kRefused},
      {"CV SavedTable.sav", Kind::kBytes, Bytes({2, 0, 'A'}), FileRead::kRefused},
      {"Settings.sav", Kind::kBytes, Bytes({0x48, 0xF4, 0, 0, 37, 0, 39, 0, 0, 0}),
       FileRead::kRead},
      {"CV config.ini", Kind::kBytes, "0,95,1\r\n", FileRead::kRead},
      {"Settings.sav", Kind::kNothing, "", FileRead::kMissing},
      {"CV SavedTable.sav", Kind::kNothing, "", FileRead::kMissing},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " kind " + std::to_string(static_cast<int>(row.kind)));
    TestFolder folder;
    const std::string path = folder.File(row.name);
    switch (row.kind) {
      case Kind::kPipe:
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        break;
      case Kind::kHuge:
        folder.Write(row.name, "");
        std::filesystem::resize_file(path, kThreeGigabytes);
        break;
      case Kind::kFolder:
        std::filesystem::create_directory(path);
        break;
      case Kind::kBytes:
        folder.Write(row.name, row.bytes);
        break;
      case Kind::kNothing:
        break;
    }
    const std::string before = Snapshot(path);
    const long long readBefore = BytesReadByProcess();
    EXPECT_EQ(Load(row.name, path), row.expected);
    EXPECT_LT(BytesReadByProcess() - readBefore, 1 << 20);
    EXPECT_EQ(Snapshot(path), before);
  }
}

}  // namespace
}  // namespace corvane
