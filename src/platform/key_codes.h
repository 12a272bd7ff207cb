// The keys as the game sees them: Windows virtual-key codes and shift bits, whatever the host.
#pragma once

namespace corvane {

// Key codes (Windows virtual-key codes) used by the game.
enum KeyCodes : int {
  kKeyBack = 8,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeyShift = 16,
  kKeyControl = 17,
  kKeyAlt = 18,
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyDelete = 46,
  kKeyF1 = 112,
  kKeyF2 = 113,
  kKeyF3 = 114,
  kKeyF4 = 115,
  // A letter's key code is its capital: the letters that move through lists and answer questions.
  kKeyI = 'I',
  kKeyJ = 'J',
  kKeyK = 'K',
  kKeyL = 'L',
  kKeyN = 'N',
  kKeyY = 'Y',
  // The punctuation keys, by their characters on a US keyboard.
  kKeySemicolon = 186,  // ";" and, shifted, ":"
  kKeyComma = 188,
  kKeyMinus = 189,
  kKeyPeriod = 190,
  kKeyLeftBracket = 219,
  kKeyRightBracket = 221,
};
// The shift bits of a key press.
enum ShiftBits : int { kShift = 1, kControl = 2, kAlt = 4 };

// A command key is the shift state times kShiftStep plus the key code: Shift-M is 1077, Control-Up
// 2038.
inline constexpr int kShiftStep = 1000;
constexpr int CommandKeyOf(int shift, int keyCode) {
  return shift * kShiftStep + keyCode;
}

}  // namespace corvane
