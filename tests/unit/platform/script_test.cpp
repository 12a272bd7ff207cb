#include "platform/script.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "unit/store/test_folder.h"

namespace corvane {
namespace {

std::string ErrorOf(const std::string& text) {
  try {
    ParseScriptText(text);
  } catch (const ScriptError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ScriptParser, ReadsEachKindOfItem) {
  const Script script = ParseScriptText(
      "# a comment\n"
      "\n"
      "key Down Shift+M Ctrl+0\n"
      "now Alt+F4\n"
      "expect Select from Menu\n"
      "on What would you like to do? => C Enter\n");
  ASSERT_EQ(script.items.size(), 4u);

  EXPECT_EQ(script.items[0].kind, ScriptItem::Kind::Key);
  EXPECT_EQ(script.items[0].line, 3);
  ASSERT_EQ(script.items[0].keys.size(), 3u);
  EXPECT_EQ(script.items[0].keys[0], (KeyStroke{40, 0}));
  EXPECT_EQ(script.items[0].keys[1], (KeyStroke{'M', 1}));
  EXPECT_EQ(script.items[0].keys[2], (KeyStroke{'0', 2}));

  EXPECT_EQ(script.items[1].kind, ScriptItem::Kind::Now);
  EXPECT_EQ(script.items[1].line, 4);
  ASSERT_EQ(script.items[1].keys.size(), 1u);
  EXPECT_EQ(script.items[1].keys[0], (KeyStroke{115, 4}));

  EXPECT_EQ(script.items[2].kind, ScriptItem::Kind::Expect);
  EXPECT_EQ(script.items[2].text, "Select from Menu");
  EXPECT_EQ(script.items[2].line, 5);

  EXPECT_EQ(script.items[3].kind, ScriptItem::Kind::On);
  EXPECT_EQ(script.items[3].text, "What would you like to do?");
  ASSERT_EQ(script.items[3].keys.size(), 2u);
  EXPECT_EQ(script.items[3].keys[0], (KeyStroke{'C', 0}));
  EXPECT_EQ(script.items[3].keys[1], (KeyStroke{13, 0}));
}

TEST(ScriptParser, ExpectTextIsTheRestOfTheLineAfterOneBlank) {
  const Script script = ParseScriptText("expect  two blanks, and a trailing one \n");
  ASSERT_EQ(script.items.size(), 1u);
  EXPECT_EQ(script.items[0].text, " two blanks, and a trailing one ");
}

TEST(ScriptParser, RuleTextMayHoldAnArrow) {
  const Script script = ParseScriptText("on a => b => Y\n");
  ASSERT_EQ(script.items.size(), 1u);
  EXPECT_EQ(script.items[0].text, "a => b");
  ASSERT_EQ(script.items[0].keys.size(), 1u);
  EXPECT_EQ(script.items[0].keys[0], (KeyStroke{'Y', 0}));
}

TEST(ScriptParser, WindowsLineEndingsAndIndentedCommentsAreAccepted) {
  const Script script = ParseScriptText("  # note\r\nkey X\r\n\r\nexpect Bye\r\n");
  ASSERT_EQ(script.items.size(), 2u);
  EXPECT_EQ(script.items[1].text, "Bye");
  EXPECT_EQ(script.items[1].line, 4);
}

TEST(ScriptParser, EmptyScriptHasNoItems) {
  EXPECT_TRUE(ParseScriptText("").items.empty());
  EXPECT_TRUE(ParseScriptText("# only\n\n   \n").items.empty());
}

TEST(ScriptParser, AnUnknownKeyNameNamesItsLine) {
  EXPECT_EQ(ErrorOf("key Down\n\nkey Up Sideways\n"),
            "script line 3: unknown key name \"Sideways\"");
  EXPECT_EQ(ErrorOf("now enter\n"), "script line 1: unknown key name \"enter\"");
  EXPECT_EQ(ErrorOf("# c\non Hi => Q Bogus\n"), "script line 2: unknown key name \"Bogus\"");
}

TEST(ScriptParser, AnUnknownItemNamesItsLine) {
  EXPECT_EQ(ErrorOf("key A\npress B\n"), "script line 2: unknown item \"press\"");
  EXPECT_EQ(ErrorOf("Key A\n"), "script line 1: unknown item \"Key\"");
}

TEST(ScriptParser, IncompleteItemsAreErrors) {
  EXPECT_EQ(ErrorOf("key\n"), "script line 1: \"key\" needs at least one key");
  EXPECT_EQ(ErrorOf("key   \n"), "script line 1: \"key\" needs at least one key");
  EXPECT_EQ(ErrorOf("now A B\n"), "script line 1: \"now\" takes exactly one key");
  EXPECT_EQ(ErrorOf("now\n"), "script line 1: \"now\" takes exactly one key");
  EXPECT_EQ(ErrorOf("expect\n"), "script line 1: \"expect\" needs a text");
  EXPECT_EQ(ErrorOf("on Hello\n"), "script line 1: \"on\" needs \"TEXT => KEYS\"");
  EXPECT_EQ(ErrorOf("on Hello =>\n"), "script line 1: \"on\" needs \"TEXT => KEYS\"");
  EXPECT_EQ(ErrorOf("on Hello =>   \n"),
            "script line 1: \"on\" needs at least one key after \"=>\"");
}

TEST(ScriptParser, TheSourceNameStartsTheMessage) {
  try {
    ParseScriptText("key Nope\n", "menu.script");
    FAIL() << "no error";
  } catch (const ScriptError& error) {
    EXPECT_EQ(std::string(error.what()), "menu.script line 1: unknown key name \"Nope\"");
  }
}

TEST(ScriptParser, TabsByteOrderMarksAndWhatCannotBeAScript) {
  TestFolder folder;
  folder.Write("tabs.script", "key\tDown\t Up\nexpect\tSelect\non Hi\t=>\tY\n");
  folder.Write("bom.script", "\xEF\xBB\xBFkey X\n");
  folder.Write("long.script", "key X\n#" + std::string(kLongestScriptLine, 'a') + "\n");
  std::filesystem::create_directory(folder.File("folder"));
  ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
  struct Row {
    std::string path;
    std::string outcome;  // the error, or the items read
  };
  const std::vector<Row> rows = {
      {folder.File("tabs.script"), "key 2, expect Select 0, on Hi 1"},
      {folder.File("bom.script"), "key 1"},
      {folder.File("long.script"), "script line 2: the line is longer than 4096 characters"},
      {folder.File("folder"), "the script " + folder.File("folder") + " is not a regular file"},
      {"/dev/zero", "the script /dev/zero is not a regular file"},
      {folder.File("fifo"), "the script " + folder.File("fifo") + " is not a regular file"},
      {folder.File("missing"), "cannot open the script " + folder.File("missing")},
      // A regular file whose first read fails.
      {"/proc/self/mem", "script line 1: the script cannot be read"},
  };
  for (const Row& row : rows) {
    std::string outcome;
    try {
      // Each item as its kind, its text and its number of keys.
      for (const ScriptItem& item : ReadScriptFile(row.path).items) {
        static constexpr const char* kKinds[] = {"key", "now", "expect", "on"};
        outcome += std::string(outcome.empty() ? "" : ", ") + kKinds[static_cast<int>(item.kind)] +
                   (item.text.empty() ? "" : " " + item.text) + " " +
                   std::to_string(item.keys.size());
      }
    } catch (const ScriptError& error) {
      outcome = error.what();
    }
    EXPECT_EQ(outcome, row.outcome) << row.path;
  }
  // Standard input may be endless too: its first line ends at the limit.
  std::ifstream zeros("/dev/zero", std::ios::binary);
  try {
    ParseScript(zeros);
    ADD_FAILURE() << "an endless line was read";
  } catch (const ScriptError& error) {
    EXPECT_STREQ(error.what(), "script line 1: the line is longer than 4096 characters");
  }
}

}  // namespace
}  // namespace corvane
