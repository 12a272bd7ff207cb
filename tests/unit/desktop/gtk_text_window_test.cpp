#include "platform/desktop/gtk_text_window.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace corvane {
namespace {

// What the text window shows and what assistive technology reads of it (its accessible, as the
// accessibility bridge calls it). Without a screen reader reading it, each line is shown at once.
// Needs a display; skipped without one and under AddressSanitizer (GTK's caches look like leaks).
class GtkTextWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "GTK under AddressSanitizer";
#endif
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == 0 || !gtk_init_check(nullptr, nullptr)) {
      GTEST_SKIP() << "no display";
    }
    window_ = std::make_unique<GtkTextWindow>();
    g_object_ref_sink(window_->widget());
  }
  void TearDown() override {
    if (!window_) return;
    GtkWidget* widget = window_->widget();
    window_.reset();
    gtk_widget_destroy(widget);
    g_object_unref(widget);
  }

  std::string Shown() const {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(window_->view());
    GtkTextIter start;
    GtkTextIter end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
    std::string shown(text);
    g_free(text);
    return shown;
  }
  // The caret as the window placed it (asking the accessible would be a reader reading).
  int Caret() const {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(window_->view());
    GtkTextIter caret;
    gtk_text_buffer_get_iter_at_mark(buffer, &caret, gtk_text_buffer_get_insert(buffer));
    return gtk_text_iter_get_offset(&caret);
  }
  AtkText* Read() const {
    return ATK_TEXT(gtk_widget_get_accessible(GTK_WIDGET(window_->view())));
  }

  std::unique_ptr<GtkTextWindow> window_;
};

TEST_F(GtkTextWindowTest, EachLineAfterALineBreakTheCaretAtTheEndOfTheNewest) {
  window_->Append("Select from Menu\r\n");
  window_->Append("Start a New Table, T\r\nRestore");
  EXPECT_EQ(Shown(), "Select from Menu\nStart a New Table, T");  // a line shows once it is whole
  EXPECT_EQ(Caret(), 37);
  window_->Append(" the Saved Table, R\r\n");
  EXPECT_EQ(Shown(), "Select from Menu\nStart a New Table, T\nRestore the Saved Table, R");
  EXPECT_EQ(window_->Text(),
            "Select from Menu\r\nStart a New Table, T\r\nRestore the Saved Table, R\r\n");
  EXPECT_EQ(Caret(), 64);
  EXPECT_EQ(atk_object_get_role(ATK_OBJECT(Read())), ATK_ROLE_TERMINAL);
}

// The lines assistive technology reads are the window's own, however it wraps them.
TEST_F(GtkTextWindowTest, LinesForAssistiveTechnology) {
  window_->Append("one\r\ntwo words\r\nthree\r\n");  // "one\ntwo words\nthree"
  struct Row {
    int offset;
    int step;  // -1 the line before, 0 the line at, 1 the line after
    AtkTextBoundary boundary;
    const char* text;
    int start;
    int end;
  };
  const Row rows[] = {
      {0, 0, ATK_TEXT_BOUNDARY_LINE_START, "one\n", 0, 4},
      {6, 0, ATK_TEXT_BOUNDARY_LINE_START, "two words\n", 4, 14},
      {19, 0, ATK_TEXT_BOUNDARY_LINE_START, "three", 14, 19},  // the caret, at the very end
      {6, -1, ATK_TEXT_BOUNDARY_LINE_START, "one\n", 0, 4},
      {6, 1, ATK_TEXT_BOUNDARY_LINE_START, "three", 14, 19},
      {1, -1, ATK_TEXT_BOUNDARY_LINE_START, "", 0, 0},
      {16, 1, ATK_TEXT_BOUNDARY_LINE_START, "", 19, 19},
      {0, 0, ATK_TEXT_BOUNDARY_LINE_END, "one", 0, 3},
      {6, 0, ATK_TEXT_BOUNDARY_LINE_END, "\ntwo words", 3, 13},
      {16, -1, ATK_TEXT_BOUNDARY_LINE_END, "\ntwo words", 3, 13},
      {6, 1, ATK_TEXT_BOUNDARY_LINE_END, "\nthree", 13, 19},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "offset " << row.offset << " step " << row.step);
    gint start = -1;
    gint end = -1;
    // The calls the accessibility bridge makes when a screen reader asks for a line.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gchar* text =
        row.step < 0
            ? atk_text_get_text_before_offset(Read(), row.offset, row.boundary, &start, &end)
        : row.step > 0
            ? atk_text_get_text_after_offset(Read(), row.offset, row.boundary, &start, &end)
            : atk_text_get_text_at_offset(Read(), row.offset, row.boundary, &start, &end);
    G_GNUC_END_IGNORE_DEPRECATIONS
    EXPECT_STREQ(text, row.text);
    EXPECT_EQ(start, row.start);
    EXPECT_EQ(end, row.end);
    g_free(text);
  }
  gint start = -1;
  gint end = -1;
  gchar* line = atk_text_get_string_at_offset(Read(), 6, ATK_TEXT_GRANULARITY_LINE, &start, &end);
  EXPECT_STREQ(line, "two words\n");
  g_free(line);
}

// The game cuts its text back to its newest part: the lines cut through leave the view whole.
TEST_F(GtkTextWindowTest, CutBackToWholeLines) {
  struct Row {
    std::size_t cut;  // characters of the text dropped from its start
    const char* shown;
  };
  const Row rows[] = {
      {0, "one\ntwo\nthree"}, {2, "two\nthree"}, {5, "two\nthree"}, {6, "three"}, {14, ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.cut);
    window_->SetText("");
    window_->Append("one\r\ntwo\r\nthree\r\n");
    const std::string kept = window_->Text().substr(row.cut);
    window_->SetText(kept);
    EXPECT_EQ(Shown(), row.shown);
    EXPECT_EQ(window_->Text(), kept);
  }
  window_->Append("four\r\n");
  EXPECT_EQ(Shown(), "four");
}

}  // namespace
}  // namespace corvane
