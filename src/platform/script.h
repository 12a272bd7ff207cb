// Scripts for the headless host: one item per line; blank lines and lines starting with "#" are
// ignored.
//
//   key K1 K2 ...        each key answers, in turn, the next prompt the game waits at
//   now K                K is delivered the next moment the game processes events
//   expect TEXT          run until a spoken line contains TEXT (the rest of the line after one
//                        blank, case-sensitive)
//   on TEXT => K1 K2 ... from here on, whenever a spoken line contains TEXT, queue K1.. as answers
//
// Blanks are spaces or tabs. A byte-order mark at the start is skipped. Key names are those of
// key_names.h. An unknown item or key name, or a line longer than kLongestScriptLine characters,
// is a ScriptError naming the line.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_names.h"

namespace corvane {

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ScriptItem {
  enum class Kind { Key, Now, Expect, On };
  Kind kind = Kind::Key;
  std::vector<KeyStroke> keys;  // Key, Now (one key) and On
  std::string text;             // Expect and On
  int line = 0;                 // where the item stands in the script, from 1
};

struct Script {
  std::vector<ScriptItem> items;
};

inline constexpr std::size_t kLongestScriptLine = 4096;

// Reads a whole script; `source` names it in error messages ("script line 3: ...").
Script ParseScript(std::istream& in, std::string_view source = "script");
Script ParseScriptText(std::string_view text, std::string_view source = "script");
// Reads the script file at `path`; a path that is not a readable regular file is a ScriptError.
Script ReadScriptFile(const std::string& path);

}  // namespace corvane
