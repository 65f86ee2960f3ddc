#include <gtest/gtest.h>

#include "CairoCanvasProbe.h"

namespace orvane {
namespace {

using testing::Bgra;
using testing::kOpaqueBlack;
using testing::kOpaqueBlue;
using testing::kOpaqueRed;
using testing::PixelBuffer;

TEST(CairoCanvasShapesTest, FillsArePremultipliedBgra) {
  PixelBuffer buffer(20, 10);
  {
    auto canvas = buffer.NewCanvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->Size(), (SizeF{20, 10}));
    canvas->Clear(Color{0, 0, 1, 1});
    canvas->FillRect({10, 0, 20, 10}, Color{1, 0.5f, 0, 0.5f});
  }
  const Bgra cleared = buffer.At(2, 5);
  EXPECT_EQ(cleared.b, 255);
  EXPECT_EQ(cleared.a, 255);
  // Half-transparent orange over opaque blue: source over, premultiplied.
  const Bgra blended = buffer.At(15, 5);
  EXPECT_NEAR(blended.r, 128, 1);
  EXPECT_NEAR(blended.g, 64, 1);
  EXPECT_NEAR(blended.b, 128, 1);
  EXPECT_EQ(blended.a, 255);

  PixelBuffer alone(4, 4);
  alone.NewCanvas()->FillRect({0, 0, 4, 4}, Color{1, 0.5f, 0, 0.5f});
  const Bgra p = alone.At(1, 1);
  EXPECT_NEAR(p.r, 128, 1);
  EXPECT_NEAR(p.g, 64, 1);
  EXPECT_EQ(p.b, 0);
  EXPECT_NEAR(p.a, 128, 1);
}

TEST(CairoCanvasShapesTest, RejectsUnusableBuffers) {
  std::vector<std::uint8_t> pixels(64);
  EXPECT_EQ(CreatePixelCanvas(nullptr, 4, 4, 16), nullptr);
  EXPECT_EQ(CreatePixelCanvas(pixels.data(), 0, 4, 16), nullptr);
  EXPECT_EQ(CreatePixelCanvas(pixels.data(), 4, 4, 12), nullptr);
}

TEST(CairoCanvasShapesTest, OddStrideBufferReceivesDrawingOnDestruction) {
  // 3 pixels of 4 bytes plus 2 padding bytes per row: cairo cannot wrap it.
  const int width = 3, height = 2, stride = 14;
  std::vector<std::uint8_t> storage(stride * height + 1, 0x5A);
  std::uint8_t* pixels = storage.data() + 1;  // unaligned as well
  CreatePixelCanvas(pixels, width, height, stride)->FillRect({0, 0, 3, 2}, kOpaqueRed);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = pixels + y * stride;
    for (int x = 0; x < width; ++x) {
      EXPECT_EQ(row[x * 4 + 2], 255);
      EXPECT_EQ(row[x * 4 + 3], 255);
    }
    EXPECT_EQ(row[12], 0x5A) << "padding untouched";
    EXPECT_EQ(row[13], 0x5A) << "padding untouched";
  }
}

TEST(CairoCanvasShapesTest, RoundedRectCornersFollowTheRadius) {
  PixelBuffer buffer(100, 60);
  buffer.NewCanvas()->FillRoundedRect({0, 0, 100, 60}, 20, 20, kOpaqueRed);
  EXPECT_EQ(buffer.Alpha(1, 1), 0) << "outside the corner arc";
  EXPECT_EQ(buffer.Alpha(98, 58), 0) << "outside the corner arc";
  EXPECT_EQ(buffer.Alpha(20, 20), 255) << "inside the corner arc";
  EXPECT_EQ(buffer.Alpha(7, 7), 255) << "just inside the arc (distance 18.4 from its centre)";
  EXPECT_EQ(buffer.Alpha(50, 0), 255) << "straight top edge";
  EXPECT_EQ(buffer.Alpha(0, 30), 255) << "straight left edge";

  PixelBuffer clamped(40, 20);
  clamped.NewCanvas()->FillRoundedRect({0, 0, 40, 20}, 100, 100, kOpaqueRed);
  // Each radius is cut to half its side: corners of an ellipse 40 x 20.
  EXPECT_EQ(clamped.Alpha(0, 0), 0);
  EXPECT_EQ(clamped.Alpha(4, 2), 0) << "outside the 20 x 10 corner (inside a 10 x 10 one)";
  EXPECT_EQ(clamped.Alpha(20, 1), 255);
  EXPECT_EQ(clamped.Alpha(1, 10), 255);
}

