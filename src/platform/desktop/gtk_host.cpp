#include "platform/desktop/gtk_host.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop/document_launcher.h"
#include "platform/desktop/gdk_keys.h"
#include "platform/desktop/gtk_text_window.h"
#include "platform/desktop/large_print.h"
#include "platform/desktop/termination_signals.h"

namespace corvane {

namespace {

class GtkHost : public Host {
 public:
  GtkHost() {
    speechWindow_ = MakeWindow("FRM_TTS", Window::Speech);
    gtk_window_set_default_size(GTK_WINDOW(speechWindow_), 320, 200);
    soundWindow_ = MakeWindow("Form1", Window::Sound);
    gtk_container_add(GTK_CONTAINER(soundWindow_), text_.widget());
    print_ = std::make_unique<LargePrint>(GTK_WINDOW(soundWindow_), text_.view());
    gtk_widget_show_all(speechWindow_);
    // The sound window comes last so that it has the keyboard.
    gtk_widget_show_all(soundWindow_);
    gtk_window_present(GTK_WINDOW(soundWindow_));
    for (const int signal : kTerminationSignals) {
      signalSources_.push_back(g_unix_signal_add(signal, &GtkHost::TerminationRequested, this));
    }
  }
  ~GtkHost() override {
    print_.reset();
    for (const guint source : signalSources_) g_source_remove(source);
    for (auto& [id, source] : timers_) g_source_remove(source.sourceId);
    for (auto& [id, watch] : watches_) {
      if (watch.sourceId != 0) g_source_remove(watch.sourceId);
    }
    gtk_widget_destroy(soundWindow_);
    gtk_widget_destroy(speechWindow_);
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
  }
  GtkHost(const GtkHost&) = delete;
  GtkHost& operator=(const GtkHost&) = delete;

  double Now() override { return static_cast<double>(g_get_monotonic_time()) / 1e6; }

  std::optional<HostEvent> NextEvent(double deadline, WaitKind) override {
    // Whatever is already waiting runs first, without blocking.
    while (events_.empty() && g_main_context_pending(nullptr)) {
      g_main_context_iteration(nullptr, FALSE);
    }
    guint deadlineSource = 0;
    bool deadlinePassed = false;
    while (events_.empty()) {
      const double left = deadline - Now();
      if (left <= 0) break;
      if (deadlineSource == 0 && std::isfinite(deadline)) {
        // Rounded up, so that the deadline has passed when the source fires.
        const auto ms = static_cast<guint>(std::min(std::ceil(left * 1000.0), 2.0e9));
        deadlineSource = g_timeout_add(ms, &GtkHost::DeadlineReached, &deadlinePassed);
      }
      g_main_context_iteration(nullptr, TRUE);
      if (deadlinePassed) {
        deadlineSource = 0;
        deadlinePassed = false;
      }
    }
    if (deadlineSource != 0) g_source_remove(deadlineSource);
    if (events_.empty()) return std::nullopt;
    HostEvent event = events_.front();
    events_.pop_front();
    // The descriptor is watched again once the game has its event (and then empties it).
    if (event.kind == HostEvent::Kind::Wake) {
      if (const auto watch = watches_.find(event.code); watch != watches_.end()) Arm(watch->second);
    }
    return event;
  }

  void ShowMessage(std::string_view title, std::string_view text, MessageIcon icon) override {
    const GtkMessageType type = icon == MessageIcon::Critical      ? GTK_MESSAGE_ERROR
                                : icon == MessageIcon::Exclamation ? GTK_MESSAGE_WARNING
                                                                   : GTK_MESSAGE_INFO;
    const std::string body(text);
    GtkWidget* dialog = gtk_message_dialog_new(GTK_WINDOW(soundWindow_), GTK_DIALOG_MODAL, type,
                                               GTK_BUTTONS_OK, "%s", body.c_str());
    const std::string caption(title);
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    // A screen reader names the message box by its title, as it names any window.
    atk_object_set_name(gtk_widget_get_accessible(dialog), caption.c_str());
    // Enter answers the message box wherever its focus is.
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    // The keys go to the message box, so it takes the focus once it is on screen (also where no
    // window manager gives it) and hands it back to the sound window when it is answered.
    g_signal_connect(dialog, "map-event", G_CALLBACK(&GtkHost::TakeFocus), nullptr);
    message_ = dialog;
    gtk_dialog_run(GTK_DIALOG(dialog));
    message_ = nullptr;
    gtk_widget_destroy(dialog);
    gtk_window_present(GTK_WINDOW(soundWindow_));
  }

