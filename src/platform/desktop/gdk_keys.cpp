#include "platform/desktop/gdk_keys.h"

#include <gdk/gdk.h>

namespace corvane {

int VirtualKeyFromKeyval(unsigned keyval) {
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return static_cast<int>(keyval - GDK_KEY_a) + 65;
  if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return static_cast<int>(keyval - GDK_KEY_A) + 65;
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return static_cast<int>(keyval - GDK_KEY_0) + 48;
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) {
    return static_cast<int>(keyval - GDK_KEY_KP_0) + 48;
  }
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) {
    return static_cast<int>(keyval - GDK_KEY_F1) + 112;
  }
  switch (keyval) {
    case GDK_KEY_BackSpace:
      return 8;
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab:
    case GDK_KEY_KP_Tab:
      return 9;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter:
      return 13;
    case GDK_KEY_Shift_L:
    case GDK_KEY_Shift_R:
      return 16;
    case GDK_KEY_Control_L:
    case GDK_KEY_Control_R:
      return 17;
    case GDK_KEY_Alt_L:
    case GDK_KEY_Alt_R:
    case GDK_KEY_Meta_L:
    case GDK_KEY_Meta_R:
    case GDK_KEY_ISO_Level3_Shift:
      return 18;
    case GDK_KEY_Pause:
      return 19;
    case GDK_KEY_Caps_Lock:
      return 20;
    case GDK_KEY_Escape:
      return 27;
    case GDK_KEY_space:
    case GDK_KEY_KP_Space:
      return 32;
    case GDK_KEY_Page_Up:
    case GDK_KEY_KP_Page_Up:
      return 33;
    case GDK_KEY_Page_Down:
    case GDK_KEY_KP_Page_Down:
      return 34;
    case GDK_KEY_End:
    case GDK_KEY_KP_End:
      return 35;
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home:
      return 36;
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left:
      return 37;
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up:
      return 38;
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right:
      return 39;
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down:
      return 40;
    case GDK_KEY_Print:
      return 44;
    case GDK_KEY_Insert:
    case GDK_KEY_KP_Insert:
      return 45;
    case GDK_KEY_Delete:
    case GDK_KEY_KP_Delete:
      return 46;
    case GDK_KEY_Menu:
      return 93;
    case GDK_KEY_KP_Multiply:
      return 106;
    case GDK_KEY_KP_Add:
      return 107;
    case GDK_KEY_KP_Subtract:
      return 109;
    case GDK_KEY_KP_Decimal:
      return 110;
    case GDK_KEY_KP_Divide:
      return 111;
    case GDK_KEY_Num_Lock:
      return 144;
    case GDK_KEY_Scroll_Lock:
      return 145;
    // The punctuation keys, by their unshifted and shifted characters on a US keyboard.
    case GDK_KEY_semicolon:
    case GDK_KEY_colon:
      return 186;
    case GDK_KEY_equal:
    case GDK_KEY_plus:
      return 187;
    case GDK_KEY_comma:
    case GDK_KEY_less:
      return 188;
    case GDK_KEY_minus:
    case GDK_KEY_underscore:
      return 189;
    case GDK_KEY_period:
    case GDK_KEY_greater:
      return 190;
    case GDK_KEY_slash:
    case GDK_KEY_question:
      return 191;
    case GDK_KEY_grave:
    case GDK_KEY_asciitilde:
      return 192;
    case GDK_KEY_bracketleft:
    case GDK_KEY_braceleft:
      return 219;
    case GDK_KEY_backslash:
    case GDK_KEY_bar:
      return 220;
    case GDK_KEY_bracketright:
    case GDK_KEY_braceright:
      return 221;
    case GDK_KEY_apostrophe:
    case GDK_KEY_quotedbl:
      return 222;
    default:
      return 0;
  }
}

std::optional<KeyStroke> KeyFromGdkEvent(unsigned keyval, unsigned baseKeyval, unsigned state) {
  // The keypad's own keys (digits with Num Lock, its operators) are taken as sent; elsewhere the
  // unshifted value of the physical key names it.
  const bool keypad = keyval >= GDK_KEY_KP_Space && keyval <= GDK_KEY_KP_9;
  int code = 0;
  if (!keypad && baseKeyval != 0) code = VirtualKeyFromKeyval(baseKeyval);
  if (code == 0) code = VirtualKeyFromKeyval(keyval);
  if (code == 0) return std::nullopt;
  KeyStroke key{code, 0};
  if ((state & GDK_SHIFT_MASK) != 0) key.shift |= kShift;
  if ((state & GDK_CONTROL_MASK) != 0) key.shift |= kControl;
  if ((state & GDK_MOD1_MASK) != 0) key.shift |= kAlt;
  // A modifier pressed alone counts itself as held, as on Windows.
  if (code == kKeyShift) key.shift |= kShift;
  if (code == kKeyControl) key.shift |= kControl;
  if (code == kKeyAlt) key.shift |= kAlt;
  return key;
}

}  // namespace corvane
