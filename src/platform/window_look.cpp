#include "platform/window_look.h"

#include <algorithm>

namespace corvane {

int LargerFont(int points) {
  const auto* next = std::upper_bound(kFontPointSteps.begin(), kFontPointSteps.end(), points);
  return next == kFontPointSteps.end() ? std::max(points, kLargestFontPoints) : *next;
}

int SmallerFont(int points) {
  const auto* next = std::lower_bound(kFontPointSteps.begin(), kFontPointSteps.end(), points);
  return next == kFontPointSteps.begin() ? std::min(points, kSmallestFontPoints) : *(next - 1);
}

bool LookWithinRange(const WindowLook& look) {
  const auto side = [](int pixels) {
    return pixels >= kSmallestWindowSide && pixels <= kLargestWindowSide;
  };
  const bool defaultSize = look.width == 0 && look.height == 0;
  return look.fontPoints >= kSmallestFontPoints && look.fontPoints <= kLargestFontPoints &&
         (defaultSize || (side(look.width) && side(look.height)));
}

}  // namespace corvane