  TextWindow& Text() override { return text_; }

  void Beep() override { gdk_display_beep(gdk_display_get_default()); }

  std::optional<WindowLook> Look() override { return print_->Look(); }
  void SetLook(const WindowLook& look) override { print_->SetLook(look); }

  void StartTimer(int id, double intervalSeconds) override {
    StopTimer(id);
    if (!(intervalSeconds > 0)) return;
    TimerSource& timer = timers_[id];
    timer.host = this;
    timer.id = id;
    const auto ms = static_cast<guint>(std::max(1.0, std::round(intervalSeconds * 1000.0)));
    timer.sourceId = g_timeout_add(ms, &GtkHost::TimerFired, &timer);
  }
  void StopTimer(int id) override {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    g_source_remove(it->second.sourceId);
    timers_.erase(it);
  }

  void WatchDescriptor(int id, int descriptor) override {
    UnwatchDescriptor(id);
    WatchSource& watch = watches_[id];
    watch = {this, id, descriptor, 0};
    Arm(watch);
  }
  void UnwatchDescriptor(int id) override {
    const auto it = watches_.find(id);
    if (it == watches_.end()) return;
    if (it->second.sourceId != 0) g_source_remove(it->second.sourceId);
    watches_.erase(it);
    std::erase_if(events_, [id](const HostEvent& event) {
      return event.kind == HostEvent::Kind::Wake && event.code == id;
    });
  }

  // The viewer is watched until it ends, and given a moment to fail in this host's own wait, so
  // that keys and signals coming meanwhile are kept for the game.
  bool OpenDocument(const std::string& path) override {
    const std::optional<pid_t> pid = StartDocumentViewer(path);
    if (!pid) return false;
    auto* viewer = new ViewerEnd;  // the child watch's own once the wait is over
    g_child_watch_add(*pid, &GtkHost::ViewerEnded, viewer);
    bool waited = false;
    const auto ms = static_cast<guint>(kViewerFailsWithin * 1000.0);
    const guint deadline = g_timeout_add(ms, &GtkHost::DeadlineReached, &waited);
    while (!viewer->ended && !waited) g_main_context_iteration(nullptr, TRUE);
    if (!waited) g_source_remove(deadline);
    const bool failed = viewer->ended && ViewerFailed(viewer->status);
    if (viewer->ended) {
      delete viewer;
    } else {
      viewer->abandoned = true;
    }
    return !failed;
  }

 private:
  struct WindowSource {
    GtkHost* host;
    Window window;
  };
  struct TimerSource {
    GtkHost* host = nullptr;
    int id = 0;
    guint sourceId = 0;
  };
  // A watched descriptor. Its source is removed while its event waits for the game, so that a
  // descriptor not yet emptied (during a message box, say) does not keep the main loop spinning.
  struct WatchSource {
    GtkHost* host = nullptr;
    int id = 0;
    int descriptor = -1;
    guint sourceId = 0;
  };

  void Arm(WatchSource& watch) {
    if (watch.sourceId == 0) {
      watch.sourceId = g_unix_fd_add(watch.descriptor, G_IO_IN, &GtkHost::DescriptorReady, &watch);
    }
  }

  static gboolean DescriptorReady(gint, GIOCondition, gpointer data) {
    auto* watch = static_cast<WatchSource*>(data);
    watch->sourceId = 0;
    HostEvent event;
    event.kind = HostEvent::Kind::Wake;
    event.code = watch->id;
    watch->host->events_.push_back(event);
    return G_SOURCE_REMOVE;
  }

