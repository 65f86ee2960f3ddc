#include <gtest/gtest.h>

#include <cmath>

#include "GlassTestCompositor.h"
#include "SoftCompositorProbe.h"
#include "render/GlassSurfaceWindow.h"

namespace orvane {
namespace {

using testing::GlassTestCompositor;
using testing::PixelAt;
using testing::PixelIs;

TEST(GlassTintTest, AlphaAndColourFollowTheThemeTheBlurAndTheOverride) {
  const Theme dark = MakeTheme(true, true), light = MakeTheme(false, true);
  struct Case {
    const char* name;
    const Theme& theme;
    bool blur;
    bool flat;
    float opacity;
    std::uint32_t argb;
  };
  const Case cases[] = {
      {"dark blurred default", dark, true, false, -1, 0xBA1E1E22},
      {"light blurred default", light, true, false, -1, 0xC4F6F6FA},
      {"dark solid default", dark, false, false, -1, 0xF61E1E22},
      {"light solid default", light, false, false, -1, 0xF6F6F6FA},
      {"override 1.0 clamps to 0.98", dark, true, false, 1.0f, 0xFA1E1E22},
      {"override 0 clamps to 0.05", light, false, false, 0.0f, 0x0DF6F6FA},
      {"override 0.5", light, true, false, 0.5f, 0x80F6F6FA},
      {"flat 0.92", light, true, true, 0.92f, 0xEB0E0F14},
      {"flat 1.0 clamps to 0.92", dark, false, true, 1.0f, 0xEB0E0F14},
      {"flat 0 clamps to 0.10", dark, true, true, 0.0f, 0x1A0E0F14},
      {"flat without an opacity", dark, true, true, -1, 0x1A0E0F14},
      {"flat NaN", dark, true, true, std::nanf(""), 0x1A0E0F14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GlassTintColor(c.theme, c.blur, c.flat, c.opacity), Color::FromArgb(c.argb));
  }
}

class GlassSurfaceWindowTest : public ::testing::Test {
 protected:
  static constexpr NativeWindow kWindow = 42;

  void Attach() { glass.Attach(kWindow, compositor, true); }
  SoftFrame Render() { return compositor.Render(*glass.target(), glass.windowWidthPx(), glass.windowHeightPx()); }

  GlassTestCompositor compositor;
  GlassSurfaceWindow glass;
};

TEST_F(GlassSurfaceWindowTest, SizesRoundToWholePixels) {
  struct Case {
    float width, height, margin, scale;
    float marginPx;
    int plateW, plateH, windowW, windowH;
  };
  const Case cases[] = {
      {200, 100, 12, 1.0f, 12, 200, 100, 224, 124},
      {200, 100, 12, 1.25f, 15, 250, 125, 280, 155},
      {100.3f, 33.3f, 9, 1.5f, 14, 150, 50, 178, 78},  // 13.5 rounds up, 150.45 down
      {200, 100, 12, 0.5f, 12, 200, 100, 224, 124},    // popups never go below 1.0
      {0.2f, 0, 0, 1.0f, 0, 1, 1, 1, 1},
  };
  Attach();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale);
    glass.Configure(c.width, c.height, c.margin, 8, c.scale, MakeTheme(true, true), 20, -1);
    EXPECT_FLOAT_EQ(glass.marginPx(), c.marginPx);
    EXPECT_EQ(glass.contentWidthPx(), c.plateW);
    EXPECT_EQ(glass.contentHeightPx(), c.plateH);
    EXPECT_EQ(glass.windowWidthPx(), c.windowW);
    EXPECT_EQ(glass.windowHeightPx(), c.windowH);
    ASSERT_NE(glass.contentSurface(), nullptr);
    EXPECT_EQ(glass.contentSurface()->width(), c.plateW);
    EXPECT_EQ(glass.contentSurface()->height(), c.plateH);
  }
}

