// The help files that ship beside the program: help.html must stay usable with a screen reader
// (a language, a title, no images, links that lead somewhere), and Corvane.txt must hold the same
// sections in the same order, in plain ASCII lines that a Braille display shows whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

std::string ReadSource(const std::string& name) {
  std::ifstream in(std::string(CORVANE_SOURCE_DIR) + "/assets/help/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

}  // namespace
}  // namespace corvane
