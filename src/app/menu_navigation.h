// The row navigation of the main menu and the game selection menu: Home and End, Left and Up one
// row back, Right and Down one row on, never past either end.
#pragma once

#include "speech/keyboard.h"

namespace corvane {

// Handed to the row counter of the hand-built menus (Application::AddMenuRow): go on counting
// from the last row instead of starting again.
inline constexpr int kKeepCountingRows = -999;

// Moves `current` (1..last) by a navigation key; false when `key` is not one.
bool MoveByNavigationKey(int key, int& current, int last);

// Clears the stored key, then lets events run until a key is stored; returns it as a command key,
// CommandKeyOf(KeyShift, key code).
int WaitForRowKey(Keyboard& keyboard);

}  // namespace corvane
