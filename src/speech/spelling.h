// Spelling aloud: a word, or the last thing spoken, one character at a time, each by its name in
// the character table. A key press stops the spelling.
#pragma once

#include <string>

#include "speech/prompts.h"
#include "speech/speech.h"

namespace corvane {

class Spelling {
 public:
  Spelling(Speech& speech, Prompts& prompts) : speech_(speech), prompts_(prompts) {}

  // wType is not used.
  void SpellWord(const std::string& phrase, int wType);
  void SpellLastThingSpoken();

 private:
  Speech& speech_;
  Prompts& prompts_;
};

}  // namespace corvane
