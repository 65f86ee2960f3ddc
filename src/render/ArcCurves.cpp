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

std::vector<CubicCurve> ArcToCubics(PointF start, const Path::Segment& arc) {
  const PointF end = arc.p1;
  if (start == end) return {};
  double rx = std::fabs(arc.radiusX), ry = std::fabs(arc.radiusY);
  if (!(rx > 0) || !(ry > 0) || !std::isfinite(rx) || !std::isfinite(ry)) {
    const float dx = end.x - start.x, dy = end.y - start.y;
    return {{{start.x + dx / 3, start.y + dy / 3}, {start.x + 2 * dx / 3, start.y + 2 * dy / 3}, end}};
  }

  // Centre parameterisation, following the SVG implementation notes. On a
  // y-down screen a clockwise sweep is SVG's positive-angle sweep.
  const double phi = arc.rotationDegrees * std::numbers::pi / 180.0;
  const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  const double hx = (static_cast<double>(start.x) - end.x) / 2, hy = (static_cast<double>(start.y) - end.y) / 2;
  const double x1 = cosPhi * hx + sinPhi * hy, y1 = -sinPhi * hx + cosPhi * hy;
  const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
  if (lambda > 1) {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  const double numerator = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
  const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  const double root = std::sqrt(std::max(0.0, numerator / denominator));
  const double sign = arc.largeArc != arc.clockwise ? 1.0 : -1.0;
  const double cxPrime = sign * root * rx * y1 / ry, cyPrime = -sign * root * ry * x1 / rx;
  const double cx = cosPhi * cxPrime - sinPhi * cyPrime + (static_cast<double>(start.x) + end.x) / 2;
  const double cy = sinPhi * cxPrime + cosPhi * cyPrime + (static_cast<double>(start.y) + end.y) / 2;

  const double theta = AngleBetween(1, 0, (x1 - cxPrime) / rx, (y1 - cyPrime) / ry);
  double sweep = AngleBetween((x1 - cxPrime) / rx, (y1 - cyPrime) / ry, (-x1 - cxPrime) / rx, (-y1 - cyPrime) / ry);
  if (arc.clockwise && sweep < 0) sweep += 2 * std::numbers::pi;
  if (!arc.clockwise && sweep > 0) sweep -= 2 * std::numbers::pi;

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
