// The help files that ship beside the program: help.html must stay usable with a screen reader,
// and both files must cover the keys, the games and the files of the game, section for section.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {
namespace {

std::string ReadSource(const std::string& name) {
  std::ifstream in(std::string(CORVANE_SOURCE_DIR) + "/assets/help/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs of white space made one blank.
std::string OneBlank(const std::string& text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    const bool space = c == ' ' || c == '\n' || c == '\r' || c == '\t';
    if (space && blank) continue;
    out.push_back(space ? ' ' : c);
    blank = space;
  }
  return out;
}

// The text a reader hears: tags removed, the page's entities turned back into characters.
std::string VisibleText(const std::string& html) {
  std::string text;
  bool in_tag = false;
  for (char c : html) {
    if (c == '<') in_tag = true;
    if (!in_tag) text.push_back(c);
    if (c == '>') in_tag = false;
  }
  for (const auto& [entity, character] :
       {std::pair{"&amp;", "&"}, std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"}}) {
    for (auto at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1)) {
      text.replace(at, std::string_view(entity).size(), character);
    }
  }
  return OneBlank(text);
}

// Every text between before and after, in order.
std::vector<std::string> All(const std::string& text, const std::string& before,
                             const std::string& after) {
  std::vector<std::string> found;
  for (auto at = text.find(before); at != std::string::npos; at = text.find(before, at)) {
    at += before.size();
    const auto end = text.find(after, at);
    if (end == std::string::npos) break;
    found.push_back(text.substr(at, end - at));
    at = end + after.size();
  }
  return found;
}

// The titles of the page's sections, "<h2 id=...>Title</h2>".
std::vector<std::string> SectionTitles(const std::string& html) {
  std::vector<std::string> titles;
  for (const auto& inner : All(html, "<h2 id=\"", "</h2>")) {
    titles.push_back(inner.substr(inner.find('>') + 1));
  }
  return titles;
}

TEST(HelpFiles, ThePageHasALanguageATitleAndNoImages) {
  const std::string html = ReadSource("help.html");
  EXPECT_NE(html.find("<!DOCTYPE html>"), std::string::npos);
  EXPECT_NE(html.find("<html lang=\"en\">"), std::string::npos);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("<title>Corvane Help</title>"), std::string::npos);
  EXPECT_EQ(html.find("<img"), std::string::npos);
  EXPECT_EQ(All(html, "<h1", "</h1>").size(), 1u);
}

TEST(HelpFiles, EveryLinkOfThePageLeadsToASection) {
  const std::string html = ReadSource("help.html");
  const auto ids = All(html, "id=\"", "\"");
  const auto links = All(html, "href=\"#", "\"");
  EXPECT_GE(links.size(), 15u);
  for (const auto& link : links) {
    EXPECT_NE(std::find(ids.begin(), ids.end(), link), ids.end()) << link;
  }
}

TEST(HelpFiles, TheTextFileHasTheSectionsOfThePageInOrder) {
  const std::string html = ReadSource("help.html");
  const std::string text = ReadSource("Corvane.txt");
  auto titles = SectionTitles(html);
  titles.erase(std::remove(titles.begin(), titles.end(), "Contents"), titles.end());
  ASSERT_EQ(titles.size(), 15u);
  std::size_t from = text.find("\n1. " + titles[0] + "\n---");
  ASSERT_NE(from, std::string::npos) << titles[0];
  for (std::size_t i = 1; i < titles.size(); ++i) {
    const std::string heading = "\n" + std::to_string(i + 1) + ". " + titles[i] + "\n---";
    const std::size_t at = text.find(heading, from);
    EXPECT_NE(at, std::string::npos) << titles[i];
    if (at != std::string::npos) from = at;
  }
}

TEST(HelpFiles, TheTextFileIsPlainAsciiInShortLines) {
  const std::string text = ReadSource("Corvane.txt");
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    EXPECT_LE(line.size(), 78u) << "line " << number;
    for (unsigned char c : line) EXPECT_TRUE(c >= 32 && c < 127) << "line " << number;
  }
  EXPECT_TRUE(text.ends_with("\n"));
}

TEST(HelpFiles, BothCoverTheKeysTheGamesAndTheFiles) {
  const std::vector<std::string> needed = {
      // Keys.
      "Shift+F2", "F1", "F2", "F3", "Tab", "Control+Up", "Control+Down", "Control+0", "Control+1",
      "Control+2", "Control+3", "Page Up", "Shift+Page Up", "Shift+M", "Shift+S", "J, K, L",
      "Alt+F4", "Escape", "Space", "Home", "Delete",
      // Games and menus.
      "Seven Card Stud", "Five Card Draw", "Five Card Stud", "Kings and Little Ones",
      "Follow the Queen", "Texas Holdem", "Build a Poker Game, B", "Deal New Hand, D",
      "Save Table, and Return to Main Menu, A", "What would you like to do?",
      // Files, folders and speech.
      "Settings.sav", "CV config.ini", "CV PokerSettings.sav", "CV SavedTable.sav", ".gam",
      "APPDATA", "XDG_DATA_HOME", ".local/share", "speech-dispatcher", "espeak-ng", "Braille"};
  const std::string page = VisibleText(ReadSource("help.html"));
  const std::string text = OneBlank(ReadSource("Corvane.txt"));
  for (const auto& phrase : needed) {
    EXPECT_NE(page.find(phrase), std::string::npos) << "help.html lacks " << phrase;
    EXPECT_NE(text.find(phrase), std::string::npos) << "Corvane.txt lacks " << phrase;
  }
}

}  // namespace
}  // namespace corvane
