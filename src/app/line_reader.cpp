#include "app/line_reader.h"

#include <algorithm>
#include <initializer_list>

#include "platform/key_codes.h"

namespace corvane {

namespace {

bool IsOneOf(int key, std::initializer_list<int> keys) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

void ReadLines(Keyboard& keyboard, Speech& speech, const std::vector<std::string>& lines,
               LineHistory history) {
  const int last = std::max(static_cast<int>(lines.size()) - 1, 0);
  const std::string prefix = history == LineHistory::kRecorded ? "" : "???";
  int position = 0;

  const bool wasWaiting = keyboard.InputWaiting;
  for (;;) {
    const int key = keyboard.AwaitKey().code;
    if (key == kKeyEscape) break;
    if (IsOneOf(key, {kKeyI, kKeyJ, kKeyLeft, kKeyUp})) {
      position = std::max(position - 1, 1);
    } else if (IsOneOf(key, {kKeyK, kKeyL, kKeyRight, kKeyDown})) {
      position = std::min(position + 1, last);
    } else if (key == kKeyHome) {
      position = 1;
    } else if (key == kKeyEnd) {
      position = last;
    }
    speech.StopSpeech();
    if (position >= 1 && position <= last) {
      speech.speak(prefix + lines[static_cast<std::size_t>(position)]);
    }
  }
  keyboard.InputWaiting = wasWaiting;
}

}  // namespace corvane
