#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/BubbleGeometry.h"
#include "render/PixelCanvas.h"

namespace orvane {
namespace {

TEST(BubbleGeometryTest, PointerStaysClearOfTheCorners) {
  struct Case {
    float width, radius, pointerX, halfWidth, expected;
  };
  const Case cases[] = {
      {60, 8, 3, 6.5f, 16.5f},    // left limit: 8 + 6.5 + 2
      {60, 8, 100, 6.5f, 43.5f},  // right limit: 60 - 8 - 6.5 - 2
      {60, 8, 30, 6.5f, 30},
      {60, 8, 16.5f, 6.5f, 16.5f},
      {20, 8, 10, 6.5f, 16.5f},  // too narrow for both limits: the left one wins
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pointerX);
    EXPECT_FLOAT_EQ(BubblePointerCenter(c.width, c.radius, c.pointerX, c.halfWidth), c.expected);
  }
}

TEST(BubbleGeometryTest, CornerRadiusIsTheSmallestLimit) {
  EXPECT_FLOAT_EQ(BubbleCornerRadius(60, 30, 8), 8);
  EXPECT_FLOAT_EQ(BubbleCornerRadius(60, 10, 8), 4.5f);
  EXPECT_FLOAT_EQ(BubbleCornerRadius(12, 30, 8), 5.4f);
}

TEST(BubbleGeometryTest, PointerFigureEndsInARoundedTip) {
  struct Case {
    float halfWidth, t;
  };
  // t = min(0.25 half-width, 1.8)
  for (const Case c : {Case{6.5f, 1.625f}, Case{10, 1.8f}}) {
    SCOPED_TRACE(c.halfWidth);
    const Path path = CreateBubbleGeometry(60, 24, 8, 30, c.halfWidth, 7);
    const auto& s = path.segments();
    ASSERT_EQ(s.size(), 14u);
    EXPECT_EQ(s[0].verb, Path::Verb::MoveTo);
    EXPECT_EQ(s[0].p1, (PointF{8, 0}));
    EXPECT_EQ(s[5].p1, (PointF{30 + c.halfWidth, 24}));
    EXPECT_EQ(s[6].p1, (PointF{30 + c.t, 31 - c.t}));
    ASSERT_EQ(s[7].verb, Path::Verb::QuadTo);
    EXPECT_FLOAT_EQ(s[7].p1.x, 30);
    EXPECT_FLOAT_EQ(s[7].p1.y, 31 + 0.35f * c.t);
    EXPECT_EQ(s[7].p2, (PointF{30 - c.t, 31 - c.t}));
    EXPECT_EQ(s[8].p1, (PointF{30 - c.halfWidth, 24}));
    EXPECT_EQ(s[13].verb, Path::Verb::Close);
    for (const auto& segment : s) {
      if (segment.verb != Path::Verb::ArcTo) continue;
      EXPECT_FLOAT_EQ(segment.radiusX, 8);
      EXPECT_TRUE(segment.clockwise);
      EXPECT_FALSE(segment.largeArc);
    }
  }
}

TEST(BubbleGeometryTest, FilledBubbleCoversBodyAndPointerOnly) {
  constexpr int kWidth = 60, kHeight = 36;
  std::vector<std::uint8_t> pixels(kWidth * kHeight * 4, 0);
  {
    auto canvas = CreatePixelCanvas(pixels.data(), kWidth, kHeight, kWidth * 4);
    ASSERT_NE(canvas, nullptr);
    canvas->FillPath(CreateBubbleGeometry(60, 24, 8, 3, 6.5f, 8), Color{0, 0, 0, 1});
  }
  const auto alpha = [&](int x, int y) { return pixels[(y * kWidth + x) * 4 + 3]; };
  EXPECT_EQ(alpha(30, 12), 255);  // body
  EXPECT_EQ(alpha(0, 0), 0);      // outside the rounded corner
  EXPECT_EQ(alpha(16, 28), 255);  // pointer, moved right to 16.5
  EXPECT_EQ(alpha(5, 26), 0);     // where the pointer was asked for
  EXPECT_EQ(alpha(16, 34), 0);    // past the tip
}

TEST(BubbleGeometryTest, NoFigureForAnEmptyBubble) {
  EXPECT_TRUE(CreateBubbleGeometry(0, 20, 8, 3, 6.5f, 7).empty());
  EXPECT_TRUE(CreateBubbleGeometry(40, -1, 8, 3, 6.5f, 7).empty());
  EXPECT_TRUE(CreateBubbleGeometry(std::nanf(""), 20, 8, 3, 6.5f, 7).empty());
}

}  // namespace
}  // namespace orvane
