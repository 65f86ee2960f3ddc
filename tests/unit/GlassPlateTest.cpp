#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GlassTestCompositor.h"
#include "SoftCompositorProbe.h"
#include "dock/DockGeometry.h"
#include "render/GlassPlate.h"
#include "render/PixelCanvas.h"

namespace orvane {
namespace {

using testing::GlassTestCompositor;
using testing::LogMessages;
using testing::PixelAt;

TEST(GlassPlateGeometryTest, DockSettingsAtEachScale) {
  struct Case {
    const char* name;
    float scale;
    const wchar_t* position;
    GlassPlateGeometry expected;
  };
  const Case cases[] = {
      // thickness = (48 + 2 x 7) x scale; radius 17; blur 22; sigma max(5 x scale, 2)
      {"1.0 bottom", 1.0f, L"bottom", {62, 17, 22, 5, 2, 1, 500, false}},
      {"1.5 left", 1.5f, L"left", {93, 26, 33, 7.5f, 3, 2, 500, true}},
      {"2.0 right", 2.0f, L"right", {124, 34, 44, 10, 4, 2, 500, true}},
      {"0.3 keeps sigma and rim", 0.3f, L"bottom", {19, 5, 6.6f, 2, 1, 1, 500, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DockConfig config;
    config.dockPosition = c.position;
    const GlassPlateGeometry g = DockPlateGeometry(config, c.scale, 500);
    EXPECT_EQ(g.thickness, c.expected.thickness);
    EXPECT_FLOAT_EQ(g.cornerRadius, c.expected.cornerRadius);
    EXPECT_FLOAT_EQ(g.blurAmount, c.expected.blurAmount);
    EXPECT_FLOAT_EQ(g.shadowSigma, c.expected.shadowSigma);
    EXPECT_FLOAT_EQ(g.shadowOffsetY, c.expected.shadowOffsetY);
    EXPECT_EQ(g.rimWidth, c.expected.rimWidth);
    EXPECT_EQ(g.length, 500);
    EXPECT_EQ(g.vertical, c.expected.vertical);
  }
}

TEST(GlassPlateGeometryTest, GlassOpacitySetsTheBlurredTintAlphaOnly) {
  const Theme dark = MakeTheme(true, true);
  struct Case {
    float opacity;
    int alpha;
  };
  for (const Case c : {Case{0.56f, 143}, Case{0.05f, 51}, Case{1.0f, 235}}) {
    SCOPED_TRACE(c.opacity);
    const Theme style = PlateStyle(dark, c.opacity);
    EXPECT_EQ(style.plateBlurTint.a, c.alpha);
    Theme rest = style;
    rest.plateBlurTint.a = dark.plateBlurTint.a;
    EXPECT_EQ(rest, dark);
  }
}

TEST(GlassPlateLayoutTest, ShadowNineGrid) {
  GlassPlateGeometry g{62, 16, 22, 5, 2, 1, 400, false};
  GlassPlateLayout l = LayoutGlassPlate(g);
  EXPECT_FLOAT_EQ(l.shadowExtent, 15);
  EXPECT_EQ(l.shadowSurfaceSize, 64);
  EXPECT_FLOAT_EQ(l.shadowInset, 31);

  g.shadowSigma = 7.5f;  // extent ceil(22.5) = 23
  g.cornerRadius = 25.5f;
  l = LayoutGlassPlate(g);
  EXPECT_FLOAT_EQ(l.shadowExtent, 23);
  EXPECT_EQ(l.shadowSurfaceSize, 2 * 48 + 2);
}

TEST(GlassPlateLayoutTest, RadiusIsCappedBelowHalfTheThickness) {
  GlassPlateGeometry g{60, 40, 22, 5, 2, 1, 400, false};
  EXPECT_FLOAT_EQ(LayoutGlassPlate(g).cornerRadius, 28.8f);
  g.cornerRadius = 20;
  EXPECT_FLOAT_EQ(LayoutGlassPlate(g).cornerRadius, 20);
}

TEST(GlassPlateLayoutTest, RimAndGrainSurfacesFollowTheDockDirection) {
  struct Case {
    const char* name;
    int thickness;
    bool vertical;
    int rimW, rimH;
    PlateInsets insets;
    int grainW, grainH;
  };
  // Radius 16: k = 18, so the rounded ends take 2k + 2 = 38 pixels.
  const Case cases[] = {
      {"horizontal", 62, false, 38, 62, {18, 31, 18, 30}, 400, 62},
      {"vertical", 62, true, 62, 38, {31, 18, 30, 18}, 62, 400},
      {"odd thickness", 63, false, 38, 63, {18, 31, 18, 31}, 400, 63},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GlassPlateLayout l = LayoutGlassPlate({c.thickness, 16, 22, 5, 2, 1, 400, c.vertical});
    EXPECT_EQ(l.rimWidth, c.rimW);
    EXPECT_EQ(l.rimHeight, c.rimH);
    EXPECT_EQ(l.rimInsets, c.insets);
    EXPECT_EQ(l.grainWidth, c.grainW);
    EXPECT_EQ(l.grainHeight, c.grainH);
  }
  // Degenerate docks still get usable surfaces.
  const GlassPlateLayout tiny = LayoutGlassPlate({4, 1, 22, 5, 2, 1, 0, false});
  EXPECT_EQ(tiny.rimHeight, 8);
  EXPECT_EQ(tiny.grainWidth, 8);
  EXPECT_EQ(tiny.grainHeight, 8);
}

TEST(GlassPlatePixelsTest, ShadowFallsOffFromTheRoundedSquare) {
  // sigma 5, extent 15, radius 16: the square's edge is 16.x px from the
  // surface edge, where the shadow is half its peak.
  const int n = 64;
  const auto pixels = GlassShadowPixels(n, 15, 16, 5, 0.42f);
  ASSERT_EQ(pixels.size(), static_cast<size_t>(n * n * 4));
  const auto alpha = [&](int x, int y) { return static_cast<int>(pixels[(y * n + x) * 4 + 3]); };
  EXPECT_EQ(alpha(32, 32), 107);  // 0.42 x 255, deep inside
  EXPECT_NEAR(alpha(32, 15), 54, 4);  // on the edge: half the peak
  EXPECT_LE(alpha(32, 0), 2);  // three sigma out
  EXPECT_LE(alpha(0, 0), 1);
  // Rounded: the corner is farther from the shape than the side at the same depth.
  EXPECT_LT(alpha(15, 15), alpha(32, 15));
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(alpha(i, 20), alpha(n - 1 - i, 20));  // symmetric
    EXPECT_EQ(alpha(20, i), alpha(i, 20));
  }
  for (size_t i = 0; i < pixels.size(); i += 4) {
    ASSERT_EQ(pixels[i] | pixels[i + 1] | pixels[i + 2], 0);  // black
  }
}

TEST(GlassPlatePixelsTest, GrainIsRepeatableUniformNoiseOfWhiteAndBlack) {
  const auto grain = PlateGrainPixels(64, 64);
  EXPECT_EQ(grain, PlateGrainPixels(64, 64));
  double alphaSum = 0;
  int white = 0;
  for (size_t i = 0; i < grain.size(); i += 4) {
    const int a = grain[i + 3];
    alphaSum += a;
    ASSERT_EQ(grain[i], grain[i + 1]);
    ASSERT_EQ(grain[i], grain[i + 2]);
    ASSERT_TRUE(grain[i] == 0 || grain[i] == a);  // premultiplied white or black
    if (grain[i] == a && a > 0) ++white;
  }
  const int count = 64 * 64;
  EXPECT_NEAR(alphaSum / count, 127.5, 6);
  EXPECT_NEAR(white, count / 2, count / 16);
  // A bigger surface starts with the same noise.
  const auto wider = PlateGrainPixels(128, 1);
  EXPECT_TRUE(std::equal(grain.begin(), grain.begin() + 64 * 4, wider.begin()));
}

// The rim drawn on a pixel canvas; returns BGRA.
std::vector<std::uint8_t> RimPixels(int w, int h, int rimWidth, float radius, bool vertical, const Theme& style) {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(w) * h * 4, 0);
  auto canvas = CreatePixelCanvas(pixels.data(), w, h, w * 4);
  DrawPlateRim(*canvas, w, h, rimWidth, radius, vertical, style);
  canvas.reset();
  return pixels;
}

TEST(GlassPlatePixelsTest, RimIsADarkOutlineAroundALightGradient) {
  const Theme dark = MakeTheme(true, true);
  const int w = 38, h = 62;
  const auto rim = RimPixels(w, h, 1, 16, false, dark);
  const BitmapView view{w, h, w * 4, rim.data()};
  // Outline #80000000 on the edge rows and columns.
  for (auto [x, y] : {std::pair{19, 0}, std::pair{19, h - 1}, std::pair{0, 31}, std::pair{w - 1, 31}}) {
    const auto p = PixelAt(view, x, y);
    EXPECT_NEAR(p.a, 0x80, 3) << x << "," << y;
    EXPECT_EQ(p.r, 0);
  }
  // The light stroke, just inside: brighter at the top (#3AFFFFFF) than at the bottom (#12FFFFFF).
  const auto top = PixelAt(view, 19, 1), bottom = PixelAt(view, 19, h - 2);
  EXPECT_EQ(top.r, top.a);
  EXPECT_NEAR(top.a, 0x3A, 6);
  EXPECT_NEAR(bottom.a, 0x12, 6);
  EXPECT_EQ(PixelAt(view, 19, 31).a, 0);  // hollow
  EXPECT_EQ(PixelAt(view, 0, 0).a, 0);    // round corner

  // A side dock's gradient runs across it, left to right.
  const auto side = RimPixels(h, w, 1, 16, true, MakeTheme(false, true));
  const BitmapView sideView{h, w, h * 4, side.data()};
  EXPECT_NEAR(PixelAt(sideView, 1, 19).a, 0xC3, 8);
  EXPECT_NEAR(PixelAt(sideView, h - 2, 19).a, 0x5C, 8);
}

class GlassPlateRenderTest : public ::testing::Test {
 protected:
  GlassPlateRenderTest() {
    root->SetRelativeSizeAdjustment({1, 1});
    target->SetRoot(root);
  }
  void Build() {
    plate.Initialize(compositor);
    root->InsertAtTop(plate.rootVisual());
  }
  // A 400 x 62 plate at (30, 30) in a 460 x 130 window.
  SoftFrame ConfigureAndRender(const Theme& theme, int length = 400) {
    plate.Configure(DockPlateGeometry(DockConfig{}, 1.0f, length), PlateStyle(theme, 0.56f));
    plate.Place(30, 30, static_cast<float>(length), 62);
    return compositor.Render(*target, 460, 130);
  }

