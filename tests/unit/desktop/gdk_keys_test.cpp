#include "platform/desktop/gdk_keys.h"

#include <gdk/gdk.h>
#include <gtest/gtest.h>

namespace corvane {
namespace {

KeyStroke Key(unsigned keyval, unsigned base, unsigned state) {
  const std::optional<KeyStroke> key = KeyFromGdkEvent(keyval, base, state);
  EXPECT_TRUE(key.has_value());
  return key.value_or(KeyStroke{});
}

TEST(GdkKeys, LettersAreCapitalCodesWhateverTheCase) {
  EXPECT_EQ(Key(GDK_KEY_m, GDK_KEY_m, 0), (KeyStroke{77, 0}));
  EXPECT_EQ(Key(GDK_KEY_M, GDK_KEY_m, GDK_SHIFT_MASK), (KeyStroke{77, 1}));
  EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_a), 65);
  EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_Z), 90);
}

TEST(GdkKeys, ShiftedDigitsAndPunctuationKeepTheirKey) {
  EXPECT_EQ(Key(GDK_KEY_exclam, GDK_KEY_1, GDK_SHIFT_MASK), (KeyStroke{49, 1}));
  EXPECT_EQ(Key(GDK_KEY_less, GDK_KEY_comma, GDK_SHIFT_MASK), (KeyStroke{188, 1}));
  EXPECT_EQ(Key(GDK_KEY_colon, GDK_KEY_semicolon, GDK_SHIFT_MASK), (KeyStroke{186, 1}));
  // Without the base value, the shifted character names the same key.
  EXPECT_EQ(Key(GDK_KEY_question, 0, GDK_SHIFT_MASK), (KeyStroke{191, 1}));
}

TEST(GdkKeys, ModifierBits) {
  EXPECT_EQ(Key(GDK_KEY_0, GDK_KEY_0, GDK_CONTROL_MASK), (KeyStroke{48, 2}));
  EXPECT_EQ(Key(GDK_KEY_F4, GDK_KEY_F4, GDK_MOD1_MASK), (KeyStroke{115, 4}));
  EXPECT_EQ(Key(GDK_KEY_Up, GDK_KEY_Up, GDK_CONTROL_MASK | GDK_SHIFT_MASK), (KeyStroke{38, 3}));
  // Other modifiers (Num Lock, Super) add nothing.
  EXPECT_EQ(Key(GDK_KEY_Down, GDK_KEY_Down, GDK_MOD2_MASK | GDK_SUPER_MASK), (KeyStroke{40, 0}));
  // Shift-Tab arrives as ISO_Left_Tab.
  EXPECT_EQ(Key(GDK_KEY_ISO_Left_Tab, GDK_KEY_Tab, GDK_SHIFT_MASK), (KeyStroke{9, 1}));
}

TEST(GdkKeys, ModifiersAloneCountThemselves) {
  EXPECT_EQ(Key(GDK_KEY_Shift_L, GDK_KEY_Shift_L, 0), (KeyStroke{16, 1}));
  EXPECT_EQ(Key(GDK_KEY_Control_R, GDK_KEY_Control_R, 0), (KeyStroke{17, 2}));
  EXPECT_EQ(Key(GDK_KEY_Alt_L, GDK_KEY_Alt_L, 0), (KeyStroke{18, 4}));
}

TEST(GdkKeys, NavigationAndEditingKeys) {
  const std::pair<unsigned, int> keys[] = {
      {GDK_KEY_Page_Up, 33},       {GDK_KEY_Page_Down, 34},    {GDK_KEY_End, 35},
      {GDK_KEY_Home, 36},          {GDK_KEY_Left, 37},         {GDK_KEY_Up, 38},
      {GDK_KEY_Right, 39},         {GDK_KEY_Down, 40},         {GDK_KEY_Delete, 46},
      {GDK_KEY_BackSpace, 8},      {GDK_KEY_Return, 13},       {GDK_KEY_Escape, 27},
      {GDK_KEY_space, 32},         {GDK_KEY_Tab, 9},           {GDK_KEY_F1, 112},
      {GDK_KEY_F12, 123},          {GDK_KEY_comma, 188},       {GDK_KEY_period, 190},
      {GDK_KEY_equal, 187},        {GDK_KEY_minus, 189},       {GDK_KEY_slash, 191},
      {GDK_KEY_grave, 192},        {GDK_KEY_bracketleft, 219}, {GDK_KEY_backslash, 220},
      {GDK_KEY_bracketright, 221}, {GDK_KEY_apostrophe, 222},  {GDK_KEY_semicolon, 186},
      {GDK_KEY_KP_Enter, 13}};
  for (const auto& [keyval, code] : keys) {
    EXPECT_EQ(VirtualKeyFromKeyval(keyval), code) << keyval;
  }
}

TEST(GdkKeys, TheKeypadIsTakenAsSent) {
  // With Num Lock the keypad's 7 is a digit, without it Home.
  EXPECT_EQ(Key(GDK_KEY_KP_7, GDK_KEY_KP_Home, GDK_MOD2_MASK), (KeyStroke{55, 0}));
  EXPECT_EQ(Key(GDK_KEY_KP_Home, GDK_KEY_KP_Home, 0), (KeyStroke{36, 0}));
}

TEST(GdkKeys, KeysWithoutACodeAreDropped) {
  EXPECT_FALSE(KeyFromGdkEvent(GDK_KEY_Super_L, GDK_KEY_Super_L, 0).has_value());
  EXPECT_FALSE(KeyFromGdkEvent(GDK_KEY_eacute, GDK_KEY_eacute, 0).has_value());
}

}  // namespace
}  // namespace corvane
