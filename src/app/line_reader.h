// A few lines read one at a time with the keys, like a short document: the help's keystroke list
// and game descriptions, and the last hand read again.
#pragma once

#include <string>
#include <vector>

#include "speech/keyboard.h"
#include "speech/speech.h"

namespace corvane {

// Whether the lines read enter the phrase history.
enum class LineHistory { kRecorded, kNotRecorded };

// Reads lines[1..] (entry 0 unused): Up, Left, I or J the line before; Down, Right, K or L the
// next; Home the first; End the last; any other key the current line again; Escape leaves. Nothing
// is said before the first key, which for Up or Down is line 1. The keyboard is given back as it
// was found, so a pause that the reader interrupted goes on as before.
void ReadLines(Keyboard& keyboard, Speech& speech, const std::vector<std::string>& lines,
               LineHistory history);

}  // namespace corvane
