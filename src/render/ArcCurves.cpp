#include "render/ArcCurves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvane {
namespace {

double AngleBetween(double ux, double uy, double vx, double vy) {
  return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
}

}  // namespace

bool ToCenterForm(PointF from, const Path::Segment& segment, ArcCenterForm& out) {
  const PointF to = segment.p1;
  if (from == to) return false;
  double rx = std::abs(segment.radiusX), ry = std::abs(segment.radiusY);
  if (!(rx > 1e-6) || !(ry > 1e-6)) return false;

  const double phi = segment.rotationDegrees * std::numbers::pi / 180.0;
  const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  // The start point in the ellipse's own axes, relative to the chord's middle.
  const double hx = (from.x - to.x) / 2.0, hy = (from.y - to.y) / 2.0;
  const double x1 = cosPhi * hx + sinPhi * hy;
  const double y1 = -sinPhi * hx + cosPhi * hy;

  const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
  if (lambda > 1) {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  const double numerator = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
  const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  double factor = std::sqrt(std::max(0.0, numerator / denominator));
  if (segment.largeArc == segment.clockwise) factor = -factor;
  const double cx1 = factor * rx * y1 / ry;
  const double cy1 = -factor * ry * x1 / rx;

  out.center = {static_cast<float>(cosPhi * cx1 - sinPhi * cy1 + (from.x + to.x) / 2.0),
                static_cast<float>(sinPhi * cx1 + cosPhi * cy1 + (from.y + to.y) / 2.0)};
  out.radiusX = static_cast<float>(rx);
  out.radiusY = static_cast<float>(ry);
  out.rotationRadians = static_cast<float>(phi);
  const double ux = (x1 - cx1) / rx, uy = (y1 - cy1) / ry;
  const double vx = (-x1 - cx1) / rx, vy = (-y1 - cy1) / ry;
  out.startRadians = AngleBetween(1, 0, ux, uy);
  double sweep = AngleBetween(ux, uy, vx, vy);
  if (segment.clockwise && sweep < 0) sweep += 2 * std::numbers::pi;
  if (!segment.clockwise && sweep > 0) sweep -= 2 * std::numbers::pi;
  out.sweepRadians = sweep;
  return true;
}

std::vector<CubicCurve> ArcToCubics(PointF start, const Path::Segment& arc) {
  const PointF end = arc.p1;
  if (start == end) return {};
  ArcCenterForm form;
  if (!std::isfinite(arc.radiusX) || !std::isfinite(arc.radiusY) || !ToCenterForm(start, arc, form)) {
    // A zero radius draws the chord, as SVG does.
    const float dx = end.x - start.x, dy = end.y - start.y;
    return {{{start.x + dx / 3, start.y + dy / 3}, {start.x + 2 * dx / 3, start.y + 2 * dy / 3}, end}};
  }
  const double cx = form.center.x, cy = form.center.y;
  const double rx = form.radiusX, ry = form.radiusY;
  const double cosPhi = std::cos(form.rotationRadians), sinPhi = std::sin(form.rotationRadians);
  const double theta = form.startRadians, sweep = form.sweepRadians;

  const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (std::numbers::pi / 2) - 1e-9)));
  const double step = sweep / pieces;
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  const auto map = [&](double ux, double uy) {
    return PointF{static_cast<float>(cx + rx * cosPhi * ux - ry * sinPhi * uy),
                  static_cast<float>(cy + rx * sinPhi * ux + ry * cosPhi * uy)};
  };
  std::vector<CubicCurve> curves;
  curves.reserve(static_cast<size_t>(pieces));
  for (int i = 0; i < pieces; ++i) {
    const double a = theta + step * i, b = a + step;
    const double cosA = std::cos(a), sinA = std::sin(a), cosB = std::cos(b), sinB = std::sin(b);
    curves.push_back({map(cosA - k * sinA, sinA + k * cosA), map(cosB + k * sinB, sinB - k * cosB),
                      i + 1 == pieces ? end : map(cosB, sinB)});
  }
  return curves;
}

}  // namespace orvane
