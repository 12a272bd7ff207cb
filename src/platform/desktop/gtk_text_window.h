// pText on the desktop: the text window of the no-speech mode, a read-only text view in a scrolled
// window, which a screen reader speaks and a Braille display shows line by line.
//
// Each phrase is a line. A screen reader presents a line when it hears of it, by reading the line
// at the caret, which stands at the end of the newest line; lines that came faster than it reads
// would be lost to the Braille display, which shows one line at a time. So a line waits until the
// screen reader has presented the line before it (it has read that line from its start, as it
// does to speak an inserted line, and then gone quiet), or, for a reader that reads otherwise,
// until it has read the window and gone quiet for longer; at most a couple of seconds. Without a
// screen reader the lines are shown at once. The game's text itself (Text) is always complete.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <string>

#include "platform/desktop/line_text_view.h"
#include "platform/host.h"

namespace corvane {

class GtkTextWindow : public TextWindow, private ReaderQueries {
 public:
  GtkTextWindow();
  ~GtkTextWindow() override;
  GtkTextWindow(const GtkTextWindow&) = delete;
  GtkTextWindow& operator=(const GtkTextWindow&) = delete;

  GtkWidget* widget() { return scroller_; }
  GtkTextView* view() { return view_; }

  void Show(bool visible) override;
  bool Visible() const override;
  // An empty text starts the window afresh; the end of the text it holds (the window cut back to
  // its newest part) drops the older lines from view, never cutting a line; any other text
  // replaces the lines.
  void SetText(std::string_view text) override;
  std::string Text() const override { return text_; }
  void Append(std::string_view text) override;

  // A key went down in the window (a screen reader hears of it too).
  void KeyPressed(guint keyval);

 private:
  void TextQueried() override;
  void LineQueried(int offset) override;

  // The game cut its text back to `end`, the newest part of it: the older lines leave the view.
  void KeepNewest(std::string_view end);
  // Queues the complete lines of `text`, keeping an unfinished last line until its line end.
  void Queue(std::string_view text);
  // Shows the lines that are due; schedules the check for the next one.
  void ShowDue();
  // When the next line may be shown, in GLib's monotonic microseconds.
  gint64 NextLineDue() const;
  void ShowLine(const std::string& line);
  void DropOldestLines(int count);
  void ToNewestLine();
  void Schedule(gint64 due);
  static gboolean Due(gpointer data);
  GtkTextBuffer* Buffer() const { return gtk_text_view_get_buffer(view_); }

  GtkTextView* view_ = nullptr;
  GtkWidget* scroller_ = nullptr;
  std::string text_;                 // the whole text, as the game wrote it
  std::string unfinished_;           // the end of the text after its last line end
  std::deque<std::string> waiting_;  // lines not yet shown
  int linesToDrop_ = 0;              // old lines to drop with the next line shown
  bool changing_ = false;            // this window is changing the view (not a reader reading)
  bool readerPresent_ = false;       // a screen reader reads the window
  gint64 lastShown_ = 0;             // when the newest line was shown
  gint64 lastQueried_ = 0;           // when a screen reader last read the window
  int newestStart_ = -1;             // where the newest line begins (characters)
  bool newestRead_ = false;          // the reader read the newest line from its start
  bool afterEnter_ = false;          // the last key pressed was Enter
  guint timer_ = 0;                  // the check for the next line
};

}  // namespace corvane
