#include "platform/script.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace corvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

[[noreturn]] void Fail(std::string_view source, int line, const std::string& what) {
  throw ScriptError(std::string(source) + " line " + std::to_string(line) + ": " + what);
}

// Reads line `line` without its line feed into `text`; false at the end of the script. A line
// longer than kLongestScriptLine, or a failing read, is an error, so that an endless source
// (/dev/zero) ends at once.
bool ReadLine(std::istream& in, std::string& text, std::string_view source, int line) {
  text.clear();
  using Traits = std::istream::traits_type;
  for (Traits::int_type c = in.get(); !Traits::eq_int_type(c, Traits::eof()); c = in.get()) {
    if (Traits::to_char_type(c) == '\n') return true;
    if (text.size() == kLongestScriptLine) {
      Fail(source, line,
           "the line is longer than " + std::to_string(kLongestScriptLine) + " characters");
    }
    text.push_back(Traits::to_char_type(c));
  }
  if (in.bad()) Fail(source, line, "the script cannot be read");
  return !text.empty();
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<KeyStroke> ParseKeys(std::string_view list, std::string_view source, int line) {
  std::vector<KeyStroke> keys;
  list = TrimBlanks(list);
  while (!list.empty()) {
    std::size_t end = 0;
    while (end < list.size() && !IsBlank(list[end])) ++end;
    const std::string_view name = list.substr(0, end);
    const std::optional<KeyStroke> key = KeyFromName(name);
    if (!key) Fail(source, line, "unknown key name \"" + std::string(name) + "\"");
    keys.push_back(*key);
    list = TrimBlanks(list.substr(end));
  }
  return keys;
}

// The position of the last "=>" with a blank on either side, or npos.
std::size_t FindArrow(std::string_view text) {
  for (std::size_t at = text.rfind("=>"); at != std::string_view::npos && at > 0;
       at = text.rfind("=>", at - 1)) {
    if (IsBlank(text[at - 1]) && at + 2 < text.size() && IsBlank(text[at + 2])) return at;
  }
  return std::string_view::npos;
}

ScriptItem ParseLine(std::string_view text, std::string_view source, int line) {
  ScriptItem item;
  item.line = line;
  const std::size_t blank = text.find_first_of(" \t");
  const std::string_view word = text.substr(0, blank);
  const std::string_view rest =
      blank == std::string_view::npos ? std::string_view{} : text.substr(blank + 1);
  if (word == "key") {
    item.kind = ScriptItem::Kind::Key;
    item.keys = ParseKeys(rest, source, line);
    if (item.keys.empty()) Fail(source, line, "\"key\" needs at least one key");
  } else if (word == "now") {
    item.kind = ScriptItem::Kind::Now;
    item.keys = ParseKeys(rest, source, line);
    if (item.keys.size() != 1) Fail(source, line, "\"now\" takes exactly one key");
  } else if (word == "expect") {
    item.kind = ScriptItem::Kind::Expect;
    item.text = std::string(rest);
    if (item.text.empty()) Fail(source, line, "\"expect\" needs a text");
  } else if (word == "on") {
    item.kind = ScriptItem::Kind::On;
    // The keys never contain "=>", so the last one separates the text from the keys.
    const std::size_t arrow = FindArrow(rest);
    if (arrow == std::string_view::npos) Fail(source, line, "\"on\" needs \"TEXT => KEYS\"");
    item.text = std::string(rest.substr(0, arrow - 1));
    if (item.text.empty()) Fail(source, line, "\"on\" needs a text before \"=>\"");
    item.keys = ParseKeys(rest.substr(arrow + 3), source, line);
    if (item.keys.empty()) Fail(source, line, "\"on\" needs at least one key after \"=>\"");
  } else {
    Fail(source, line, "unknown item \"" + std::string(word) + "\"");
  }
  return item;
}

}  // namespace

Script ParseScript(std::istream& in, std::string_view source) {
  Script script;
  std::string text;
  for (int line = 1; ReadLine(in, text, source, line); ++line) {
    // A byte-order mark before the first line is no part of it.
    if (line == 1 && std::string_view(text).starts_with(kByteOrderMark)) {
      text.erase(0, kByteOrderMark.size());
    }
    // Scripts written on Windows end their lines with a carriage return.
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::string_view view(text);
    while (!view.empty() && IsBlank(view.front())) view.remove_prefix(1);
    if (TrimBlanks(view).empty() || view.front() == '#') continue;
    script.items.push_back(ParseLine(view, source, line));
  }
  return script;
}

Script ParseScriptText(std::string_view text, std::string_view source) {
  std::istringstream in{std::string(text)};
  return ParseScript(in, source);
}

Script ReadScriptFile(const std::string& path) {
  // Only a regular file has an end: a folder, a device or a pipe is refused before it is opened.
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) {
    throw ScriptError("cannot open the script " + path);
  }
  if (!std::filesystem::is_regular_file(status)) {
    throw ScriptError("the script " + path + " is not a regular file");
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) throw ScriptError("cannot open the script " + path);
  return ParseScript(file);
}

}  // namespace corvane