TEST_F(GlassSurfaceWindowTest, PlateShowsTheTintInsideTheRoundedClip) {
  struct Case {
    const char* name;
    bool dark;
    float opacity;
    std::uint32_t rgb;
    int alpha;
  };
  // Nothing behind the window and no margin, so no shadow under the plate
  // either: the tint alone, at the solid alpha.
  const Case cases[] = {
      {"dark", true, -1, 0x1E1E22, 246},
      {"light", false, -1, 0xF6F6FA, 246},
      {"override", false, 1.0f, 0xF6F6FA, 250},
  };
  Attach();
  ASSERT_FALSE(glass.backdropAvailable());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    glass.Configure(100, 60, 0, 12, 1.0f, MakeTheme(c.dark, true), 20, c.opacity);
    const SoftFrame frame = Render();
    EXPECT_TRUE(PixelIs(frame, 50, 30, c.rgb, c.alpha));
    EXPECT_TRUE(PixelIs(frame, 50, 0, c.rgb, c.alpha));
    // The corners lie outside the rounded clip.
    EXPECT_EQ(PixelAt(frame, 0, 0).a, 0);
    EXPECT_EQ(PixelAt(frame, 99, 59).a, 0);
  }
}

TEST_F(GlassSurfaceWindowTest, BlurredBackdropShowsThroughTheDefaultTint) {
  compositor.SetUniformWallpaper(0x808080);
  Attach();
  ASSERT_TRUE(glass.backdropAvailable());
  glass.Configure(100, 60, 10, 12, 1.5f, MakeTheme(true, true), 20, -1);
  ASSERT_EQ(compositor.effectRequests.size(), 1u);
  EXPECT_FLOAT_EQ(compositor.effectRequests[0].blurAmount, 30);
  EXPECT_FLOAT_EQ(compositor.effectRequests[0].saturation, 1.42f);

  // Grey stays grey through saturation and blur; the tint (30, 30, 34) at
  // 186 covers it.
  const auto over = [](int tint) { return static_cast<int>(std::lround(tint * 186 / 255.0 + 128 * 69 / 255.0)); };
  const auto centre = PixelAt(Render(), 90, 60);
  EXPECT_NEAR(centre.r, over(30), 3);
  EXPECT_NEAR(centre.b, over(34), 3);
  EXPECT_EQ(centre.a, 255);
}

TEST_F(GlassSurfaceWindowTest, TransparencyOffHidesTheBackdrop) {
  compositor.SetUniformWallpaper(0xFF0000);
  Attach();
  for (bool dark : {true, false}) {
    SCOPED_TRACE(dark);
    glass.Configure(100, 60, 0, 12, 1.0f, MakeTheme(dark, false), 20, -1);
    EXPECT_TRUE(PixelIs(Render(), 50, 30, dark ? 0x1E1E22 : 0xF6F6FA, 246));
  }
}

TEST_F(GlassSurfaceWindowTest, EffectFailureHidesTheBackdropButKeepsTheBlurredTint) {
  compositor.SetUniformWallpaper(0xFF0000);
  compositor.effectError = static_cast<std::int32_t>(0x80004005u);
  Attach();
  glass.Configure(100, 60, 0, 12, 1.0f, MakeTheme(true, true), 20, -1);
  EXPECT_TRUE(PixelIs(Render(), 50, 30, 0x1E1E22, 186));
  // Every configure tries again.
  glass.Configure(100, 60, 0, 12, 1.0f, MakeTheme(true, true), 20, -1);
  EXPECT_EQ(compositor.effectRequests.size(), 2u);
}

TEST_F(GlassSurfaceWindowTest, ShadowFallsBelowThePlateAndDeepensWithTheDarkTheme) {
  Attach();
  // Scale 2.5: the plate is 100 x 50 px at (50, 50), its centre row 75, the
  // shadow drops 2.2 x 2.5 = 5.5 px. Rows 45 and 115 lie 35 px either side
  // of the shadow's centre line, rows 40 and 110 equally far from the plate's.
  glass.Configure(40, 20, 20, 6, 2.5f, MakeTheme(true, true), 20, -1);
  SoftFrame frame = Render();
  EXPECT_NEAR(PixelAt(frame, 100, 45).a, PixelAt(frame, 100, 115).a, 3);
  EXPECT_GT(PixelAt(frame, 100, 110).a, PixelAt(frame, 100, 40).a + 5);
  const int darkAlpha = PixelAt(frame, 100, 112).a;

  glass.SetStyle(MakeTheme(false, true), -1);
  frame = Render();
  const int lightAlpha = PixelAt(frame, 100, 112).a;
  ASSERT_GT(lightAlpha, 5);
  // Shadow colour alpha 0.5 against 0.24.
  EXPECT_NEAR(static_cast<double>(darkAlpha) / lightAlpha, 0.5 / 0.24, 0.25);
  EXPECT_EQ(PixelAt(frame, 100, 112).r, 0);
}

