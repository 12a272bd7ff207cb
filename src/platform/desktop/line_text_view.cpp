#include "platform/desktop/line_text_view.h"

#include <gtk/gtk-a11y.h>

namespace corvane {

namespace {

constexpr const char* kQueriesKey = "corvane-reader-queries";

// The two GObject types: a GtkTextView whose accessible is a GtkTextViewAccessible with lines of
// its own. Neither adds fields.
struct LineAccessible {
  GtkTextViewAccessible parent;
};
struct LineAccessibleClass {
  GtkTextViewAccessibleClass parent;
};
struct LineTextView {
  GtkTextView parent;
};
struct LineTextViewClass {
  GtkTextViewClass parent;
};

// GTK's own answers, which ours build on.
AtkTextIface* GtkText() {
  return static_cast<AtkTextIface*>(
      g_type_interface_peek(g_type_class_peek(GTK_TYPE_TEXT_VIEW_ACCESSIBLE), ATK_TYPE_TEXT));
}

GtkTextBuffer* BufferOf(AtkText* text) {
  GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(text));
  return widget == nullptr ? nullptr : gtk_text_view_get_buffer(GTK_TEXT_VIEW(widget));
}

ReaderQueries* QueriesOf(AtkText* text) {
  GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(text));
  if (widget == nullptr) return nullptr;
  return static_cast<ReaderQueries*>(g_object_get_data(G_OBJECT(widget), kQueriesKey));
}

void NoteQuery(AtkText* text) {
  if (ReaderQueries* queries = QueriesOf(text)) queries->TextQueried();
}

bool IsLineBoundary(AtkTextBoundary boundary) {
  return boundary == ATK_TEXT_BOUNDARY_LINE_START || boundary == ATK_TEXT_BOUNDARY_LINE_END;
}

// Line `line` of the buffer as `boundary` counts it: from its start to the next line's start, or
// from the end of the line before (its line break) to its own end. False when there is no such
// line.
bool LineBounds(GtkTextBuffer* buffer, gint line, AtkTextBoundary boundary, GtkTextIter* start,
                GtkTextIter* end) {
  if (line < 0 || line >= gtk_text_buffer_get_line_count(buffer)) return false;
  gtk_text_buffer_get_iter_at_line(buffer, start, line);
  *end = *start;
  if (boundary == ATK_TEXT_BOUNDARY_LINE_START) {
    gtk_text_iter_forward_line(end);
    return true;
  }
  if (!gtk_text_iter_ends_line(end)) gtk_text_iter_forward_to_line_end(end);
  if (line > 0) gtk_text_iter_backward_char(start);
  return true;
}

// The line `step` lines from the one holding `offset` (-1 before, 0 at, 1 after), with its
// offsets; an empty text at the nearer end of the buffer when there is none.
gchar* LineText(AtkText* text, gint offset, int step, AtkTextBoundary boundary, gint* startOffset,
                gint* endOffset) {
  if (ReaderQueries* queries = QueriesOf(text)) {
    if (step == 0) queries->LineQueried(offset);
    queries->TextQueried();
  }
  *startOffset = 0;
  *endOffset = 0;
  GtkTextBuffer* buffer = BufferOf(text);
  if (buffer == nullptr) return nullptr;
  GtkTextIter at;
  gtk_text_buffer_get_iter_at_offset(buffer, &at, offset);
  GtkTextIter start;
  GtkTextIter end;
  if (!LineBounds(buffer, gtk_text_iter_get_line(&at) + step, boundary, &start, &end)) {
    if (step > 0) gtk_text_buffer_get_end_iter(buffer, &at);
    if (step < 0) gtk_text_buffer_get_start_iter(buffer, &at);
    start = end = at;
  }
  *startOffset = gtk_text_iter_get_offset(&start);
  *endOffset = gtk_text_iter_get_offset(&end);
  return gtk_text_buffer_get_slice(buffer, &start, &end, FALSE);
}

gchar* TextAtOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
  if (IsLineBoundary(boundary)) return LineText(text, offset, 0, boundary, start, end);
  NoteQuery(text);
  return GtkText()->get_text_at_offset(text, offset, boundary, start, end);
}

gchar* TextBeforeOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start,
                        gint* end) {
  if (IsLineBoundary(boundary)) return LineText(text, offset, -1, boundary, start, end);
  NoteQuery(text);
  return GtkText()->get_text_before_offset(text, offset, boundary, start, end);
}

