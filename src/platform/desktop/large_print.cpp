#include "platform/desktop/large_print.h"

#include <string>

namespace corvane {

namespace {

// The space between the letters and the window's edges, in pixels.
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

}  // namespace

LargePrint::LargePrint(GtkWindow* window, GtkTextView* view)
    : window_(window),
      view_(view),
      css_(gtk_css_provider_new()),
      themeColours_(HighContrastTheme()) {
  gtk_style_context_add_provider(gtk_widget_get_style_context(GTK_WIDGET(view_)),
                                 GTK_STYLE_PROVIDER(css_), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  gtk_text_view_set_left_margin(view_, kMargin);
  gtk_text_view_set_right_margin(view_, kMargin);
  gtk_text_view_set_top_margin(view_, kMargin);
  gtk_text_view_set_bottom_margin(view_, kMargin);
  gtk_window_get_size(window_, &shownWidth_, &shownHeight_);
  configured_ = g_signal_connect(window_, "configure-event", G_CALLBACK(&Configured), this);
  ApplyFont();
}

LargePrint::~LargePrint() {
  g_signal_handler_disconnect(window_, configured_);
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
    gtk_window_resize(window_, look.width, look.height);
  }
}

void LargePrint::ApplyFont() {
  const std::string css = Css(look_.fontPoints, themeColours_);
  gtk_css_provider_load_from_data(css_, css.c_str(), -1, nullptr);
}

// A size the window takes while the text window is shown is the player's, and is kept; sizes
// taken while it is hidden are the desktop's own.
gboolean LargePrint::Configured(GtkWidget*, GdkEvent*, gpointer data) {
  auto* print = static_cast<LargePrint*>(data);
  int width = 0;
  int height = 0;
  gtk_window_get_size(print->window_, &width, &height);
  if (width == print->shownWidth_ && height == print->shownHeight_) return FALSE;
  print->shownWidth_ = width;
  print->shownHeight_ = height;
  if (gtk_widget_is_visible(GTK_WIDGET(print->view_))) {
    print->look_.width = width;
    print->look_.height = height;
  }
  return FALSE;
}

}  // namespace corvane
