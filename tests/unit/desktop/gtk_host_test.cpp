#include "platform/desktop/gtk_host.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>

namespace corvane {
namespace {

// These tests need a display (run them under xvfb-run); without one they are skipped. GTK's own
// caches look like leaks to LeakSanitizer, so sanitizer builds skip them too.
class GtkHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "GTK under AddressSanitizer";
#endif
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == 0) GTEST_SKIP() << "no display";
    int argc = 1;
    static char name[] = "corvane_desktop_tests";
    char* args[] = {name, nullptr};
    char** argv = args;
    host_ = StartGtkHost(argc, argv);
    ASSERT_NE(host_, nullptr);
  }

  static GtkWindow* Toplevel(const std::string& role) {
    GtkWindow* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item != nullptr; item = item->next) {
      GtkWindow* window = GTK_WINDOW(item->data);
      const char* windowRole = gtk_window_get_role(window);
      if (windowRole != nullptr && role == windowRole && gtk_widget_get_visible(GTK_WIDGET(window)))
        found = window;
    }
    g_list_free(windows);
    return found;
  }

  // Puts a key press for `window` into GDK's queue, as the display would.
  static void PressKey(GtkWindow* window, guint keyval, guint state) {
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(window))));
    event->key.keyval = keyval;
    event->key.state = state;
    event->key.time = GDK_CURRENT_TIME;
    gdk_event_set_device(
        event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
    gdk_event_put(event);
    gdk_event_free(event);
  }

  std::unique_ptr<Host> host_;
};

TEST_F(GtkHostTest, TwoWindowsTitledCorvane) {
  GtkWindow* sound = Toplevel("Form1");
  GtkWindow* speech = Toplevel("FRM_TTS");
  ASSERT_NE(sound, nullptr);
  ASSERT_NE(speech, nullptr);
  EXPECT_STREQ(gtk_window_get_title(sound), "Corvane");
  EXPECT_STREQ(gtk_window_get_title(speech), "Corvane");
}

TEST_F(GtkHostTest, ADeadlineWithNothingHappeningReturnsNothing) {
  const double start = host_->Now();
  EXPECT_FALSE(host_->NextEvent(start + 0.05, WaitKind::Answer).has_value());
  EXPECT_GE(host_->Now(), start + 0.05);
  EXPECT_LT(host_->Now(), start + 1.0);
}

TEST_F(GtkHostTest, AWatchedDescriptorWakesTheWaitOnce) {
  const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  host_->WatchDescriptor(3, wake);
  const std::uint64_t one = 1;
  ASSERT_EQ(::write(wake, &one, sizeof one), 8);
  std::optional<HostEvent> event = host_->NextEvent(host_->Now() + 5, WaitKind::Remote);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Wake);
  EXPECT_EQ(event->code, 3);
  std::uint64_t count = 0;
  EXPECT_EQ(::read(wake, &count, sizeof count), 8);
  EXPECT_FALSE(host_->NextEvent(host_->Now() + 0.05, WaitKind::Remote).has_value());
  host_->UnwatchDescriptor(3);
  ::close(wake);
}

TEST_F(GtkHostTest, KeysBecomeVirtualKeyEventsOfTheirWindow) {
  PressKey(Toplevel("Form1"), GDK_KEY_Down, GDK_CONTROL_MASK);
  std::optional<HostEvent> event = host_->NextEvent(host_->Now() + 5, WaitKind::Answer);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Key);
  EXPECT_EQ(event->code, 40);
  EXPECT_EQ(event->shift, 2);
  EXPECT_EQ(event->window, Window::Sound);

  PressKey(Toplevel("FRM_TTS"), GDK_KEY_Tab, 0);
  event = host_->NextEvent(host_->Now() + 5, WaitKind::Answer);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->code, 9);
  EXPECT_EQ(event->window, Window::Speech);
}

TEST_F(GtkHostTest, ClosingAWindowIsACloseEvent) {
  GdkEvent* close = gdk_event_new(GDK_DELETE);
  close->any.window =
      GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(Toplevel("Form1")))));
  gdk_event_put(close);
  gdk_event_free(close);
  const std::optional<HostEvent> event = host_->NextEvent(host_->Now() + 5, WaitKind::Pause);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Close);
  EXPECT_NE(Toplevel("Form1"), nullptr);  // the window stays until the program ends
}

TEST_F(GtkHostTest, TimersFireUntilStopped) {
  host_->StartTimer(7, 0.01);
  std::optional<HostEvent> event = host_->NextEvent(host_->Now() + 5, WaitKind::Pause);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(event->kind, HostEvent::Kind::Timer);
  EXPECT_EQ(event->code, 7);
  host_->StopTimer(7);
  EXPECT_FALSE(host_->NextEvent(host_->Now() + 0.05, WaitKind::Pause).has_value());
}

// The game cuts its text back to its newest part: the lines cut through leave the view whole.
TEST_F(GtkHostTest, TheTextWindowCutBackShowsWholeLines) {
  GtkWidget* scroller = gtk_bin_get_child(GTK_BIN(Toplevel("Form1")));
  GtkTextBuffer* buffer =
      gtk_text_view_get_buffer(GTK_TEXT_VIEW(gtk_bin_get_child(GTK_BIN(scroller))));
  const std::pair<std::size_t, const char*> rows[] = {// characters dropped, what is shown
                                                      {0, "one\ntwo\nthree"},
                                                      {2, "two\nthree"},
                                                      {5, "two\nthree"},
                                                      {6, "three"},
                                                      {14, ""}};
  for (const auto& [cut, shown] : rows) {
    SCOPED_TRACE(cut);
    host_->Text().SetText("");
    host_->Text().Append("one\r\ntwo\r\nthree\r\n");
    const std::string kept = host_->Text().Text().substr(cut);
    host_->Text().SetText(kept);
    GtkTextIter start;
    GtkTextIter end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* text = gtk_text_iter_get_text(&start, &end);
    EXPECT_STREQ(text, shown);
    g_free(text);
    EXPECT_EQ(host_->Text().Text(), kept);
  }
}

}  // namespace
}  // namespace corvane
