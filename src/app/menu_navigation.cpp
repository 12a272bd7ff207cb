#include "app/menu_navigation.h"

#include <algorithm>

namespace corvane {

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

int WaitForRowKey(Keyboard& keyboard) {
  keyboard.KeyShift = 0;
  keyboard.AwaitKey();
  return keyboard.CommandKey();
}

}  // namespace corvane