  LogMessages log;
  GlassTestCompositor compositor;
  std::shared_ptr<WindowTarget> target = compositor.CreateWindowTarget(7, true);
  std::shared_ptr<ContainerVisual> root = compositor.CreateContainerVisual();
  GlassPlate plate;
};

TEST_F(GlassPlateRenderTest, SolidPlateWithoutAHostBackdrop) {
  Build();
  EXPECT_EQ(log.lines, std::vector<std::wstring>{L"HostBackdropBrush unavailable (0x80004001), using solid plate"});
  EXPECT_FALSE(plate.backdropAvailable());
  const SoftFrame frame = ConfigureAndRender(MakeTheme(true, true));
  EXPECT_TRUE(compositor.effectRequests.empty());
  // #F0222226 with a grain of at most 0.018 alpha over the shadow.
  const auto centre = PixelAt(frame, 230, 61);
  EXPECT_NEAR(centre.r, 0x22 * 240 / 255, 6);
  EXPECT_NEAR(centre.b, 0x26 * 240 / 255, 6);
  EXPECT_GE(centre.a, 240);
}

TEST_F(GlassPlateRenderTest, BlurredPlateUsesTheGlassOpacity) {
  compositor.SetUniformWallpaper(0x808080);
  Build();
  EXPECT_TRUE(log.lines.empty());
  const SoftFrame frame = ConfigureAndRender(MakeTheme(false, true));
  ASSERT_EQ(compositor.effectRequests.size(), 1u);
  EXPECT_FLOAT_EQ(compositor.effectRequests[0].blurAmount, 22);
  EXPECT_FLOAT_EQ(compositor.effectRequests[0].saturation, 1.45f);
  // #F6F6FA at 143 over grey 128.
  const auto centre = PixelAt(frame, 230, 61);
  EXPECT_NEAR(centre.r, std::lround(0xF6 * 143 / 255.0 + 128 * 112 / 255.0), 6);
  EXPECT_NEAR(centre.b, std::lround(0xFA * 143 / 255.0 + 128 * 112 / 255.0), 6);
  EXPECT_EQ(centre.a, 255);
}

TEST_F(GlassPlateRenderTest, TransparencyOffShowsTheSolidColourOverABackdrop) {
  compositor.SetUniformWallpaper(0xFF0000);
  Build();
  const auto centre = PixelAt(ConfigureAndRender(MakeTheme(true, false)), 230, 61);
  EXPECT_NEAR(centre.r, 0x22 * 240 / 255, 6);  // no red from behind
  EXPECT_NEAR(centre.g, 0x22 * 240 / 255, 6);
}

TEST_F(GlassPlateRenderTest, EffectFailureTurnsThePlateSolidForGood) {
  compositor.SetUniformWallpaper(0x808080);
  compositor.effectError = static_cast<std::int32_t>(0x88990012u);
  Build();
  const auto centre = PixelAt(ConfigureAndRender(MakeTheme(true, true)), 230, 61);
  EXPECT_EQ(log.lines,
            std::vector<std::wstring>{L"GlassPlate: CreateEffectFactory failed (0x88990012), using solid plate"});
  EXPECT_FALSE(plate.backdropAvailable());
  EXPECT_NEAR(centre.r, 0x22 * 240 / 255, 6);
  ConfigureAndRender(MakeTheme(true, true));
  EXPECT_EQ(compositor.effectRequests.size(), 1u);
  EXPECT_EQ(log.lines.size(), 1u);
}

TEST_F(GlassPlateRenderTest, ShadowRimAndCorners) {
  Build();
  const SoftFrame frame = ConfigureAndRender(MakeTheme(true, true));
  // The plate spans rows 30..91 and columns 30..429.
  // The outline (#80000000) halves the plate's 0x22 x 240 / 255 on the top edge.
  EXPECT_NEAR(PixelAt(frame, 230, 30).r, 16, 3);
  EXPECT_GT(PixelAt(frame, 230, 31).r, PixelAt(frame, 230, 61).r);  // light gradient just inside
  // The shadow drops 2 px: deeper just below the plate than just above.
  EXPECT_GT(PixelAt(frame, 230, 94).a, PixelAt(frame, 230, 27).a);
  EXPECT_GT(PixelAt(frame, 230, 27).a, 0);
  EXPECT_EQ(PixelAt(frame, 230, 5).a, 0);
  // The rounded corner shows only the shadow, the far end stretches the same rim.
  const auto corner = PixelAt(frame, 30, 30);
  EXPECT_EQ(corner.r, 0);
  EXPECT_LT(corner.a, 100);
  EXPECT_EQ(PixelAt(frame, 31, 61).a, PixelAt(frame, 428, 61).a);
}

TEST_F(GlassPlateRenderTest, GrainIsIdenticalAcrossConfigures) {
  Build();
  ConfigureAndRender(MakeTheme(true, true));
  ConfigureAndRender(MakeTheme(false, true));
  // Shadow and grain per configure.
  ASSERT_EQ(compositor.pixelUploads.size(), 4u);
  EXPECT_EQ(compositor.pixelUploads[1].width, 400);
  EXPECT_EQ(compositor.pixelUploads[1].height, 62);
  EXPECT_EQ(compositor.pixelUploads[1].pixels, compositor.pixelUploads[3].pixels);
  EXPECT_NE(compositor.pixelUploads[0].pixels, compositor.pixelUploads[2].pixels);  // the shadow follows the theme
}

TEST_F(GlassPlateRenderTest, ConfigureCapsTheRadius) {
  Build();
  plate.Configure({60, 40, 22, 5, 2, 1, 300, false}, MakeTheme(true, true));
  EXPECT_FLOAT_EQ(plate.geometry().cornerRadius, 28.8f);
  EXPECT_EQ(plate.layout().shadowSurfaceSize, 2 * 43 + 2);
}

}  // namespace
}  // namespace orvane
