#include "platform/desktop/large_print.h"

#include <string>

namespace corvane {

namespace {

// The space between the letters and the window's edges, in pixels (at least, below the text).
constexpr int kMargin = 24;

bool NamesContrast(const gchar* theme) {
  if (theme == nullptr) return false;
  gchar* lower = g_ascii_strdown(theme, -1);
  const bool contrast = g_strstr_len(lower, -1, "contrast") != nullptr;
  g_free(lower);
  return contrast;
}

// A theme made for contrast ("HighContrast", "HighContrastInverse" and the like), chosen in the
// desktop's settings or for this program with GTK_THEME.
bool HighContrastTheme() {
  gchar* name = nullptr;
  g_object_get(gtk_settings_get_default(), "gtk-theme-name", &name, nullptr);
  const bool contrast = NamesContrast(name) || NamesContrast(g_getenv("GTK_THEME"));
  g_free(name);
  return contrast;
}

std::string Css(int points, bool themeColours) {
  std::string css =
      "#pText { font-family: sans-serif; font-size: " + std::to_string(points) + "pt; }\n";
  if (!themeColours) {
    css +=
        "#pText, #pText text { background-color: #000000; color: #ffffff; caret-color: #ffffff; "
        "}\n"
        "#pText text selection { background-color: #ffffff; color: #000000; }\n";
  }
  return css;
}

// The desktop's size: the work area of the screen the window is on (the primary one, before the
// window is on any).
GdkRectangle DesktopArea(GtkWindow* window) {
  GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(window));
  GdkWindow* shown = gtk_widget_get_window(GTK_WIDGET(window));
  GdkMonitor* monitor = shown != nullptr ? gdk_display_get_monitor_at_window(display, shown)
                                         : gdk_display_get_primary_monitor(display);
  if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
  GdkRectangle area{0, 0, 0, 0};
  if (monitor != nullptr) gdk_monitor_get_workarea(monitor, &area);
  return area;
}

// The height of one line of the view's letters (every line has the same letters).
int LineHeight(GtkTextView* view) {
  PangoLayout* layout = gtk_widget_create_pango_layout(GTK_WIDGET(view), "Xg");
  int height = 0;
  pango_layout_get_pixel_size(layout, nullptr, &height);
  g_object_unref(layout);
  return height;
}

}  // namespace

LargePrint::LargePrint(GtkWindow* window, GtkTextView* view)
    : window_(window),
      view_(view),
      scroll_(gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view))),
      css_(gtk_css_provider_new()),
      themeColours_(HighContrastTheme()) {
  gtk_style_context_add_provider(gtk_widget_get_style_context(GTK_WIDGET(view_)),
                                 GTK_STYLE_PROVIDER(css_), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  gtk_text_view_set_left_margin(view_, kMargin);
  gtk_text_view_set_right_margin(view_, kMargin);
  gtk_text_view_set_top_margin(view_, kMargin);
  gtk_text_view_set_bottom_margin(view_, kMargin);
  // The desktop's size; a window manager maximises the window too.
  const GdkRectangle desktop = DesktopArea(window_);
  if (desktop.width > 0 && desktop.height > 0) {
    gtk_window_set_default_size(window_, desktop.width, desktop.height);
  }
  gtk_window_maximize(window_);
  gtk_window_get_default_size(window_, &shownWidth_, &shownHeight_);
  configured_ = g_signal_connect(window_, "configure-event", G_CALLBACK(&Configured), this);
  resized_ = g_signal_connect(view_, "size-allocate", G_CALLBACK(&Resized), this);
  restyled_ = g_signal_connect(view_, "style-updated", G_CALLBACK(&Restyled), this);
  textChanged_ =
      g_signal_connect(gtk_text_view_get_buffer(view_), "changed", G_CALLBACK(&TextChanged), this);
  rangeChanged_ = g_signal_connect(scroll_, "changed", G_CALLBACK(&ScrollRangeChanged), this);
  ApplyFont();
}

LargePrint::~LargePrint() {
  g_signal_handler_disconnect(window_, configured_);
  g_signal_handler_disconnect(view_, resized_);
  g_signal_handler_disconnect(view_, restyled_);
  g_signal_handler_disconnect(gtk_text_view_get_buffer(view_), textChanged_);
  g_signal_handler_disconnect(scroll_, rangeChanged_);
  g_object_unref(css_);
}

bool LargePrint::HandleKey(const GdkEventKey& event) {
  const guint held = event.state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SUPER_MASK);
  if (held != GDK_CONTROL_MASK) return false;
  switch (event.keyval) {
    case GDK_KEY_plus:
    case GDK_KEY_equal:
    case GDK_KEY_KP_Add:
      look_.fontPoints = LargerFont(look_.fontPoints);
      break;
    case GDK_KEY_minus:
    case GDK_KEY_underscore:
    case GDK_KEY_KP_Subtract:
      look_.fontPoints = SmallerFont(look_.fontPoints);
      break;
    default:
      return false;
  }
  ApplyFont();
  return true;
}

