#include "render/Canvas.h"

#include <algorithm>
#include <cmath>

namespace orvane {
namespace {

constexpr float kPi = 3.14159265358979323846f;

PointF PointOnCircle(PointF center, float radius, float degrees) {
  const float radians = degrees * kPi / 180.0f;
  return {center.x + radius * std::cos(radians), center.y + radius * std::sin(radians)};
}

}  // namespace

Matrix3x2 Matrix3x2::Scale(float sx, float sy, PointF center) {
  return {sx, 0, 0, sy, center.x - sx * center.x, center.y - sy * center.y};
}

bool Matrix3x2::Invert(Matrix3x2& out) const {
  const float det = m11 * m22 - m12 * m21;
  if (!(std::fabs(det) > 1e-12f) || !std::isfinite(det)) return false;
  const float inv = 1.0f / det;
  Matrix3x2 r{m22 * inv, -m12 * inv, -m21 * inv, m11 * inv, 0, 0};
  r.dx = -(dx * r.m11 + dy * r.m21);
  r.dy = -(dx * r.m12 + dy * r.m22);
  out = r;
  return true;
}

Matrix3x2 Matrix3x2::Rotation(float degrees, PointF center) {
  const float radians = degrees * kPi / 180.0f;
  const float c = std::cos(radians), s = std::sin(radians);
  // Positive angles turn clockwise on screen because y grows downwards.
  return {c, s, -s, c, center.x - (center.x * c - center.y * s), center.y - (center.x * s + center.y * c)};
}

Matrix3x2 Matrix3x2::Then(const Matrix3x2& next) const {
  return {m11 * next.m11 + m12 * next.m21,
          m11 * next.m12 + m12 * next.m22,
          m21 * next.m11 + m22 * next.m21,
          m21 * next.m12 + m22 * next.m22,
          dx * next.m11 + dy * next.m21 + next.dx,
          dx * next.m12 + dy * next.m22 + next.dy};
}

Path& Path::MoveTo(PointF p) {
  segments_.push_back(Segment{Verb::MoveTo, p, {}, {}});
  return *this;
}

Path& Path::LineTo(PointF p) {
  segments_.push_back(Segment{Verb::LineTo, p, {}, {}});
  return *this;
}

Path& Path::ArcTo(PointF end, float radiusX, float radiusY, bool clockwise, bool largeArc, float rotationDegrees) {
  segments_.push_back(Segment{Verb::ArcTo, end, {}, {}, radiusX, radiusY, rotationDegrees, clockwise, largeArc});
  return *this;
}

Path& Path::QuadTo(PointF control, PointF end) {
  segments_.push_back(Segment{Verb::QuadTo, control, end, {}});
  return *this;
}

Path& Path::CubicTo(PointF control1, PointF control2, PointF end) {
  segments_.push_back(Segment{Verb::CubicTo, control1, control2, end});
  return *this;
}

Path& Path::Close() {
  segments_.push_back(Segment{Verb::Close, {}, {}, {}});
  return *this;
}

Path& Path::Arc(PointF center, float radius, float a0Degrees, float a1Degrees) {
  float sweep = a1Degrees - a0Degrees;
  // The arc always runs clockwise from a0, so an end "before" the start means
  // going round past 360 degrees; taken literally it would bend the other way
  // around a different centre.
  if (sweep < 0) sweep = std::fmod(sweep, 360.0f) + 360.0f;
  MoveTo(PointOnCircle(center, radius, a0Degrees));
  if (sweep >= 360.0f) {
    // One endpoint arc cannot close on itself; a full circle takes two halves.
    ArcTo(PointOnCircle(center, radius, a0Degrees + 180.0f), radius, radius, true, false);
    return ArcTo(PointOnCircle(center, radius, a0Degrees), radius, radius, true, false);
  }
  return ArcTo(PointOnCircle(center, radius, a1Degrees), radius, radius, true, sweep > 180.0f);
}

Path& Path::Rect(RectF r) {
  MoveTo({r.left, r.top});
  LineTo({r.right, r.top});
  LineTo({r.right, r.bottom});
  LineTo({r.left, r.bottom});
  return Close();
}

Path& Path::RoundedRect(RectF box, float radiusX, float radiusY) {
  const RectF r{std::min(box.left, box.right), std::min(box.top, box.bottom), std::max(box.left, box.right),
                std::max(box.top, box.bottom)};
  const float rx = std::min(std::max(radiusX, 0.0f), r.width() / 2);
  const float ry = std::min(std::max(radiusY, 0.0f), r.height() / 2);
  if (rx <= 0 || ry <= 0) return Rect(r);
  MoveTo({r.left + rx, r.top});
  LineTo({r.right - rx, r.top});
  ArcTo({r.right, r.top + ry}, rx, ry, true, false);
  LineTo({r.right, r.bottom - ry});
  ArcTo({r.right - rx, r.bottom}, rx, ry, true, false);
  LineTo({r.left + rx, r.bottom});
  ArcTo({r.left, r.bottom - ry}, rx, ry, true, false);
  LineTo({r.left, r.top + ry});
  ArcTo({r.left + rx, r.top}, rx, ry, true, false);
  return Close();
}

Path& Path::Ellipse(PointF center, float radiusX, float radiusY) {
  MoveTo({center.x + radiusX, center.y});
  ArcTo({center.x - radiusX, center.y}, radiusX, radiusY, true, false);
  ArcTo({center.x + radiusX, center.y}, radiusX, radiusY, true, false);
  return Close();
}

Path& Path::Polygon(const std::vector<PointF>& points, bool closed) {
  if (points.empty()) return *this;
  MoveTo(points.front());
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i]);
  if (closed) Close();
  return *this;
}

void Canvas::StrokeRect(const RectF& rect, const Paint& paint, const StrokeStyle& stroke) {
  StrokePath(Path().Rect(rect), paint, stroke);
}

void Canvas::FillRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint) {
  FillPath(Path().RoundedRect(rect, radiusX, radiusY), paint);
}

void Canvas::StrokeRoundedRect(const RectF& rect, float radiusX, float radiusY, const Paint& paint,
                               const StrokeStyle& stroke) {
  StrokePath(Path().RoundedRect(rect, radiusX, radiusY), paint, stroke);
}

void Canvas::FillEllipse(PointF center, float radiusX, float radiusY, const Paint& paint) {
  FillPath(Path().Ellipse(center, radiusX, radiusY), paint);
}

void Canvas::StrokeEllipse(PointF center, float radiusX, float radiusY, const Paint& paint,
                           const StrokeStyle& stroke) {
  StrokePath(Path().Ellipse(center, radiusX, radiusY), paint, stroke);
}

void Canvas::DrawLine(PointF from, PointF to, const Paint& paint, const StrokeStyle& stroke) {
  StrokePath(Path().MoveTo(from).LineTo(to), paint, stroke);
}

}  // namespace orvane
