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

TEST(HelpFiles, ThePageReadsWellAndTheTextFileHoldsItsSectionsInOrder) {
  const std::string html = ReadSource("help.html");
  for (const char* needed : {"<!DOCTYPE html>", "<html lang=\"en\">", "<meta charset=\"utf-8\">",
                             "<title>Corvane Help</title>"}) {
    EXPECT_NE(html.find(needed), std::string::npos) << needed;
  }
  EXPECT_EQ(html.find("<img"), std::string::npos);
  EXPECT_EQ(All(html, "<h1", "</h1>").size(), 1u);
  // Every link leads to a section.
  const auto ids = All(html, "id=\"", "\"");
  const auto links = All(html, "href=\"#", "\"");
  EXPECT_GE(links.size(), 15u);
  for (const auto& link : links)
    EXPECT_NE(std::find(ids.begin(), ids.end(), link), ids.end()) << link;

  // The sections of the page, "<h2 id=...>Title</h2>", are numbered in the text file in order.
  const std::string text = ReadSource("Corvane.txt");
  std::size_t from = 0;
  int number = 0;
  for (const auto& inner : All(html, "<h2 id=\"", "</h2>")) {
    const std::string title = inner.substr(inner.find('>') + 1);
    if (title == "Contents") continue;
    const std::size_t at =
        text.find("\n" + std::to_string(++number) + ". " + title + "\n---", from);
    EXPECT_NE(at, std::string::npos) << title;
    if (at != std::string::npos) from = at;
  }
  EXPECT_EQ(number, 15);
  // Plain ASCII in lines a Braille display shows whole.
  std::istringstream lines(text);
  number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    EXPECT_LE(line.size(), 78u) << "line " << number;
    for (unsigned char c : line) EXPECT_TRUE(c >= 32 && c < 127) << "line " << number;
  }
  EXPECT_TRUE(text.ends_with("\n"));
}

}  // namespace
}  // namespace corvane
