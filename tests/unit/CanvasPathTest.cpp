#include <gtest/gtest.h>

#include <cmath>

#include "render/Canvas.h"

namespace orvane {
namespace {

using Verb = Path::Verb;

void ExpectNear(PointF actual, PointF expected, const char* label) {
  EXPECT_NEAR(actual.x, expected.x, 1e-3) << label;
  EXPECT_NEAR(actual.y, expected.y, 1e-3) << label;
}

TEST(CanvasPathTest, ArcStartsAtA0AndTurnsClockwiseToA1) {
  const PointF c{10, 20};
  const struct {
    const char* label;
    float a0, a1;
    PointF start, end;
    bool largeArc;
  } cases[] = {
      {"quarter, right to bottom", 0, 90, {15, 20}, {10, 25}, false},
      {"Wi-Fi arc around the top", -134, -46, {10 + 5 * std::cos(-134 * 3.14159265f / 180), 20 + 5 * std::sin(-134 * 3.14159265f / 180)},
       {10 + 5 * std::cos(-46 * 3.14159265f / 180), 20 + 5 * std::sin(-46 * 3.14159265f / 180)}, false},
      {"exactly half", -180, 0, {5, 20}, {15, 20}, false},
      {"more than half", -60, 235, {12.5f, 20 - 5 * std::sin(60 * 3.14159265f / 180)},
       {10 + 5 * std::cos(235 * 3.14159265f / 180), 20 + 5 * std::sin(235 * 3.14159265f / 180)}, true},
      // An end before the start still turns clockwise, the long way round.
      {"end before start", 90, 0, {10, 25}, {15, 20}, true},
  };
  for (const auto& tc : cases) {
    Path path;
    path.Arc(c, 5, tc.a0, tc.a1);
    const auto& s = path.segments();
    ASSERT_EQ(s.size(), 2u) << tc.label;
    EXPECT_EQ(s[0].verb, Verb::MoveTo) << tc.label;
    ExpectNear(s[0].p1, tc.start, tc.label);
    EXPECT_EQ(s[1].verb, Verb::ArcTo) << tc.label;
    ExpectNear(s[1].p1, tc.end, tc.label);
    EXPECT_EQ(s[1].radiusX, 5) << tc.label;
    EXPECT_TRUE(s[1].clockwise) << tc.label;
    EXPECT_EQ(s[1].largeArc, tc.largeArc) << tc.label;
  }
}

TEST(CanvasPathTest, FullCircleArcIsTwoHalves) {
  Path path;
  path.Arc({0, 0}, 2, 0, 360);
  const auto& s = path.segments();
  ASSERT_EQ(s.size(), 3u);
  ExpectNear(s[1].p1, {-2, 0}, "half way");
  ExpectNear(s[2].p1, {2, 0}, "back at the start");
}

TEST(CanvasPathTest, RoundedRectClampsRadiiToHalfTheSize) {
  Path path;
  path.RoundedRect({0, 0, 40, 10}, 30, 30);
  int arcs = 0;
  for (const auto& s : path.segments()) {
    if (s.verb != Verb::ArcTo) continue;
    ++arcs;
    EXPECT_EQ(s.radiusX, 20);
    EXPECT_EQ(s.radiusY, 5);
  }
  EXPECT_EQ(arcs, 4);
  EXPECT_EQ(path.segments().back().verb, Verb::Close);

  Path square;
  square.RoundedRect({0, 0, 40, 10}, 0, 4);
  EXPECT_EQ(square.segments().size(), Path().Rect({0, 0, 40, 10}).segments().size());
}

TEST(CanvasPathTest, PolygonClosesOnlyWhenAsked) {
  const std::vector<PointF> points{{0, 0}, {4, 0}, {2, 3}};
  EXPECT_EQ(Path().Polygon(points).segments().back().verb, Verb::Close);
  EXPECT_EQ(Path().Polygon(points, false).segments().back().verb, Verb::LineTo);
  EXPECT_TRUE(Path().Polygon({}).empty());
}

TEST(CanvasPathTest, MatrixHelpers) {
  // 90 degrees turns right into down (clockwise on screen).
  ExpectNear(Matrix3x2::Rotation(90).Apply({1, 0}), {0, 1}, "rotation");
  ExpectNear(Matrix3x2::Rotation(90, {5, 5}).Apply({5, 5}), {5, 5}, "rotation centre stays");
  ExpectNear(Matrix3x2::Rotation(90, {5, 5}).Apply({6, 5}), {5, 6}, "rotation about centre");
  ExpectNear(Matrix3x2::Scale(2, 3, {10, 10}).Apply({10, 10}), {10, 10}, "scale centre stays");
  ExpectNear(Matrix3x2::Scale(2, 3, {10, 10}).Apply({11, 11}), {12, 13}, "scale about centre");

  const Matrix3x2 scaleThenMove = Matrix3x2::Scale(2, 2).Then(Matrix3x2::Translation(5, 0));
  const Matrix3x2 moveThenScale = Matrix3x2::Translation(5, 0).Then(Matrix3x2::Scale(2, 2));
  ExpectNear(scaleThenMove.Apply({1, 1}), {7, 2}, "scale, then move");
  ExpectNear(moveThenScale.Apply({1, 1}), {12, 2}, "move, then scale");
  EXPECT_EQ(Matrix3x2::Identity().Then(moveThenScale), moveThenScale);
}

}  // namespace
}  // namespace orvane
