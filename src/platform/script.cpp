#include "platform/script.h"

#include <sstream>

namespace corvane {

namespace {

[[noreturn]] void Fail(std::string_view source, int line, const std::string& what) {
  throw ScriptError(std::string(source) + " line " + std::to_string(line) + ": " + what);
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

ScriptItem ParseLine(std::string_view text, std::string_view source, int line) {
  ScriptItem item;
  item.line = line;
  const std::size_t blank = text.find(' ');
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
    // The keys never contain " => ", so the last one separates the text from the keys.
    const std::size_t arrow = rest.rfind(" => ");
    if (arrow == std::string_view::npos) Fail(source, line, "\"on\" needs \"TEXT => KEYS\"");
    item.text = std::string(rest.substr(0, arrow));
    if (item.text.empty()) Fail(source, line, "\"on\" needs a text before \"=>\"");
    item.keys = ParseKeys(rest.substr(arrow + 4), source, line);
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
  int line = 0;
  while (std::getline(in, text)) {
    ++line;
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

}  // namespace corvane
