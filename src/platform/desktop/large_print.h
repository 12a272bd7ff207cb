// Large print for players with some sight: the text window of the no-speech mode shows its lines
// in large, clear letters, white on black, with a margin round them. White on black because a
// large dark field gives the least glare, which is what most readers with low vision ask of a
// screen, at the highest contrast there is. A high-contrast desktop theme keeps its own colours.
//
// The window opens at the desktop's size (maximised) unless the player gave it a size of their
// own; long lines wrap at its width. The newest line is always in view at the bottom (each change
// of the text, or of the window, scrolls to it), and the window shows whole lines only: the margin
// below the text takes what is left of its height.
//
// Control-Plus and Control-Minus (also Control-equals and the keypad's plus and minus) make the
// letters larger or smaller, in steps; those keys never reach the game. The size of the letters,
// and the window's size when the player changes it while the text window is shown, are the look
// the game keeps between runs.
#pragma once

#include <gtk/gtk.h>

#include "platform/window_look.h"

namespace corvane {

class LargePrint {
 public:
  // Styles `view`, which lies in `window`, and gives the window the desktop's size.
  LargePrint(GtkWindow* window, GtkTextView* view);
  ~LargePrint();
  LargePrint(const LargePrint&) = delete;
  LargePrint& operator=(const LargePrint&) = delete;

  // True when the key changes the size of the letters (it is then taken, whatever the size).
  bool HandleKey(const GdkEventKey& event);

  WindowLook Look() const { return look_; }
  // Shows the letters at the look's size and gives the window its size, unless that is 0 by 0.
  void SetLook(const WindowLook& look);

 private:
  void ApplyFont();
  // The margin below the text, so that the window's height holds whole lines.
  void FitWholeLines();
  // Scrolls to the end, where the newest line is.
  void ToNewest();
  static gboolean Configured(GtkWidget* window, GdkEvent* event, gpointer data);
  static void Resized(GtkWidget* view, GdkRectangle* allocation, gpointer data);
  static void Restyled(GtkWidget* view, gpointer data);
  static void TextChanged(GtkTextBuffer* buffer, gpointer data);
  static void ScrollRangeChanged(GtkAdjustment* scroll, gpointer data);

  GtkWindow* window_;
  GtkTextView* view_;
  GtkAdjustment* scroll_;
  GtkCssProvider* css_;
  bool themeColours_;  // the desktop's theme is a high-contrast one: its colours stay
  gulong configured_ = 0;
  gulong resized_ = 0;
  gulong restyled_ = 0;
  gulong textChanged_ = 0;
  gulong rangeChanged_ = 0;
  WindowLook look_;
  int shownWidth_ = 0;  // the window's size as last given or seen
  int shownHeight_ = 0;
};

}  // namespace corvane