gchar* TextAfterOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start,
                       gint* end) {
  if (IsLineBoundary(boundary)) return LineText(text, offset, 1, boundary, start, end);
  NoteQuery(text);
  return GtkText()->get_text_after_offset(text, offset, boundary, start, end);
}

gchar* StringAtOffset(AtkText* text, gint offset, AtkTextGranularity granularity, gint* start,
                      gint* end) {
  if (granularity == ATK_TEXT_GRANULARITY_LINE) {
    return LineText(text, offset, 0, ATK_TEXT_BOUNDARY_LINE_START, start, end);
  }
  NoteQuery(text);
  if (GtkText()->get_string_at_offset != nullptr) {
    return GtkText()->get_string_at_offset(text, offset, granularity, start, end);
  }
  // What ATK does for a text without this call of its own.
  const AtkTextBoundary boundary =
      granularity == ATK_TEXT_GRANULARITY_WORD       ? ATK_TEXT_BOUNDARY_WORD_START
      : granularity == ATK_TEXT_GRANULARITY_SENTENCE ? ATK_TEXT_BOUNDARY_SENTENCE_START
                                                     : ATK_TEXT_BOUNDARY_CHAR;
  return GtkText()->get_text_at_offset(text, offset, boundary, start, end);
}

gchar* Text(AtkText* text, gint start, gint end) {
  NoteQuery(text);
  return GtkText()->get_text(text, start, end);
}

gint CaretOffset(AtkText* text) {
  NoteQuery(text);
  return GtkText()->get_caret_offset(text);
}

gint CharacterCount(AtkText* text) {
  NoteQuery(text);
  return GtkText()->get_character_count(text);
}

void InitText(gpointer iface, gpointer) {
  auto* text = static_cast<AtkTextIface*>(iface);
  text->get_text_at_offset = &TextAtOffset;
  text->get_text_before_offset = &TextBeforeOffset;
  text->get_text_after_offset = &TextAfterOffset;
  text->get_string_at_offset = &StringAtOffset;
  text->get_text = &Text;
  text->get_caret_offset = &CaretOffset;
  text->get_character_count = &CharacterCount;
}

// A terminal: screen readers present the text inserted into it, as the output of a command.
void InitializeAccessible(AtkObject* accessible, gpointer data) {
  ATK_OBJECT_CLASS(g_type_class_peek(GTK_TYPE_TEXT_VIEW_ACCESSIBLE))->initialize(accessible, data);
  atk_object_set_role(accessible, ATK_ROLE_TERMINAL);
}

void InitAccessibleClass(gpointer klass, gpointer) {
  ATK_OBJECT_CLASS(klass)->initialize = &InitializeAccessible;
}

// The types are registered once for the process, as every GObject type is.
GType LineAccessibleType() {
  static gsize type = 0;
  if (g_once_init_enter(&type)) {
    const GType registered = g_type_register_static_simple(
        GTK_TYPE_TEXT_VIEW_ACCESSIBLE, g_intern_static_string("CorvaneLineAccessible"),
        sizeof(LineAccessibleClass), &InitAccessibleClass, sizeof(LineAccessible), nullptr,
        static_cast<GTypeFlags>(0));
    const GInterfaceInfo text{&InitText, nullptr, nullptr};
    g_type_add_interface_static(registered, ATK_TYPE_TEXT, &text);
    g_once_init_leave(&type, registered);
  }
  return type;
}

void InitViewClass(gpointer klass, gpointer) {
  gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(klass), LineAccessibleType());
}

GType LineTextViewType() {
  static gsize type = 0;
  if (g_once_init_enter(&type)) {
    const GType registered = g_type_register_static_simple(
        GTK_TYPE_TEXT_VIEW, g_intern_static_string("CorvaneLineTextView"),
        sizeof(LineTextViewClass), &InitViewClass, sizeof(LineTextView), nullptr,
        static_cast<GTypeFlags>(0));
    g_once_init_leave(&type, registered);
  }
  return type;
}

}  // namespace

GtkWidget* NewLineTextView(ReaderQueries& queries) {
  GtkWidget* view = GTK_WIDGET(g_object_new(LineTextViewType(), nullptr));
  g_object_set_data(G_OBJECT(view), kQueriesKey, &queries);
  return view;
}

}  // namespace corvane
