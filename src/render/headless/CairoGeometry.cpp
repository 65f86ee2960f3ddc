#include "render/headless/CairoGeometry.h"

#include "render/ArcCurves.h"

#include <algorithm>
#include <cmath>

namespace orvane {
namespace {

void AppendArc(cairo_t* cr, const Path::Segment& segment) {
  double x = 0, y = 0;
  cairo_get_current_point(cr, &x, &y);
  ArcCenterForm arc;
  if (!ToCenterForm({static_cast<float>(x), static_cast<float>(y)}, segment, arc)) {
    cairo_line_to(cr, segment.p1.x, segment.p1.y);
    return;
  }
  cairo_matrix_t saved;
  cairo_get_matrix(cr, &saved);
  cairo_translate(cr, arc.center.x, arc.center.y);
  cairo_rotate(cr, arc.rotationRadians);
  cairo_scale(cr, arc.radiusX, arc.radiusY);
  if (arc.sweepRadians >= 0) {
    cairo_arc(cr, 0, 0, 1, arc.startRadians, arc.startRadians + arc.sweepRadians);
  } else {
    cairo_arc_negative(cr, 0, 0, 1, arc.startRadians, arc.startRadians + arc.sweepRadians);
  }
  cairo_set_matrix(cr, &saved);
}

}  // namespace

cairo_matrix_t ToCairoMatrix(const Matrix3x2& m) {
  cairo_matrix_t out;
  cairo_matrix_init(&out, m.m11, m.m12, m.m21, m.m22, m.dx, m.dy);
  return out;
}

void AppendPath(cairo_t* cr, const Path& path) {
  for (const Path::Segment& s : path.segments()) {
    // Direct2D needs every figure to begin explicitly; a figure that does
    // not starts at its first point here.
    if (s.verb != Path::Verb::MoveTo && s.verb != Path::Verb::Close && !cairo_has_current_point(cr)) {
      cairo_move_to(cr, s.p1.x, s.p1.y);
    }
    switch (s.verb) {
      case Path::Verb::MoveTo:
        cairo_move_to(cr, s.p1.x, s.p1.y);
        break;
      case Path::Verb::LineTo:
        cairo_line_to(cr, s.p1.x, s.p1.y);
        break;
      case Path::Verb::ArcTo:
        AppendArc(cr, s);
        break;
      case Path::Verb::QuadTo: {
        double x0 = 0, y0 = 0;
        cairo_get_current_point(cr, &x0, &y0);
        const double c1x = x0 + 2.0 / 3.0 * (s.p1.x - x0), c1y = y0 + 2.0 / 3.0 * (s.p1.y - y0);
        const double c2x = s.p2.x + 2.0 / 3.0 * (s.p1.x - s.p2.x), c2y = s.p2.y + 2.0 / 3.0 * (s.p1.y - s.p2.y);
        cairo_curve_to(cr, c1x, c1y, c2x, c2y, s.p2.x, s.p2.y);
        break;
      }
      case Path::Verb::CubicTo:
        cairo_curve_to(cr, s.p1.x, s.p1.y, s.p2.x, s.p2.y, s.p3.x, s.p3.y);
        break;
      case Path::Verb::Close:
        cairo_close_path(cr);
        break;
    }
  }
}

void SetSource(cairo_t* cr, const Paint& paint) {
  if (const Color* c = std::get_if<Color>(&paint)) {
    cairo_set_source_rgba(cr, c->r, c->g, c->b, c->a);
    return;
  }
  const LinearGradient& g = std::get<LinearGradient>(paint);
  cairo_pattern_t* pattern = cairo_pattern_create_linear(g.start.x, g.start.y, g.end.x, g.end.y);
  // Stops must be in order; equal positions keep their given order (a hard edge).
  std::vector<GradientStop> stops = g.stops;
  std::stable_sort(stops.begin(), stops.end(),
                   [](const GradientStop& a, const GradientStop& b) { return a.position < b.position; });
  // Cairo interpolates the stored, gamma-encoded channel values, which is
  // the gamma 2.2 interpolation the canvas promises; no extra stops needed.
  for (const GradientStop& stop : stops) {
    cairo_pattern_add_color_stop_rgba(pattern, std::clamp(stop.position, 0.0f, 1.0f), stop.color.r, stop.color.g,
                                      stop.color.b, stop.color.a);
  }
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

void SetStrokeStyle(cairo_t* cr, const StrokeStyle& stroke) {
  cairo_set_line_width(cr, std::max(stroke.width, 0.0f));
  switch (stroke.cap) {
    case LineCap::Flat: cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT); break;
    case LineCap::Round: cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND); break;
    case LineCap::Square: cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE); break;
  }
  switch (stroke.join) {
    case LineJoin::Miter: cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER); break;
    case LineJoin::Round: cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND); break;
    case LineJoin::Bevel: cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL); break;
  }
  // Both limits come to 1 / sin(half the join angle); beyond it cairo bevels
  // the join where Direct2D cuts the miter short.
  cairo_set_miter_limit(cr, std::max(stroke.miterLimit, 1.0f));
}

}  // namespace orvane
