#include <gtest/gtest.h>

#include "CairoCanvasProbe.h"

namespace orvane {
namespace {

using testing::kOpaqueBlack;
using testing::kOpaqueBlue;
using testing::kOpaqueRed;
using testing::PixelBuffer;

TEST(CairoCanvasEffectsTest, ClipsNestAndPop) {
  PixelBuffer buffer(100, 20);
  {
    auto canvas = buffer.NewCanvas();
    canvas->PushClipRect({0, 0, 50, 20});
    canvas->PushClipRect({25, 0, 100, 20});
    canvas->FillRect({0, 0, 100, 20}, kOpaqueRed);  // 25..50 only
    canvas->PopClip();
    canvas->FillRect({0, 0, 100, 10}, kOpaqueBlue);  // 0..50, top half
    canvas->PopClip();
    canvas->PopClip();  // one too many: ignored
    canvas->FillRect({90, 10, 100, 20}, kOpaqueBlack);
  }
  EXPECT_EQ(buffer.Alpha(10, 15), 0) << "outside the inner clip";
  EXPECT_EQ(buffer.At(30, 15).r, 255) << "inside both clips";
  EXPECT_EQ(buffer.Alpha(60, 15), 0) << "outside the outer clip";
  EXPECT_EQ(buffer.At(10, 5).b, 255) << "inner clip popped";
  EXPECT_EQ(buffer.Alpha(60, 5), 0) << "outer clip still active";
  EXPECT_EQ(buffer.Alpha(95, 15), 255) << "all clips popped";
}

TEST(CairoCanvasEffectsTest, ClipRectFollowsTheTransformAndSnapsWhenAliased) {
  PixelBuffer buffer(60, 20);
  {
    auto canvas = buffer.NewCanvas();
    canvas->SetTransform(Matrix3x2::Translation(20, 0));
    canvas->PushClipRect({0.4f, 0, 10.4f, 20}, false);  // aliased: pixels 20..29
    canvas->SetTransform(Matrix3x2::Identity());
    canvas->FillRect({0, 0, 60, 20}, kOpaqueRed);
    canvas->PopClip();
    EXPECT_EQ(canvas->Transform(), Matrix3x2::Identity()) << "popping keeps the current transform";
  }
  EXPECT_EQ(buffer.Alpha(19, 5), 0);
  EXPECT_EQ(buffer.Alpha(20, 5), 255) << "no half-covered edge pixel";
  EXPECT_EQ(buffer.Alpha(29, 5), 255);
  EXPECT_EQ(buffer.Alpha(30, 5), 0);
}

TEST(CairoCanvasEffectsTest, ClipPathKeepsTheShape) {
  PixelBuffer buffer(40, 40);
  {
    auto canvas = buffer.NewCanvas();
    canvas->PushClipPath(Path().Ellipse({20, 20}, 20, 20));
    canvas->FillRect({0, 0, 40, 40}, kOpaqueRed);
    canvas->PopClip();
  }
  EXPECT_EQ(buffer.Alpha(20, 20), 255);
  EXPECT_EQ(buffer.Alpha(1, 1), 0);
  EXPECT_EQ(buffer.Alpha(38, 38), 0);
}

TEST(CairoCanvasEffectsTest, LayerBlendsItsContentOnceWithTheOpacity) {
  PixelBuffer buffer(60, 20);
  buffer.NewCanvas()->DrawLayer(0.5f, [](Canvas& c) {
    c.FillRect({0, 0, 40, 20}, kOpaqueRed);
    c.FillRect({20, 0, 60, 20}, kOpaqueBlue);  // covers the red where they overlap
    c.PushClipRect({0, 0, 1, 1});               // left open: closed with the layer
  });
  // Drawn one by one at half opacity the overlap would be 75% opaque.
  EXPECT_NEAR(buffer.At(30, 10).a, 128, 1);
  EXPECT_EQ(buffer.At(30, 10).r, 0);
  EXPECT_NEAR(buffer.At(10, 10).r, 128, 1);
  EXPECT_NEAR(buffer.At(50, 10).b, 128, 1);
}

// Shadow of the square (40..80, 40..80) in a 160 x 120 buffer.
PixelBuffer DrawSquareShadow(float sigma, PointF offset) {
  PixelBuffer buffer(160, 120);
  buffer.NewCanvas()->DrawShadow(ShadowStyle{sigma, Color{0, 0, 0, 1}, offset},
                                 [](Canvas& c) { c.FillRect({40, 40, 80, 80}, kOpaqueRed); });
  return buffer;
}

TEST(CairoCanvasEffectsTest, ShadowIsOffsetAndDrawsOnlyTheShadow) {
  const PixelBuffer buffer = DrawSquareShadow(3, {20, 4});
  EXPECT_GE(buffer.Alpha(80, 64), 250) << "middle of the moved square";
  EXPECT_EQ(buffer.At(80, 64).r, 0) << "the content itself is not drawn";
  EXPECT_GE(buffer.Alpha(92, 64), 250) << "right of the square, inside its shadow";
  EXPECT_LE(buffer.Alpha(45, 64), 10) << "left part of the square: the shadow moved away";
  EXPECT_NEAR((buffer.Alpha(99, 64) + buffer.Alpha(100, 64)) / 2, 128, 6) << "half strength at the moved edge";
}

TEST(CairoCanvasEffectsTest, ShadowFallsOffMonotonicallyAndSpreadsWithSigma) {
  const PixelBuffer narrow = DrawSquareShadow(2, {0, 0});
  const PixelBuffer wide = DrawSquareShadow(6, {0, 0});
  for (const PixelBuffer* b : {&narrow, &wide}) {
    for (int x = 80; x < 110; ++x) {
      EXPECT_GE(b->Alpha(x, 60), b->Alpha(x + 1, 60)) << "x = " << x;
    }
    EXPECT_EQ(b->Alpha(130, 60), 0);
  }
  EXPECT_EQ(narrow.Alpha(86, 60), 0) << "more than 3 sigma away";
  EXPECT_GT(wide.Alpha(86, 60), 20) << "a wider deviation reaches further";
  EXPECT_LT(wide.Alpha(76, 60), narrow.Alpha(76, 60)) << "and takes more from inside the edge";

  // Shadow colour and alpha tint the mask.
  PixelBuffer tinted(40, 40);
  tinted.NewCanvas()->DrawShadow(ShadowStyle{0, Color{0, 0, 1, 0.5f}, {}},
                                 [](Canvas& c) { c.FillRect({10, 10, 30, 30}, kOpaqueRed); });
  EXPECT_NEAR(tinted.At(20, 20).a, 128, 1);
  EXPECT_NEAR(tinted.At(20, 20).b, 128, 1);
  EXPECT_EQ(tinted.At(20, 20).r, 0);
}

TEST(CairoCanvasEffectsTest, ShadowReachesInFromContentOutsideTheTarget) {
  PixelBuffer buffer(40, 40);
  buffer.NewCanvas()->DrawShadow(ShadowStyle{3, kOpaqueBlack, {0, 10}},
                                 [](Canvas& c) { c.FillRect({0, -20, 40, 5}, kOpaqueRed); });
  EXPECT_GE(buffer.Alpha(20, 5), 250) << "content above the top edge casts onto the canvas";
  EXPECT_NEAR((buffer.Alpha(20, 14) + buffer.Alpha(20, 15)) / 2, 128, 6) << "the moved edge";
}

}  // namespace
}  // namespace orvane