TEST(CairoCanvasShapesTest, StrokeWidthAndCaps) {
  const struct {
    LineCap cap;
    bool inkBeyondEnd;    // 3 px past the end, on the centre line
    bool inkAtOuterCorner;  // 4 px past the end, 4 px off the centre line
  } cases[] = {
      {LineCap::Flat, false, false},
      {LineCap::Round, true, false},
      {LineCap::Square, true, true},
  };
  for (const auto& tc : cases) {
    PixelBuffer buffer(100, 40);
    StrokeStyle stroke = StrokeStyle::Plain(10);
    stroke.cap = tc.cap;
    buffer.NewCanvas()->DrawLine({20, 20}, {80, 20}, kOpaqueBlack, stroke);
    const int cap = static_cast<int>(tc.cap);
    EXPECT_EQ(buffer.Alpha(50, 16), 255) << cap << ": inside the 10 px width";
    EXPECT_EQ(buffer.Alpha(50, 24), 255) << cap;
    EXPECT_EQ(buffer.Alpha(50, 13), 0) << cap << ": outside the width";
    EXPECT_EQ(buffer.Alpha(50, 26), 0) << cap;
    EXPECT_EQ(buffer.Alpha(82, 20) > 128, tc.inkBeyondEnd) << cap;
    EXPECT_EQ(buffer.Alpha(16, 20) > 128, tc.inkBeyondEnd) << cap;
    EXPECT_EQ(buffer.Alpha(84, 24) > 128, tc.inkAtOuterCorner) << cap;
  }
}

TEST(CairoCanvasShapesTest, ArcsEndWhereTheyShould) {
  PixelBuffer buffer(100, 100);
  {
    auto canvas = buffer.NewCanvas();
    // From the top, clockwise, to the right: the upper-right quarter.
    canvas->StrokePath(Path().Arc({50, 50}, 30, -90, 0), kOpaqueBlack, StrokeStyle::Rounded(4));
  }
  EXPECT_GT(buffer.Alpha(50, 20), 128) << "start";
  EXPECT_GT(buffer.Alpha(80, 50), 128) << "end";
  EXPECT_GT(buffer.Alpha(71, 29), 128) << "middle, 45 degrees";
  EXPECT_EQ(buffer.Alpha(20, 50), 0) << "not the other side";
  EXPECT_EQ(buffer.Alpha(50, 80), 0);
  EXPECT_EQ(buffer.Alpha(29, 29), 0) << "not counter-clockwise";

  // More than half a turn needs the large-arc flag: the rescan arrow's arc.
  PixelBuffer large(100, 100);
  large.NewCanvas()->StrokePath(Path().Arc({50, 50}, 30, -60, 235), kOpaqueBlack, StrokeStyle::Rounded(4));
  EXPECT_GT(large.Alpha(80, 50), 128) << "0 degrees";
  EXPECT_GT(large.Alpha(50, 80), 128) << "90 degrees";
  EXPECT_GT(large.Alpha(20, 50), 128) << "180 degrees";
  EXPECT_EQ(large.Alpha(50, 20), 0) << "270 degrees lies outside -60..235";
}

TEST(CairoCanvasShapesTest, EllipsesPolygonsAndCurves) {
  PixelBuffer buffer(120, 60);
  {
    auto canvas = buffer.NewCanvas();
    canvas->FillEllipse({30, 30}, 25, 10, kOpaqueRed);
    // The speaker body: a closed polygon.
    canvas->FillPath(Path().Polygon({{70, 20}, {80, 20}, {90, 10}, {90, 50}, {80, 40}, {70, 40}}), kOpaqueBlue);
    // A quadratic bump and a rotated elliptical arc closing the figure.
    canvas->FillPath(Path().MoveTo({95, 50}).QuadTo({105, 10}, {115, 50}).Close(), kOpaqueBlack);
  }
  EXPECT_EQ(buffer.At(30, 30).r, 255);
  EXPECT_EQ(buffer.At(50, 30).r, 255) << "inside along the long axis";
  EXPECT_EQ(buffer.Alpha(30, 12), 0) << "outside along the short axis";
  EXPECT_EQ(buffer.Alpha(7, 22), 0) << "outside near the bounding-box corner";
  EXPECT_EQ(buffer.At(75, 30).b, 255);
  EXPECT_EQ(buffer.At(88, 14).b, 255) << "the cone";
  EXPECT_EQ(buffer.Alpha(75, 15), 0) << "above the body";
  // The curve peaks at y = 30 (half way to its control point).
  EXPECT_EQ(buffer.Alpha(105, 33), 255);
  EXPECT_EQ(buffer.Alpha(105, 27), 0);
}

TEST(CairoCanvasShapesTest, EllipticalArcWithSmallRadiiIsScaledUp) {
  // Radius 5 cannot span 40 px: the arc becomes the half circle of radius 20.
  PixelBuffer buffer(60, 40);
  Path path;
  path.MoveTo({10, 30}).ArcTo({50, 30}, 5, 5, true, false).Close();
  buffer.NewCanvas()->FillPath(path, kOpaqueBlack);
  EXPECT_EQ(buffer.Alpha(30, 15), 255) << "clockwise from left to right bulges upwards";
  EXPECT_EQ(buffer.Alpha(30, 35), 0);
  EXPECT_EQ(buffer.Alpha(30, 8), 0) << "radius 20 peaks at y = 10";
}

