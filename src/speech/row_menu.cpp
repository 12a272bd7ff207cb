// The menus of rows: the main menu and the game selection, asked of the person whose prompts they
// are. Their rows are spoken as plain phrases (they enter the phrase history) and the cursor stops
// at either end, where the other menus speak their question again.
#include <algorithm>

#include "speech/prompts.h"

namespace corvane {

namespace {

// Moves `current` (1..last) by a navigation key; false when `key` is not one.
bool MoveByNavigationKey(int key, int& current, int last) {
  switch (key) {
    case kKeyHome:
      current = 1;
      return true;
    case kKeyEnd:
      current = last;
      return true;
    case kKeyLeft:
    case kKeyUp:
      current = std::max(1, current - 1);
      return true;
    case kKeyRight:
    case kKeyDown:
      current = std::min(last, current + 1);
      return true;
    default:
      return false;
  }
}

}  // namespace

RowAnswer Prompts::ChooseRow(const std::vector<MenuRow>& rows, int& current, RowKeys keys) {
  const int last = static_cast<int>(rows.size()) - 1;
  for (;;) {
    int key = WaitForKey().command();
    if (keys == RowKeys::IgnoringShift) key %= kShiftStep;
    if (MoveByNavigationKey(key, current, last)) {
      speech_.StopSpeech();
      speech_.speak(rows[static_cast<std::size_t>(current)].text);
      continue;
    }
    if (key == kKeyEnter) return {current, key};
    for (int row = 1; row <= last; ++row) {
      if (rows[static_cast<std::size_t>(row)].key == key) {
        current = row;
        return {row, key};
      }
    }
    return {0, key};
  }
}

}  // namespace corvane
