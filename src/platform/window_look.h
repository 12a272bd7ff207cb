// How the desktop shows the text window of the no-speech mode: the size of its letters and the
// size of the window that holds it, kept between runs for players with some sight.
#pragma once

#include <array>

namespace corvane {

// The sizes the letters step through with Control-Plus and Control-Minus, in points.
inline constexpr std::array kFontPointSteps{10, 12, 14, 16, 18, 20, 24, 28, 32,
                                            36, 42, 48, 56, 64, 72, 84, 96};
inline constexpr int kSmallestFontPoints = kFontPointSteps.front();
inline constexpr int kLargestFontPoints = kFontPointSteps.back();
inline constexpr int kDefaultFontPoints = 24;
// The window sides, in pixels, that are worth remembering.
inline constexpr int kSmallestWindowSide = 100;
inline constexpr int kLargestWindowSide = 20000;

struct WindowLook {
  int fontPoints = kDefaultFontPoints;
  // The window's size in pixels; 0 and 0 leave it at the desktop's own size.
  int width = 0;
  int height = 0;

  bool operator==(const WindowLook&) const = default;
};

// The next size up or down the steps from `points`, which need not be one of them; the largest
// and the smallest stay as they are.
int LargerFont(int points);
int SmallerFont(int points);

// True when every value lies where the desktop can have put it: the letters within the steps'
// bounds, the window's sides both 0 or both within the sides worth remembering.
bool LookWithinRange(const WindowLook& look);

}  // namespace corvane
