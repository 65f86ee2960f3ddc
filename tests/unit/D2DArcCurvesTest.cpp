#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/ArcCurves.h"

namespace orvane {
namespace {

Path::Segment ArcSegment(PointF end, float rx, float ry, bool clockwise, bool largeArc, float rotation = 0) {
  Path path;
  path.ArcTo(end, rx, ry, clockwise, largeArc, rotation);
  return path.segments().front();
}

PointF Evaluate(PointF p0, const CubicCurve& c, float t) {
  const float u = 1 - t;
  const float a = u * u * u, b = 3 * u * u * t, d = 3 * u * t * t, e = t * t * t;
  return {a * p0.x + b * c.control1.x + d * c.control2.x + e * c.end.x,
          a * p0.y + b * c.control1.y + d * c.control2.y + e * c.end.y};
}

std::vector<PointF> Sample(PointF start, const std::vector<CubicCurve>& curves) {
  std::vector<PointF> points;
  PointF from = start;
  for (const CubicCurve& c : curves) {
    for (int i = 0; i <= 16; ++i) points.push_back(Evaluate(from, c, i / 16.0f));
    from = c.end;
  }
  return points;
}

TEST(D2DArcCurvesTest, CurvesFollowTheArc) {
  struct Case {
    const char* name;
    PointF start;
    Path::Segment arc;
    PointF center;
    float semiX, semiY;  // of the (axis-aligned after rotation) ellipse drawn
    size_t pieces;
    PointF passes;  // a point the arc goes through
  };
  const float d = 7.0710678f;  // 10 / sqrt(2)
  const Case cases[] = {
      {"quarter, clockwise", {10, 0}, ArcSegment({0, 10}, 10, 10, true, false), {0, 0}, 10, 10, 1, {d, d}},
      {"three quarters, clockwise",
       {10, 0},
       ArcSegment({0, 10}, 10, 10, true, true),
       {10, 10},
       10,
       10,
       3,
       {10 + d, 10 + d}},
      {"quarter, counter-clockwise",
       {10, 0},
       ArcSegment({0, 10}, 10, 10, false, false),
       {10, 10},
       10,
       10,
       1,
       {10 - d, 10 - d}},
      {"radius too small is scaled up", {0, 0}, ArcSegment({10, 0}, 1, 1, true, false), {5, 0}, 5, 5, 2, {5, -5}},
      {"rotated ellipse", {0, -10}, ArcSegment({0, 10}, 10, 5, true, false, 90), {0, 0}, 5, 10, 2, {5, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto curves = ArcToCubics(c.start, c.arc);
    ASSERT_EQ(curves.size(), c.pieces);
    EXPECT_EQ(curves.back().end, c.arc.p1);
    float nearest = 1e9f;
    for (const PointF& p : Sample(c.start, curves)) {
      const float ex = (p.x - c.center.x) / c.semiX, ey = (p.y - c.center.y) / c.semiY;
      EXPECT_NEAR(std::sqrt(ex * ex + ey * ey), 1.0f, 0.002f) << p.x << ", " << p.y;
      nearest = std::min(nearest, std::hypot(p.x - c.passes.x, p.y - c.passes.y));
    }
    EXPECT_LT(nearest, 0.4f);
  }
}

TEST(D2DArcCurvesTest, DegenerateArcs) {
  EXPECT_TRUE(ArcToCubics({3, 4}, ArcSegment({3, 4}, 5, 5, true, false)).empty());

  // A zero radius is a straight line.
  const auto line = ArcToCubics({0, 0}, ArcSegment({9, 3}, 0, 5, true, true));
  ASSERT_EQ(line.size(), 1u);
  for (const PointF& p : Sample({0, 0}, line)) EXPECT_NEAR(p.y, p.x / 3, 1e-4f);
  EXPECT_EQ(line[0].end, (PointF{9, 3}));
}

}  // namespace
}  // namespace orvane