TEST_F(GlassSurfaceWindowTest, ShadowIsOneSmallSurfaceWhateverThePopupSize) {
  Attach();
  // Sigma 4.8 px: the shadow reaches 15 px; with a 12 px radius the square
  // surface is 2 x 27 + 2 px and the nine-grid stretches it around the plate.
  glass.Configure(900, 700, 12, 12, 1.0f, MakeTheme(true, true), 20, -1);
  ASSERT_EQ(compositor.pixelUploads.size(), 1u);
  EXPECT_EQ(compositor.pixelUploads[0].width, 56);
  EXPECT_EQ(compositor.pixelUploads[0].height, 56);
  const SoftFrame frame = Render();
  // Along the bottom edge the shadow is the same far from the corners.
  EXPECT_EQ(PixelAt(frame, 200, 718).a, PixelAt(frame, 700, 718).a);
  EXPECT_GT(PixelAt(frame, 200, 718).a, 0);
  // Flat glass drops it.
  glass.ConfigureFlat(300, 200, 1.0f, MakeTheme(true, true), 20, 0.5f);
  glass.SetStyle(MakeTheme(false, true), -1);
  EXPECT_EQ(compositor.pixelUploads.size(), 1u);
}

TEST_F(GlassSurfaceWindowTest, NoMarginMeansNoShadow) {
  Attach();
  glass.Configure(100, 60, 0, 12, 1.0f, MakeTheme(true, true), 20, -1);
  EXPECT_EQ(compositor.surfaceDraws, 0);
  glass.SetStyle(MakeTheme(false, true), -1);
  EXPECT_EQ(compositor.surfaceDraws, 0);
  EXPECT_EQ(PixelAt(Render(), 0, 0).a, 0);  // outside the rounded corner
}

TEST_F(GlassSurfaceWindowTest, SetStyleKeepsTheOpacityUnlessANewOneIsGiven) {
  Attach();
  glass.Configure(100, 60, 0, 12, 1.0f, MakeTheme(true, false), 20, 0.5f);
  glass.SetStyle(MakeTheme(false, false), -1);
  EXPECT_TRUE(PixelIs(Render(), 50, 30, 0xF6F6FA, 128));
  glass.SetStyle(MakeTheme(false, false), 0.2f);
  EXPECT_TRUE(PixelIs(Render(), 50, 30, 0xF6F6FA, 51));
}

TEST_F(GlassSurfaceWindowTest, ContentIsDrawnOverTheTintAndReleasedWhenHidden) {
  Attach();
  glass.Configure(100, 60, 10, 12, 1.0f, MakeTheme(true, false), 20, -1);
  ASSERT_TRUE(compositor.DrawSurface(*glass.contentSurface(), glass.contentWidthPx(), glass.contentHeightPx(),
                                     [](Canvas& canvas) { canvas.FillRect({40, 20, 60, 40}, testing::Rgb(0x00FF00)); }));
  SoftFrame frame = Render();
  EXPECT_TRUE(PixelIs(frame, 60, 40, 0x00FF00));  // content starts at the plate's corner
  EXPECT_FALSE(PixelIs(frame, 45, 40, 0x00FF00));

  glass.ReleaseSurfaces();
  EXPECT_EQ(glass.contentSurface(), nullptr);
  frame = Render();
  EXPECT_TRUE(PixelIs(frame, 60, 40, 0x1E1E22, 246));  // the tint stays, the content is gone
  EXPECT_EQ(PixelAt(frame, 60, 3).a, 0);               // so is the shadow

  glass.Configure(100, 60, 10, 12, 1.0f, MakeTheme(true, false), 20, -1);
  ASSERT_NE(glass.contentSurface(), nullptr);
  EXPECT_GT(PixelAt(Render(), 60, 3).a, 0);
}

