// The text view of the text window as assistive technology sees it: a terminal whose lines are the
// window's own lines, the phrases, however the window wraps them for the eye. A screen reader then
// speaks each new line as it arrives (its terminal support presents inserted text), and a Braille
// display following the caret shows the whole phrase, not the piece of it on the last row.
//
// The view tells its owner each time assistive technology reads its text or its caret, so that
// the owner can give the screen reader the time it needs to present one line before the next.
#pragma once

#include <gtk/gtk.h>

namespace corvane {

class ReaderQueries {
 public:
  // A screen reader (or any assistive technology) read the text, its length or the caret.
  virtual void TextQueried() = 0;
  // It asked for the line at `offset`, as a screen reader does when it reads an inserted line
  // from where the insertion began.
  virtual void LineQueried(int offset) = 0;

 protected:
  ~ReaderQueries() = default;
};

// A new GtkTextView (floating, as gtk_text_view_new's) whose accessible reports to `queries`,
// which must outlive it.
GtkWidget* NewLineTextView(ReaderQueries& queries);

}  // namespace corvane