void LargePrint::SetLook(const WindowLook& look) {
  look_ = look;
  ApplyFont();
  if (look.width > 0 && look.height > 0) {
    shownWidth_ = look.width;
    shownHeight_ = look.height;
    gtk_window_unmaximize(window_);
    gtk_window_resize(window_, look.width, look.height);
  }
}

void LargePrint::ApplyFont() {
  const std::string css = Css(look_.fontPoints, themeColours_);
  gtk_css_provider_load_from_data(css_, css.c_str(), -1, nullptr);
}

void LargePrint::FitWholeLines() {
  const int line = LineHeight(view_);
  const int height = gtk_widget_get_allocated_height(GTK_WIDGET(view_));
  if (line <= 0 || height <= kMargin + line) return;
  // At the end of the text the window shows the margin above the text or whole lines from its
  // top down, when what lies below the last line is the window's height less whole lines.
  const int margin = kMargin + (height - kMargin) % line;
  if (gtk_text_view_get_bottom_margin(view_) != margin) {
    gtk_text_view_set_bottom_margin(view_, margin);
  }
}

void LargePrint::ToNewest() {
  gtk_adjustment_set_value(
      scroll_, gtk_adjustment_get_upper(scroll_) - gtk_adjustment_get_page_size(scroll_));
}

// A size the window takes while the text window is shown is the player's, and is kept; sizes
// taken while it is hidden, or maximised, are the desktop's own.
gboolean LargePrint::Configured(GtkWidget*, GdkEvent*, gpointer data) {
  auto* print = static_cast<LargePrint*>(data);
  int width = 0;
  int height = 0;
  gtk_window_get_size(print->window_, &width, &height);
  if (width == print->shownWidth_ && height == print->shownHeight_) return FALSE;
  print->shownWidth_ = width;
  print->shownHeight_ = height;
  if (gtk_widget_is_visible(GTK_WIDGET(print->view_)) && !gtk_window_is_maximized(print->window_)) {
    print->look_.width = width;
    print->look_.height = height;
  }
  return FALSE;
}

void LargePrint::Resized(GtkWidget*, GdkRectangle*, gpointer data) {
  static_cast<LargePrint*>(data)->FitWholeLines();
}

void LargePrint::Restyled(GtkWidget*, gpointer data) {
  static_cast<LargePrint*>(data)->FitWholeLines();
}

void LargePrint::TextChanged(GtkTextBuffer*, gpointer data) {
  static_cast<LargePrint*>(data)->ToNewest();
}

// The view lays out new lines a moment after they came, and again when the window or the letters
// change: the end moves, and the view with it.
void LargePrint::ScrollRangeChanged(GtkAdjustment*, gpointer data) {
  static_cast<LargePrint*>(data)->ToNewest();
}

}  // namespace corvane
