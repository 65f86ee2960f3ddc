// Text for the CPU canvas on Linux: pango lays it out (the same TextBlock as
// the cairo canvas and the measurer) and cairo turns the glyphs into an
// 8-bit coverage mask.

#include <cairo.h>
#include <glib-object.h>

#include <algorithm>
#include <cmath>

#include "render/SoftCanvas.h"
#include "render/headless/CairoGeometry.h"
#include "render/headless/CairoText.h"

namespace orvane {
namespace {

class PangoTextRasterizer final : public TextRasterizer {
 public:
  PangoTextRasterizer() : context_(CreateTextContext()) {}
  ~PangoTextRasterizer() override { g_object_unref(context_); }
  PangoTextRasterizer(const PangoTextRasterizer&) = delete;
  PangoTextRasterizer& operator=(const PangoTextRasterizer&) = delete;

  TextMetrics Measure(std::wstring_view text, const TextStyle& style, float maxWidth, float maxHeight) override {
    return TextBlock(context_, text, style, maxWidth, maxHeight).Metrics();
  }

  void Rasterize(std::wstring_view text, const TextStyle& style, const RectF& layout, const Matrix3x2& transform,
                 const PixelRect& limit, const CoverageSink& sink) override {
    if (limit.empty()) return;
    TextBlock block(context_, text, style, layout.width(), layout.height());
    const PointF origin = block.Origin(layout);
    PangoRectangle ink{};
    pango_layout_get_pixel_extents(block.layout(), &ink, nullptr);
    if (ink.width <= 0 || ink.height <= 0) return;
    // The ink box in frame pixels, a pixel wider for antialiasing.
    const float x0 = origin.x + ink.x - 1, y0 = origin.y + ink.y - 1;
    const float x1 = origin.x + ink.x + ink.width + 1, y1 = origin.y + ink.y + ink.height + 1;
    const PointF corners[4] = {transform.Apply({x0, y0}), transform.Apply({x1, y0}), transform.Apply({x1, y1}),
                               transform.Apply({x0, y1})};
    float left = corners[0].x, right = left, top = corners[0].y, bottom = top;
    for (const PointF& p : corners) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
      left = std::min(left, p.x), right = std::max(right, p.x);
      top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    }
    const int l = std::max(limit.left, static_cast<int>(std::floor(left)));
    const int t = std::max(limit.top, static_cast<int>(std::floor(top)));
    const int r = std::min(limit.left + limit.width, static_cast<int>(std::ceil(right)));
    const int b = std::min(limit.top + limit.height, static_cast<int>(std::ceil(bottom)));
    if (r <= l || b <= t) return;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, r - l, b - t);
    if (cairo_surface_status(mask) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(mask);
      return;
    }
    cairo_surface_set_device_offset(mask, -l, -t);
    cairo_t* cr = cairo_create(mask);
    const cairo_matrix_t m = ToCairoMatrix(transform);
    cairo_set_matrix(cr, &m);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_move_to(cr, origin.x, origin.y);
    pango_cairo_show_layout(cr, block.layout());
    cairo_destroy(cr);
    cairo_surface_flush(mask);
    sink(PixelRect{l, t, r - l, b - t}, cairo_image_surface_get_data(mask), cairo_image_surface_get_stride(mask));
    cairo_surface_destroy(mask);
  }

 private:
  PangoContext* context_;
};

}  // namespace

std::shared_ptr<TextRasterizer> CreateTextRasterizer() { return std::make_shared<PangoTextRasterizer>(); }

}  // namespace orvane
