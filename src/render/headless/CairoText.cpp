#include "render/headless/CairoText.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "app/TextUtil.h"

namespace orvane {
namespace {

// Pango measures in 1/1024 pixel in an int; larger boxes count as unbounded.
int ToPangoLength(float pixels) {
  if (!(pixels > 0) || !std::isfinite(pixels) || pixels >= static_cast<float>(INT_MAX / PANGO_SCALE / 2)) return -1;
  return static_cast<int>(std::lround(pixels * PANGO_SCALE));
}

float FromPango(int units) { return static_cast<float>(units) / PANGO_SCALE; }

// Width of a line without the whitespace at its end, which does not count
// towards the text's width (a wrapped line keeps the space it broke at).
float LineWidthWithoutTrailingSpace(PangoLayout* layout, PangoLayoutLine* line) {
  PangoRectangle logical;
  pango_layout_line_get_extents(line, nullptr, &logical);
  const char* text = pango_layout_get_text(layout);
  const char* start = text + line->start_index;
  const char* end = start + line->length;
  const char* trimmed = end;
  while (trimmed > start) {
    const char* previous = g_utf8_prev_char(trimmed);
    if (!g_unichar_isspace(g_utf8_get_char(previous))) break;
    trimmed = previous;
  }
  int width = logical.width;
  if (trimmed < end) {
    int* ranges = nullptr;
    int count = 0;
    pango_layout_line_get_x_ranges(line, static_cast<int>(trimmed - text), static_cast<int>(end - text), &ranges,
                                   &count);
    for (int i = 0; i < count; ++i) width -= ranges[2 * i + 1] - ranges[2 * i];
    g_free(ranges);
  }
  return FromPango(std::max(width, 0));
}

}  // namespace

PangoContext* CreateTextContext() {
  // Pango loads the font configuration on a thread of its own and hands it
  // over through glib locks that race detectors cannot see; loading it here
  // first leaves that thread nothing to build.
  FcInit();
  PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  pango_context_set_round_glyph_positions(context, FALSE);
  pango_context_set_language(context, pango_language_from_string("zh-cn"));
  return context;
}

TextBlock::TextBlock(PangoContext* context, std::wstring_view text, const TextStyle& style, float boxWidth,
                     float boxHeight)
    : layout_(pango_layout_new(context)), style_(style) {
  const std::string utf8 = WideToUtf8(text);
  pango_layout_set_text(layout_, utf8.data(), static_cast<int>(utf8.size()));

  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, WideToUtf8(style.family).c_str());
  pango_font_description_set_absolute_size(font, std::max(style.size, 0.01f) * PANGO_SCALE);
  pango_font_description_set_weight(font, static_cast<PangoWeight>(std::clamp(style.weight, 100, 1000)));
  pango_layout_set_font_description(layout_, font);
  pango_font_description_free(font);
  if (!style.locale.empty()) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_language_new(pango_language_from_string(WideToUtf8(style.locale).c_str())));
    pango_layout_set_attributes(layout_, attributes);
    pango_attr_list_unref(attributes);
  }

  switch (style.alignment) {
    case TextAlignment::Leading: pango_layout_set_alignment(layout_, PANGO_ALIGN_LEFT); break;
    case TextAlignment::Trailing: pango_layout_set_alignment(layout_, PANGO_ALIGN_RIGHT); break;
    case TextAlignment::Center: pango_layout_set_alignment(layout_, PANGO_ALIGN_CENTER); break;
    case TextAlignment::Justified:
      pango_layout_set_alignment(layout_, PANGO_ALIGN_LEFT);
      pango_layout_set_justify(layout_, TRUE);
      break;
  }

  const int width = ToPangoLength(boxWidth);
  const int height = ToPangoLength(boxHeight);
  // A set width makes pango wrap unless it ellipsizes, so unwrapped text
  // without trimming is laid out unbounded and aligned in Origin.
  if (width > 0 && (style.wrap || style.ellipsis)) {
    pango_layout_set_width(layout_, width);
    alignedByPango_ = true;
  }
  pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
  // Unwrapped text is cut to one line per paragraph; wrapped text at the
  // last line that fits the height, so without a height it is never cut.
  if (style.ellipsis && (!style.wrap || height > 0)) {
    pango_layout_set_ellipsize(layout_, PANGO_ELLIPSIZE_END);
    if (style.wrap) pango_layout_set_height(layout_, height);
  }
}

TextBlock::~TextBlock() { g_object_unref(layout_); }

TextMetrics TextBlock::Metrics() const {
  TextMetrics metrics;
  PangoRectangle logical;
  pango_layout_get_extents(layout_, nullptr, &logical);
  metrics.height = FromPango(logical.height);
  metrics.lineCount = pango_layout_get_line_count(layout_);
  for (GSList* l = pango_layout_get_lines_readonly(layout_); l != nullptr; l = l->next) {
    metrics.width = std::max(metrics.width, LineWidthWithoutTrailingSpace(layout_, static_cast<PangoLayoutLine*>(l->data)));
  }
  metrics.trimmed = pango_layout_is_ellipsized(layout_);
  return metrics;
}

PointF TextBlock::Origin(const RectF& box) const {
  PangoRectangle logical;
  pango_layout_get_extents(layout_, nullptr, &logical);
  PointF origin{box.left, box.top};
  if (!alignedByPango_ && ToPangoLength(box.width()) > 0) {
    float share = 0;
    if (style_.alignment == TextAlignment::Trailing) share = 1;
    if (style_.alignment == TextAlignment::Center) share = 0.5f;
    origin.x += (box.width() - FromPango(logical.width)) * share - FromPango(logical.x);
  }
  if (ToPangoLength(box.height()) > 0) {
    const float free = box.height() - FromPango(logical.height);
    if (style_.paragraph == ParagraphAlignment::Far) origin.y += free;
    if (style_.paragraph == ParagraphAlignment::Center) origin.y += free / 2;
  }
  return origin;
}

}  // namespace orvane
