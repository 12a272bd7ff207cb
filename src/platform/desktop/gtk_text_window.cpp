#include "platform/desktop/gtk_text_window.h"

#include <algorithm>
#include <utility>

namespace corvane {

namespace {

constexpr gint64 kMicroseconds = 1000000;
// A screen reader has presented the newest line once it has read nothing of the window for this
// long after reading the line from its start (Orca presents a line in a few tens of milliseconds,
// in one burst of calls, and reads the line from its start once it has brailled it).
constexpr gint64 kReaderDoneAfter = kMicroseconds / 10;
// For a line too short to tell (Orca reads a line of one character only at the caret) and for
// readers that read otherwise: the reader has read the window, and then nothing for this long.
// On a loaded machine Orca can take longer than that between the line break and the line.
constexpr gint64 kReaderQuietAfter = 2 * kMicroseconds / 5;
// The longest a line waits for the screen reader to present the one before (a loaded machine
// slows it to about a second). A reader that has not read the window in this time is taken to
// be gone, and the lines go on without waiting until it reads again.
constexpr gint64 kReaderPatience = 2 * kMicroseconds;

bool DigitsAndBlanks(std::string_view line) {
  return line.find_first_not_of("0123456789 ") == std::string_view::npos;
}

bool IsEnter(guint keyval) {
  return keyval == GDK_KEY_Return || keyval == GDK_KEY_KP_Enter || keyval == GDK_KEY_ISO_Enter;
}

}  // namespace

GtkTextWindow::GtkTextWindow() {
  view_ = GTK_TEXT_VIEW(NewLineTextView(*this));
  gtk_widget_set_name(GTK_WIDGET(view_), "pText");
  atk_object_set_accessible_id(gtk_widget_get_accessible(GTK_WIDGET(view_)), "pText");
  gtk_text_view_set_editable(view_, FALSE);
  gtk_text_view_set_cursor_visible(view_, TRUE);
  gtk_text_view_set_wrap_mode(view_, GTK_WRAP_WORD_CHAR);
  scroller_ = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_container_add(GTK_CONTAINER(scroller_), GTK_WIDGET(view_));
  gtk_widget_show(GTK_WIDGET(view_));
  gtk_widget_set_no_show_all(scroller_, TRUE);
}

GtkTextWindow::~GtkTextWindow() {
  if (timer_ != 0) g_source_remove(timer_);
}

void GtkTextWindow::Show(bool visible) {
  if (visible) {
    gtk_widget_show(scroller_);
    gtk_widget_grab_focus(GTK_WIDGET(view_));
  } else {
    gtk_widget_hide(scroller_);
  }
}

bool GtkTextWindow::Visible() const {
  return gtk_widget_get_visible(scroller_);
}

void GtkTextWindow::SetText(std::string_view text) {
  if (!text.empty() && std::string_view(text_).ends_with(text)) {
    KeepNewest(text);
    return;
  }
  text_.clear();
  unfinished_.clear();
  waiting_.clear();
  linesToDrop_ = 0;
  changing_ = true;
  gtk_text_buffer_set_text(Buffer(), "", 0);
  changing_ = false;
  Append(text);
}

void GtkTextWindow::Append(std::string_view text) {
  text_.append(text);
  Queue(text);
  ShowDue();
}

void GtkTextWindow::KeyPressed(guint keyval) {
  afterEnter_ = IsEnter(keyval);
}

void GtkTextWindow::TextQueried() {
  if (changing_) return;  // the accessibility bridge reading what it reports of a change
  lastQueried_ = g_get_monotonic_time();
  readerPresent_ = true;
  if (!waiting_.empty()) Schedule(NextLineDue());
}

void GtkTextWindow::LineQueried(int offset) {
  if (changing_) return;
  // A line of one character is read from its start by the Braille display's update too.
  const bool longerThanOne = gtk_text_buffer_get_char_count(Buffer()) - newestStart_ > 1;
  if (offset == newestStart_ && longerThanOne) newestRead_ = true;
}

void GtkTextWindow::KeepNewest(std::string_view end) {
  // The lines that lie whole in `end`: those after its first line end, or all of them when it
  // begins at a line start.
  const std::size_t cut = text_.size() - end.size();
  const bool atLineStart = cut == 0 || text_[cut - 1] == '\n';
  const auto lineEnds = static_cast<int>(std::count(end.begin(), end.end(), '\n'));
  const int keep = atLineStart ? lineEnds : std::max(0, lineEnds - 1);
  text_.assign(end);
  const int shown = gtk_text_buffer_get_char_count(Buffer()) == 0
                        ? 0
                        : gtk_text_buffer_get_line_count(Buffer()) - linesToDrop_;
  int drop = shown + static_cast<int>(waiting_.size()) - keep;
  while (drop > shown && !waiting_.empty()) {
    waiting_.pop_front();
    --drop;
  }
  linesToDrop_ += std::max(0, drop);
  // With no line waiting, the line that made the text too long was shown just now: the old lines
  // go with it, so that a screen reader hears of both changes together (apart, the caret's move
  // as the text before it goes would be read as a move of its own).
  if (waiting_.empty()) DropOldestLines(std::exchange(linesToDrop_, 0));
}

void GtkTextWindow::Queue(std::string_view text) {
  unfinished_.append(text);
  std::size_t start = 0;
  for (std::size_t end; (end = unfinished_.find('\n', start)) != std::string::npos;
       start = end + 1) {
    std::string_view line = std::string_view(unfinished_).substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    waiting_.emplace_back(line);
  }
  unfinished_.erase(0, start);
}

void GtkTextWindow::ShowDue() {
  while (!waiting_.empty()) {
    const gint64 due = NextLineDue();
    if (due > g_get_monotonic_time()) {
      Schedule(due);
      return;
    }
    ShowLine(waiting_.front());
    waiting_.pop_front();
  }
}

gint64 GtkTextWindow::NextLineDue() const {
  if (!readerPresent_) return 0;
  // However the reader reads (one that never stops reading too), a line waits no longer than this.
  const gint64 latest = lastShown_ + kReaderPatience;
  if (newestRead_) return std::min(lastQueried_ + kReaderDoneAfter, latest);
  if (lastQueried_ > lastShown_) return std::min(lastQueried_ + kReaderQuietAfter, latest);
  return latest;
}

void GtkTextWindow::ShowLine(const std::string& line) {
  // The reader did not read the newest line in all the time it was given: it is gone, or far
  // behind, and the lines no longer wait for it.
  if (lastQueried_ <= lastShown_) readerPresent_ = false;
  DropOldestLines(std::exchange(linesToDrop_, 0));
  changing_ = true;
  GtkTextIter end;
  gtk_text_buffer_get_end_iter(Buffer(), &end);
  // The line break comes before the new line, not after the old one, so that the caret stands at
  // the end of the newest line, never on an empty one; inserted apart from the line, so that the
  // text a screen reader hears of is the new line alone. Orca takes a line of digits alone,
  // inserted after Enter, for noise, and speaks it as the answer to Enter when its line break
  // comes with it.
  const bool first = gtk_text_buffer_get_char_count(Buffer()) == 0;
  const bool withBreak = !first && afterEnter_ && DigitsAndBlanks(line);
  if (!first && !withBreak) gtk_text_buffer_insert(Buffer(), &end, "\n", 1);
  newestStart_ = gtk_text_iter_get_offset(&end) + (withBreak ? 1 : 0);
  newestRead_ = false;
  const std::string inserted = withBreak ? "\n" + line : line;
  gtk_text_buffer_insert(Buffer(), &end, inserted.data(), static_cast<gint>(inserted.size()));
  ToNewestLine();
  changing_ = false;
  lastShown_ = g_get_monotonic_time();
}

void GtkTextWindow::DropOldestLines(int count) {
  if (count <= 0) return;
  changing_ = true;
  GtkTextIter start;
  GtkTextIter end;
  gtk_text_buffer_get_start_iter(Buffer(), &start);
  gtk_text_buffer_get_iter_at_line(Buffer(), &end, count);
  if (gtk_text_iter_get_line(&end) < count) gtk_text_buffer_get_end_iter(Buffer(), &end);
  newestStart_ -= gtk_text_iter_get_offset(&end);
  gtk_text_buffer_delete(Buffer(), &start, &end);
  changing_ = false;
}

void GtkTextWindow::ToNewestLine() {
  GtkTextIter end;
  gtk_text_buffer_get_end_iter(Buffer(), &end);
  gtk_text_buffer_place_cursor(Buffer(), &end);
}

void GtkTextWindow::Schedule(gint64 due) {
  if (timer_ != 0) g_source_remove(timer_);
  const gint64 wait = std::max<gint64>(0, due - g_get_monotonic_time());
  timer_ = g_timeout_add(static_cast<guint>((wait + 999) / 1000), &GtkTextWindow::Due, this);
}

gboolean GtkTextWindow::Due(gpointer data) {
  auto* window = static_cast<GtkTextWindow*>(data);
  window->timer_ = 0;
  window->ShowDue();
  return G_SOURCE_REMOVE;
}

}  // namespace corvane