TEST(CairoCanvasShapesTest, GradientStopsAndClamping) {
  PixelBuffer buffer(120, 10);
  LinearGradient gradient{{10, 0}, {110, 0}, {{1, kOpaqueBlue}, {0, kOpaqueRed}}};  // unsorted on purpose
  buffer.NewCanvas()->FillRect({0, 0, 120, 10}, gradient);
  const Bgra before = buffer.At(2, 5), start = buffer.At(10, 5), middle = buffer.At(60, 5), end = buffer.At(109, 5),
             after = buffer.At(118, 5);
  EXPECT_EQ(before.r, 255) << "clamped before the start";
  EXPECT_EQ(before.b, 0);
  EXPECT_GE(start.r, 250);
  EXPECT_GE(end.b, 250);
  EXPECT_EQ(after.b, 255) << "clamped after the end";
  EXPECT_EQ(after.r, 0);
  EXPECT_NEAR(middle.r, 128, 4) << "halfway in the stored (gamma-encoded) values";
  EXPECT_NEAR(middle.b, 128, 4);
  EXPECT_EQ(middle.a, 255);
}

TEST(CairoCanvasShapesTest, Transforms) {
  PixelBuffer buffer(100, 100);
  {
    auto canvas = buffer.NewCanvas();
    canvas->SetTransform(Matrix3x2::Translation(30, 0));
    canvas->FillRect({0, 0, 10, 10}, kOpaqueRed);
    // A bar along x, turned 90 degrees clockwise about its start: now along y.
    canvas->SetTransform(Matrix3x2::Rotation(90, {50, 50}));
    canvas->FillRect({50, 48, 90, 52}, kOpaqueBlue);
    EXPECT_EQ(canvas->Transform(), Matrix3x2::Rotation(90, {50, 50}));
    // A zero scale draws nothing and does not stop later drawing.
    canvas->SetTransform(Matrix3x2::Scale(0, 1));
    canvas->FillRect({0, 0, 100, 100}, kOpaqueBlack);
    canvas->SetTransform(Matrix3x2::Identity());
    canvas->FillRect({0, 90, 10, 100}, kOpaqueBlack);
  }
  EXPECT_EQ(buffer.At(35, 5).r, 255);
  EXPECT_EQ(buffer.Alpha(5, 5), 0);
  EXPECT_EQ(buffer.At(50, 80).b, 255) << "rotated bar below the centre";
  EXPECT_EQ(buffer.Alpha(80, 50), 0) << "not where it was drawn";
  EXPECT_EQ(buffer.Alpha(60, 60), 0) << "zero-scale fill left no trace";
  EXPECT_EQ(buffer.Alpha(5, 95), 255);
}

TEST(CairoCanvasShapesTest, BitmapOpacitySourceRectAndInterpolation) {
  // 2 x 1 bitmap: opaque red, then half-transparent blue (premultiplied).
  const std::uint8_t pixels[] = {0, 0, 255, 255, 128, 0, 0, 128};
  const BitmapView bitmap{2, 1, 8, pixels};

  PixelBuffer buffer(40, 40);
  {
    auto canvas = buffer.NewCanvas();
    canvas->DrawBitmap(bitmap, {0, 0, 20, 10}, 1.0f, Interpolation::NearestNeighbor);
    canvas->DrawBitmap(bitmap, {0, 20, 20, 30}, 0.5f, Interpolation::NearestNeighbor);
    const RectF secondPixel{1, 0, 2, 1};
    canvas->DrawBitmap(bitmap, {20, 0, 40, 20}, 1.0f, Interpolation::Linear, &secondPixel);
  }
  EXPECT_EQ(buffer.At(2, 5).r, 255);
  EXPECT_EQ(buffer.At(2, 5).a, 255);
  EXPECT_EQ(buffer.At(17, 5).b, 128) << "nearest neighbour keeps the second pixel unblended";
  EXPECT_EQ(buffer.At(17, 5).r, 0);
  EXPECT_NEAR(buffer.At(2, 25).a, 128, 1) << "opacity 0.5";
  EXPECT_NEAR(buffer.At(17, 25).a, 64, 1);
  // The source rectangle alone fills the destination, edges included.
  EXPECT_EQ(buffer.At(21, 1).r, 0) << "no bleeding from the first pixel";
  EXPECT_NEAR(buffer.At(21, 1).a, 128, 1);
  EXPECT_NEAR(buffer.At(38, 18).a, 128, 1);
  EXPECT_EQ(buffer.Alpha(30, 30), 0);
}

}  // namespace
}  // namespace orvane
