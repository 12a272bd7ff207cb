#include "store/file_names.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "unit/store/test_folder.h"

namespace corvane {
namespace {

TEST(FileNames, TheExactNameIsUsedWhenItExists) {
  TestFolder folder;
  folder.Write("CV SavedTable.sav", "a");
  folder.Write("cv savedtable.sav", "b");
  const std::string dir = folder.File("");
  EXPECT_EQ(PathIgnoringCase(dir, "CV SavedTable.sav"), dir + "CV SavedTable.sav");
}

TEST(FileNames, AnotherCaseIsFound) {
  TestFolder folder;
  folder.Write("cv SAVEDtable.SAV", "a");
  const std::string dir = folder.File("");
  EXPECT_EQ(PathIgnoringCase(dir, "CV SavedTable.sav"), dir + "cv SAVEDtable.SAV");
  EXPECT_TRUE(FileExistsIgnoringCase(dir, "CV SavedTable.sav"));
}

TEST(FileNames, NoFileGivesTheNameAsWritten) {
  TestFolder folder;
  folder.Write("CV SavedTable.sa", "a");
  std::filesystem::create_directory(folder.File("cv savedtable.sav"));
  const std::string dir = folder.File("");
  EXPECT_EQ(PathIgnoringCase(dir, "CV SavedTable.sav"), dir + "CV SavedTable.sav");
  EXPECT_FALSE(FileExistsIgnoringCase(dir, "CV SavedTable.sav"));
  EXPECT_EQ(PathIgnoringCase(dir + "missing/", "Settings.sav"), dir + "missing/Settings.sav");
}

TEST(FileNames, SeveralSpellingsGiveTheFirstInNameOrder) {
  TestFolder folder;
  folder.Write("settings.sav", "a");
  folder.Write("SETTINGS.SAV", "b");
  const std::string dir = folder.File("");
  EXPECT_EQ(PathIgnoringCase(dir, "Settings.sav"), dir + "SETTINGS.SAV");
}

}  // namespace
}  // namespace corvane
