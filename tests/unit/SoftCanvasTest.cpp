// The CPU canvas against the cairo canvas: the same drawing on both must
// give the same picture up to antialiasing, for every kind of call the
// product's drawing code makes; and the CPU canvas's own edge cases.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "render/PixelCanvas.h"
#include "render/SoftCanvas.h"

namespace orvane {
namespace {

constexpr int kSide = 96;

struct Picture {
  std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(static_cast<size_t>(kSide) * kSide * 4, 0);
};

Picture DrawCairo(const std::function<void(Canvas&)>& draw) {
  Picture p;
  auto canvas = CreatePixelCanvas(p.pixels.data(), kSide, kSide, kSide * 4);
  draw(*canvas);
  return p;
}

Picture DrawSoft(const std::function<void(Canvas&)>& draw) {
  static const std::shared_ptr<TextRasterizer> text = CreateTextRasterizer();
  Picture p;
  auto canvas = CreateSoftPixelCanvas(p.pixels.data(), kSide, kSide, kSide * 4, text);
  draw(*canvas);
  return p;
}

struct Difference {
  double meanAlpha = 0;     // mean |alpha difference| over all pixels, 0..255
  int differingPixels = 0;  // pixels with a channel off by more than 48
  double inkCairo = 0, inkSoft = 0;  // summed alpha / 255
};

Difference Compare(const Picture& a, const Picture& b) {
  Difference d;
  for (size_t i = 0; i < a.pixels.size(); i += 4) {
    int worst = 0;
    for (int k = 0; k < 4; ++k) worst = std::max(worst, std::abs(a.pixels[i + k] - b.pixels[i + k]));
    if (worst > 48) ++d.differingPixels;
    d.meanAlpha += std::abs(a.pixels[i + 3] - b.pixels[i + 3]);
    d.inkCairo += a.pixels[i + 3] / 255.0;
    d.inkSoft += b.pixels[i + 3] / 255.0;
  }
  d.meanAlpha /= kSide * kSide;
  return d;
}

const Color kRed{0.9f, 0.1f, 0.1f, 1};
const Color kBlue{0.1f, 0.3f, 0.9f, 0.8f};
const LinearGradient kRamp{{10, 0}, {86, 0}, {{0, Color{1, 1, 1, 1}}, {1, Color{0, 0, 0.5f, 0.6f}}}};

struct Case {
  const char* name;
  std::function<void(Canvas&)> draw;
  int allowedDiffering = 12;  // edge pixels antialiased a little differently
};

std::vector<Case> Cases() {
  return {
      {"solid rectangle on fractional edges", [](Canvas& c) { c.FillRect({10.3f, 12.6f, 70.2f, 50.5f}, kRed); }},
      {"gradient rectangle", [](Canvas& c) { c.FillRect({10, 10, 86, 86}, kRamp); }},
      {"rounded rectangle", [](Canvas& c) { c.FillRoundedRect({8, 8, 88, 70}, 14, 10, kBlue); }},
      {"ellipse", [](Canvas& c) { c.FillEllipse({48, 48}, 40, 22, kRed); }},
      {"cubic path", [](Canvas& c) {
         c.FillPath(Path().MoveTo({10, 80}).CubicTo({20, 0}, {80, 0}, {86, 80}).Close(), kBlue);
       }},
      {"ring by the alternate rule", [](Canvas& c) {
         c.FillPath(Path().Ellipse({48, 48}, 40, 40).Ellipse({48, 48}, 20, 20), kRed);
       }},
      {"mitred stroke of a rectangle", [](Canvas& c) { c.StrokeRect({20, 20, 76, 60}, kBlue, StrokeStyle::Plain(6)); }},
      {"round stroke of a rounded rectangle",
       [](Canvas& c) { c.StrokeRoundedRect({12, 12, 84, 84}, 16, 16, kRed, StrokeStyle::Rounded(3.5f)); }},
      {"line with round caps", [](Canvas& c) { c.DrawLine({15, 20}, {80, 75}, kBlue, StrokeStyle::Rounded(9)); }},
      {"line with square caps",
       [](Canvas& c) { c.DrawLine({20, 48}, {76, 48}, kRed, StrokeStyle{8, LineCap::Square, LineJoin::Miter, 10}); }},
      {"polyline with bevel joins", [](Canvas& c) {
         c.StrokePath(Path().MoveTo({10, 80}).LineTo({48, 15}).LineTo({86, 80}), kBlue,
                      StrokeStyle{7, LineCap::Flat, LineJoin::Bevel, 10});
       }},
      {"sharp mitre past its limit is bevelled", [](Canvas& c) {
         c.StrokePath(Path().MoveTo({10, 90}).LineTo({48, 5}).LineTo({58, 90}), kRed,
                      StrokeStyle{5, LineCap::Flat, LineJoin::Miter, 2});
       }},
      {"stroked arc", [](Canvas& c) { c.StrokePath(Path().Arc({48, 48}, 30, -90, 135), kRed, StrokeStyle::Rounded(6)); }},
      {"rotated and scaled fill", [](Canvas& c) {
         c.SetTransform(Matrix3x2::Rotation(30, {48, 48}).Then(Matrix3x2::Scale(1.2f, 0.8f, {48, 48})));
         c.FillRoundedRect({20, 30, 76, 66}, 8, 8, kBlue);
       }},
      {"gradient under a transform", [](Canvas& c) {
         c.SetTransform(Matrix3x2::Translation(5, 7));
         c.FillEllipse({43, 41}, 35, 30, kRamp);
       }},
      {"clip by a path", [](Canvas& c) {
         c.PushClipPath(Path().Ellipse({48, 48}, 30, 30));
         c.FillRect({0, 0, 96, 96}, kRed);
         c.PopClip();
       }},
      {"aliased clip rectangle", [](Canvas& c) {
         c.PushClipRect({10.4f, 10.6f, 60.5f, 70.2f}, false);
         c.FillRect({0, 0, 96, 96}, kBlue);
         c.PopClip();
       }},
      {"nested clips and a clear inside them", [](Canvas& c) {
         c.FillRect({0, 0, 96, 96}, kRed);
         c.PushClipRect({10, 10, 80, 80}, true);
         c.PushClipPath(Path().RoundedRect({20, 20, 90, 90}, 12, 12));
         c.Clear(Color{0, 0, 1, 0.5f});
         c.PopClip();
         c.PopClip();
       }},
      {"layer fades overlapping shapes as one", [](Canvas& c) {
         c.DrawLayer(0.5f, [](Canvas& l) {
           l.FillRect({10, 10, 60, 60}, kRed);
           l.FillRect({36, 36, 86, 86}, kRed);
         });
       }},
      {"shadow of a rounded rectangle", [](Canvas& c) {
         c.DrawShadow(ShadowStyle{4, Color{0, 0, 0, 0.6f}, {3, 5}},
                      [](Canvas& s) { s.FillRoundedRect({20, 20, 70, 70}, 10, 10, kRed); });
       }},
      {"picture scaled down in high quality", [](Canvas& c) {
         std::vector<std::uint8_t> bitmap(256 * 256 * 4);
         for (int y = 0; y < 256; ++y) {
           for (int x = 0; x < 256; ++x) {
             std::uint8_t* p = bitmap.data() + (y * 256 + x) * 4;
             const bool on = ((x / 32) + (y / 32)) % 2 == 0;
             p[0] = on ? 200 : 20, p[1] = 60, p[2] = on ? 20 : 200, p[3] = 255;
           }
         }
         c.DrawBitmap(BitmapView{256, 256, 256 * 4, bitmap.data()}, {8, 8, 72, 72}, 0.9f, Interpolation::HighQuality);
       },
       40},
      {"text", [](Canvas& c) {
         TextStyle style;
         style.size = 18;
         style.grayscale = true;
         style.alignment = TextAlignment::Center;
         c.DrawText(L"音乐 Aa", style, {0, 20, 96, 60}, Color{0, 0, 0, 1});
       },
       40},
  };
}

TEST(SoftCanvasTest, DrawsWhatTheCairoCanvasDraws) {
  for (const Case& test : Cases()) {
    SCOPED_TRACE(test.name);
    const Difference d = Compare(DrawCairo(test.draw), DrawSoft(test.draw));
    EXPECT_GT(d.inkCairo, 1.0);  // the case draws something
    EXPECT_LT(d.meanAlpha, 1.5);
    EXPECT_LE(d.differingPixels, test.allowedDiffering);
    EXPECT_NEAR(d.inkSoft, d.inkCairo, std::max(2.0, d.inkCairo * 0.02));
  }
}

TEST(SoftCanvasTest, MeasuresTextAsItDrawsIt) {
  auto text = CreateTextRasterizer();
  Picture p;
  auto canvas = CreateSoftPixelCanvas(p.pixels.data(), kSide, kSide, kSide * 4, text);
  TextStyle style;
  style.size = 14;
  style.ellipsis = true;
  const TextMetrics fits = canvas->MeasureText(L"短", style, 90, 30);
  const TextMetrics trimmed = canvas->MeasureText(L"一段放不下的很长很长的文字", style, 60, 30);
  EXPECT_GT(fits.width, 0);
  EXPECT_FALSE(fits.trimmed);
  EXPECT_TRUE(trimmed.trimmed);
  EXPECT_LE(trimmed.width, 60.5f);
}

TEST(SoftCanvasTest, RefusesWhatItCannotDrawAndSurvivesBadInput) {
  Picture p;
  auto canvas = CreateSoftPixelCanvas(p.pixels.data(), kSide, kSide, kSide * 4, nullptr);
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(CreateSoftPixelCanvas(nullptr, kSide, kSide, kSide * 4, nullptr), nullptr);
  EXPECT_EQ(CreateSoftPixelCanvas(p.pixels.data(), kSide, kSide, kSide * 2, nullptr), nullptr);

  const std::uint8_t pixel[4] = {1, 2, 3, 255};
  EXPECT_FALSE(canvas->DrawBitmap(BitmapView{0, 1, 4, pixel}, {0, 0, 10, 10}));
  EXPECT_FALSE(canvas->DrawBitmap(BitmapView{2, 1, 4, pixel}, {0, 0, 10, 10}));  // short stride
  EXPECT_TRUE(canvas->DrawBitmap(BitmapView{1, 1, 4, pixel}, {5, 5, 5, 5}));     // no area: nothing, but fine

  const float nan = std::nanf("");
  canvas->PopClip();  // unmatched: ignored
  canvas->FillPath(Path().MoveTo({nan, 3}).LineTo({50, nan}).LineTo({1e30f, 1e30f}).Close(), kRed);
  canvas->StrokePath(Path().MoveTo({10, 10}).LineTo({10, 10}), kRed, StrokeStyle::Plain(4));  // flat dot: nothing
  canvas->DrawLine({10, 10}, {80, 80}, kRed, StrokeStyle::Plain(nan));
  canvas->SetTransform(Matrix3x2{0, 0, 0, 0, 0, 0});  // singular: nothing lands
  canvas->FillRect({0, 0, 96, 96}, kRamp);
  canvas->StrokeRect({0, 0, 96, 96}, kRed, StrokeStyle::Plain(3));
  canvas->DrawText(L"x", TextStyle{}, {0, 0, 96, 96}, kRed);  // no text rasterizer: nothing
  for (std::uint8_t byte : p.pixels) ASSERT_EQ(byte, 0);

  // A dot with round caps is drawn, as on the other canvases.
  canvas->SetTransform(Matrix3x2::Identity());
  canvas->StrokePath(Path().MoveTo({48, 48}).LineTo({48, 48}), kRed, StrokeStyle::Rounded(10));
  EXPECT_EQ(p.pixels[(48 * kSide + 48) * 4 + 3], 255);
  EXPECT_EQ(p.pixels[(48 * kSide + 60) * 4 + 3], 0);
}

TEST(SoftCanvasTest, CurvedStrokeEdgesAreCoveredOnce) {
  // A 3-pixel pen on a circle of radius 30 around (48, 48): at the top its
  // band spans y 16.5..19.5, so the rows there are half, fully and half
  // covered. Joins between the flattened pieces must not add to the edge.
  Picture p;
  auto canvas = CreateSoftPixelCanvas(p.pixels.data(), kSide, kSide, kSide * 4, nullptr);
  canvas->StrokePath(Path().Arc({48, 48}, 30, -150, -30), Color{0, 0, 0, 1}, StrokeStyle::Rounded(3));
  const auto alpha = [&](int x, int y) { return static_cast<int>(p.pixels[(static_cast<size_t>(y) * kSide + x) * 4 + 3]); };
  EXPECT_NEAR(alpha(48, 16), 128, 16);
  EXPECT_EQ(alpha(48, 17), 255);
  EXPECT_NEAR(alpha(48, 19), 128, 16);
  EXPECT_EQ(alpha(48, 21), 0);
}

TEST(SoftCanvasTest, ClipsLeftPushedEndWithTheLayerOrCanvas) {
  Picture p;
  auto canvas = CreateSoftPixelCanvas(p.pixels.data(), kSide, kSide, kSide * 4, nullptr);
  canvas->DrawLayer(1, [](Canvas& layer) {
    layer.PushClipRect({0, 0, 10, 10}, false);  // never popped
  });
  canvas->FillRect({0, 0, 96, 96}, kRed);
  EXPECT_EQ(p.pixels[(50 * kSide + 50) * 4 + 3], 255);
}

}  // namespace
}  // namespace orvane