TEST_F(GlassSurfaceWindowTest, FlatPlateFillsTheWindowWithoutShadowOrCorners) {
  Attach();
  glass.Configure(100, 60, 10, 12, 1.0f, MakeTheme(true, true), 20, -1);
  const int shadowDraws = compositor.surfaceDraws;
  glass.ConfigureFlat(300, 200, 2.0f, MakeTheme(true, true), 20, 0.92f);
  EXPECT_TRUE(glass.flatMode());
  EXPECT_EQ(glass.windowWidthPx(), 300);
  EXPECT_EQ(glass.contentHeightPx(), 200);
  EXPECT_EQ(compositor.surfaceDraws, shadowDraws);
  const SoftFrame frame = Render();
  EXPECT_TRUE(PixelIs(frame, 0, 0, 0x0E0F14, 235));
  EXPECT_TRUE(PixelIs(frame, 299, 199, 0x0E0F14, 235));
  // A style change in flat mode draws no shadow either.
  glass.SetStyle(MakeTheme(false, true), 0.0f);
  EXPECT_EQ(compositor.surfaceDraws, shadowDraws);
  EXPECT_TRUE(PixelIs(Render(), 150, 100, 0x0E0F14, 26));
}

TEST_F(GlassSurfaceWindowTest, TextFormatsUseTheProductFontAtThePlateScale) {
  Attach();
  glass.Configure(100, 60, 10, 12, 1.5f, MakeTheme(true, true), 20, -1);
  const TextStyle style = glass.CreateTextFormat(13, 600, TextAlignment::Center, true);
  EXPECT_EQ(style.family, L"Microsoft YaHei UI");
  EXPECT_FLOAT_EQ(style.size, 19.5f);
  EXPECT_EQ(style.weight, 600);
  EXPECT_EQ(style.alignment, TextAlignment::Center);
  EXPECT_EQ(style.paragraph, ParagraphAlignment::Center);
  EXPECT_FALSE(style.wrap);
  EXPECT_TRUE(style.ellipsis);
}

TEST_F(GlassSurfaceWindowTest, ALookOfItsOwnSetsTintsSaturationAndShadow) {
  GlassLook look;
  look.darkBlurTint = 0xB2222226;
  look.lightBlurTint = 0xBCF8F8FC;
  look.darkSolidTint = 0xF628282C;
  look.lightSolidTint = 0xF8F6F6FA;
  look.saturation = 1.45f;
  look.shadowDeviationDip = 4.5f;
  look.shadowDropDip = 2;
  Attach();
  glass.SetLook(look);
  // Solid tints by theme; a tint opacity does not override the look's.
  for (bool dark : {true, false}) {
    SCOPED_TRACE(dark);
    glass.Configure(100, 60, 0, 10, 1.0f, MakeTheme(dark, false), 20, 0.3f);
    EXPECT_TRUE(PixelIs(Render(), 50, 30, dark ? 0x28282C : 0xF6F6FA, dark ? 0xF6 : 0xF8));
  }
  // The theme changes on its own: the look follows it.
  glass.SetStyle(MakeTheme(true, false), -1);
  EXPECT_TRUE(PixelIs(Render(), 50, 30, 0x28282C, 0xF6));

  // Sigma 4.5 x 2 = 9 px reaches 27 px; with the 20 px corner the shadow
  // surface is 2 x 47 + 2 px (the popups' 4.8 would make it 100).
  compositor.SetUniformWallpaper(0x808080);
  GlassSurfaceWindow blurred;
  blurred.Attach(kWindow + 1, compositor, true);
  blurred.SetLook(look);
  blurred.Configure(100, 60, 12, 10, 2.0f, MakeTheme(false, true), 20, -1);
  ASSERT_EQ(compositor.effectRequests.size(), 1u);
  EXPECT_FLOAT_EQ(compositor.effectRequests[0].saturation, 1.45f);
  EXPECT_FLOAT_EQ(compositor.effectRequests[0].blurAmount, 40);
  ASSERT_FALSE(compositor.pixelUploads.empty());
  EXPECT_EQ(compositor.pixelUploads.back().width, 96);

  // Back to the popups' own look.
  glass.SetLook(std::nullopt);
  glass.Configure(100, 60, 0, 10, 1.0f, MakeTheme(true, false), 20, -1);
  EXPECT_TRUE(PixelIs(Render(), 50, 30, 0x1E1E22, 246));
}

}  // namespace
}  // namespace orvane
