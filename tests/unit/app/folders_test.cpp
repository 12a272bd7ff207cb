// Where the user's files are kept, worked out from the environment against a real folder: never
// beside the program without a word.
#include "app/folders.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <iterator>
#include <optional>
#include <string>

#include "unit/store/test_folder.h"

namespace corvane {
namespace {

// Sets a variable, or removes it (nullopt).
void SetVariable(const char* name, const std::optional<std::string>& value) {
  if (value) {
    ::setenv(name, value->c_str(), 1);
  } else {
    ::unsetenv(name);
  }
}

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

TEST(Folders, TheDataFolderIsSaidWhenItIsNotWhereItBelongs) {
  TestFolder root;
  const std::string base = root.File("");
  root.Write("a file", "");
  std::filesystem::create_directory(root.File("tmp"));
  const std::string blocked = base + "a file/Corvane/";
  const std::string home = base + "home/.local/share/Corvane/";
  const std::string lost =
      " Settings, tables and games you save now last only until the game ends.";
  const std::optional<std::string> unset;
  const struct {
    std::optional<std::string> appdata, xdg, home;
    std::string folder;  // "temporary": a fresh folder in the temporary folder
    std::string note;
  } rows[] = {
      {base + "app", unset, base + "home", base + "app/Corvane/", ""},
      {unset, base + "xdg", base + "home", base + "xdg/Corvane/", ""},
      {"", "", base + "home", home, ""},
      {base + "a file", unset, base + "home", home,
       "Your files cannot be kept in " + blocked + ". They are kept in " + home + " instead."},
      {base + "a file", unset, unset, "temporary",
       "Your files cannot be kept in " + blocked + "." + lost},
      {unset, unset, unset, "temporary", "No home folder is set for your files." + lost},
  };
  const char* names[] = {"APPDATA", "XDG_DATA_HOME", "HOME", "TMPDIR"};
  std::optional<std::string> before[std::size(names)];
  for (std::size_t i = 0; i < std::size(names); ++i) before[i] = Variable(names[i]);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.note);
    SetVariable("APPDATA", row.appdata);
    SetVariable("XDG_DATA_HOME", row.xdg);
    SetVariable("HOME", row.home);
    SetVariable("TMPDIR", root.File("tmp"));
    Folders folders;
    folders.ProgramFolder = base + "program/";
    FindDataFolder(folders);
    EXPECT_EQ(folders.DataFolderNote, row.note);
    EXPECT_EQ(folders.TemporaryDataFolder, row.folder == "temporary");
    if (row.folder == "temporary") {
      EXPECT_EQ(folders.DataFolder.rfind(root.File("tmp/corvane-"), 0), 0u) << folders.DataFolder;
    } else {
      EXPECT_EQ(folders.DataFolder, row.folder);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folders.DataFolder));
    EXPECT_FALSE(std::filesystem::exists(folders.ProgramFolder));
  }
  for (std::size_t i = 0; i < std::size(names); ++i) SetVariable(names[i], before[i]);
}

}  // namespace
}  // namespace corvane