  GtkWidget* MakeWindow(const char* name, Window which) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_name(window, name);
    gtk_window_set_title(GTK_WINDOW(window), "Corvane");
    // The role (for the window manager) and the accessible id (for assistive technology) tell
    // the two windows apart for tools that drive the program.
    gtk_window_set_role(GTK_WINDOW(window), name);
    atk_object_set_accessible_id(gtk_widget_get_accessible(window), name);
    WindowSource& source = which == Window::Sound ? soundSource_ : speechSource_;
    source = {this, which};
    g_signal_connect(window, "key-press-event", G_CALLBACK(&GtkHost::KeyPressed), &source);
    g_signal_connect(window, "delete-event", G_CALLBACK(&GtkHost::DeleteRequested), &source);
    return window;
  }

  static gboolean KeyPressed(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* source = static_cast<WindowSource*>(data);
    source->host->text_.KeyPressed(event->keyval);
    // The size of the letters is the window's own business, never a key of the game.
    if (source->host->print_->HandleKey(*event)) return TRUE;
    guint base = 0;
    if (!gdk_keymap_translate_keyboard_state(
            gdk_keymap_get_for_display(gdk_display_get_default()), event->hardware_keycode,
            static_cast<GdkModifierType>(0), event->group, &base, nullptr, nullptr, nullptr)) {
      base = 0;
    }
    const std::optional<KeyStroke> key = KeyFromGdkEvent(event->keyval, base, event->state);
    if (!key) return FALSE;
    HostEvent hostEvent;
    hostEvent.kind = HostEvent::Kind::Key;
    hostEvent.code = key->code;
    hostEvent.shift = key->shift;
    hostEvent.window = source->window;
    source->host->events_.push_back(hostEvent);
    return TRUE;  // the game has every key, Tab included
  }

  static gboolean DeleteRequested(GtkWidget*, GdkEvent*, gpointer data) {
    auto* source = static_cast<WindowSource*>(data);
    HostEvent event;
    event.kind = HostEvent::Kind::Close;
    event.window = source->window;
    source->host->events_.push_back(event);
    return TRUE;  // the game ends the program; the window stays until then
  }

  static gboolean TakeFocus(GtkWidget* window, GdkEvent*, gpointer) {
    gtk_window_present(GTK_WINDOW(window));
    return FALSE;
  }

  // A termination signal ends the program as closing the window does; an open message box is
  // answered first, so that the game gets on to its end.
  static gboolean TerminationRequested(gpointer data) {
    auto* host = static_cast<GtkHost*>(data);
    if (host->message_ != nullptr) {
      gtk_dialog_response(GTK_DIALOG(host->message_), GTK_RESPONSE_DELETE_EVENT);
    }
    HostEvent event;
    event.kind = HostEvent::Kind::Close;
    host->events_.push_back(event);
    return G_SOURCE_CONTINUE;
  }

  static gboolean TimerFired(gpointer data) {
    auto* timer = static_cast<TimerSource*>(data);
    HostEvent event;
    event.kind = HostEvent::Kind::Timer;
    event.code = timer->id;
    timer->host->events_.push_back(event);
    return G_SOURCE_CONTINUE;
  }

  // The end of a document viewer, as GLib reports it when it reaps the process.
  struct ViewerEnd {
    bool ended = false;
    int status = 0;          // the wait status
    bool abandoned = false;  // nobody waits for it any more
  };
  static void ViewerEnded(GPid child, gint status, gpointer data) {
    g_spawn_close_pid(child);
    auto* viewer = static_cast<ViewerEnd*>(data);
    if (viewer->abandoned) {
      delete viewer;
      return;
    }
    viewer->ended = true;
    viewer->status = status;
  }

  static gboolean DeadlineReached(gpointer data) {
    *static_cast<bool*>(data) = true;
    return G_SOURCE_REMOVE;
  }

  GtkWidget* soundWindow_ = nullptr;
  GtkWidget* speechWindow_ = nullptr;
  WindowSource soundSource_{};
  WindowSource speechSource_{};
  GtkTextWindow text_;
  std::unique_ptr<LargePrint> print_;
  std::deque<HostEvent> events_;
  std::map<int, TimerSource> timers_;
  std::map<int, WatchSource> watches_;
  std::vector<guint> signalSources_;
  GtkWidget* message_ = nullptr;  // the message box being shown
};

}  // namespace

std::unique_ptr<Host> StartGtkHost(int& argc, char**& argv) {
  if (!gtk_init_check(&argc, &argv)) return nullptr;
  return std::make_unique<GtkHost>();
}

}  // namespace corvane
