#include <gtest/gtest.h>

#include <cmath>

#include "DockPictureFixture.h"
#include "SoftCompositorProbe.h"
#include "dock/DockPictures.h"

namespace orvane {
namespace {

using testing::Pixel;
using testing::PixelAt;
using testing::Shows;

IconImage HalvesIcon(int side) {
  // Left half red, right half blue: shows where the scaled icon landed.
  IconImage icon{side, side, testing::OpaquePixels(side, side, [side](int x, int) {
                   return x < side / 2 ? testing::kRed : testing::kBlue;
                 })};
  return icon;
}

TEST(IconPictureTargetTest, MagnifiedSizeRoundedUpAndClamped) {
  struct Case {
    float magnification, iconSize, scale;
    int target;
  };
  const Case cases[] = {
      {1.8f, 48, 1, 87},     // 86.4 rounds up
      {1.65f, 48, 1.5f, 119},
      {1.0f, 28, 1, 64},     // lower clamp
      {2.5f, 96, 2, 256},    // upper clamp
      {1.0f, 64, 1, 64},
      {1.0f, 256, 1, 256},
      {std::nanf(""), 48, 1, 64},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IconPictureTarget(c.magnification, c.iconSize, c.scale), c.target)
        << c.magnification << " x " << c.iconSize << " x " << c.scale;
  }
}

using ItemPictureTest = testing::DockPictureFixture;

TEST_F(ItemPictureTest, LargeIconIsScaledDownToTheMagnifiedSize) {
  pictures.RefreshItemPicture(DockItemKind::Pinned, item, HalvesIcon(256), {}, settings);
  ASSERT_NE(item.surface, nullptr);
  EXPECT_EQ(item.surface->width(), 87);
  EXPECT_EQ(item.surface->height(), 87);
  EXPECT_EQ(item.brush->surface(), item.surface);
  const BitmapView view = Picture();
  EXPECT_TRUE(Shows(PixelAt(view, 10, 43), testing::kRed));
  EXPECT_TRUE(Shows(PixelAt(view, 76, 43), testing::kBlue));
  EXPECT_TRUE(Shows(PixelAt(view, 86, 86), testing::kBlue));
}

TEST_F(ItemPictureTest, SmallIconIsUploadedUnchanged) {
  const IconImage icon = HalvesIcon(48);
  pictures.RefreshItemPicture(DockItemKind::Running, item, icon, {}, settings);
  ASSERT_NE(item.surface, nullptr);
  EXPECT_EQ(item.surface->width(), 48);
  EXPECT_EQ(item.surface->height(), 48);
  const BitmapView view = Picture();
  EXPECT_TRUE(std::equal(icon.pixels.begin(), icon.pixels.end(), view.pixels));
}

TEST_F(ItemPictureTest, IconWithoutUsablePixelsChangesNothing) {
  pictures.RefreshItemPicture(DockItemKind::Pinned, item, IconImage{}, {}, settings);
  EXPECT_EQ(item.surface, nullptr);
  EXPECT_EQ(item.brush->surface(), nullptr);

  pictures.RefreshItemPicture(DockItemKind::Pinned, item, HalvesIcon(48), {}, settings);
  const auto shown = item.surface;
  IconImage shortBuffer = HalvesIcon(64);
  shortBuffer.pixels.resize(shortBuffer.pixels.size() / 2);  // claims more rows than it holds
  for (const IconImage& icon : {IconImage{}, shortBuffer, IconImage{0, 48, {}}}) {
    pictures.RefreshItemPicture(DockItemKind::Pinned, item, icon, {}, settings);
    EXPECT_EQ(item.surface, shown);
    EXPECT_EQ(item.surface->width(), 48);
    EXPECT_TRUE(Shows(PixelAt(Picture(), 5, 5), testing::kRed));
  }
}

TEST_F(ItemPictureTest, RefreshAtAnotherScaleResizesTheSameSurface) {
  pictures.RefreshItemPicture(DockItemKind::Pinned, item, HalvesIcon(256), {}, settings);
  const auto first = item.surface;
  settings.scale = 2;
  pictures.RefreshItemPicture(DockItemKind::Pinned, item, HalvesIcon(256), {}, settings);
  EXPECT_EQ(item.surface, first);
  EXPECT_EQ(item.surface->width(), 173);
}

// --- Glyphs -----------------------------------------------------------------------

bool Reddish(Pixel p) { return p.a > 240 && p.r > 220 && p.g < 100 && p.b < 100; }

TEST_F(ItemPictureTest, GlyphsDrawTheirPlateAndMotif) {
  struct Probe {
    int x, y;
    std::uint32_t rgb;
    int alpha;
  };
  struct Case {
    DockItemKind kind;
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      {DockItemKind::LauncherButton,
       {{20, 80, 0x24293A, 245},  // plate
        {41, 41, 0xFF5C61, 255},  // first square
        {80, 80, 0x1FB8F5, 255},  // centre square
        {119, 119, 0xDBE5F5, 255},
        {60, 41, 0x24293A, 245}}},  // between two squares
      {DockItemKind::NotificationArea,
       {{20, 80, 0x1F5CB8, 245},
        {57, 57, 0xF6F8FC, 255},  // white at 0.96 over the plate
        {103, 57, 0xF6F8FC, 255},
        {103, 103, 0x30D158, 255},
        {80, 80, 0x1F5CB8, 245}}},
      {DockItemKind::Power, {{80, 100, 0x29242E, 245}, {30, 30, 0x29242E, 245}}},
  };
  for (const Case& c : cases) {
    pictures.RefreshItemPicture(c.kind, item, {}, {}, settings);
    ASSERT_EQ(item.surface->width(), kGlyphSide);
    ASSERT_EQ(item.surface->height(), kGlyphSide);
    const BitmapView view = Picture();
    for (const Probe& p : c.probes) {
      const Pixel got = PixelAt(view, p.x, p.y);
      EXPECT_TRUE(Shows(got, p.rgb, p.alpha, 4))
          << static_cast<int>(c.kind) << " at (" << p.x << ", " << p.y << "): " << got.r << ", " << got.g << ", "
          << got.b << ", " << got.a;
    }
    // Outside the rounded plate the glyph is transparent.
    EXPECT_EQ(PixelAt(view, 5, 5).a, 0);
    EXPECT_EQ(PixelAt(view, 13, 13).a, 0);
  }
}

TEST_F(ItemPictureTest, PowerRingIsOpenAtTheTopWithTheBarInTheGap) {
  pictures.RefreshItemPicture(DockItemKind::Power, item, {}, {}, settings);
  const BitmapView view = Picture();
  const float cx = 80, cy = 0.52f * 160;
  auto onRing = [&](float degrees) {
    const float a = degrees * 3.14159265f / 180;
    return PixelAt(view, static_cast<int>(std::lround(cx + 36 * std::cos(a))),
                   static_cast<int>(std::lround(cy + 36 * std::sin(a))));
  };
  for (float degrees : {-40.0f, 0.0f, 90.0f, 180.0f, 220.0f}) EXPECT_TRUE(Reddish(onRing(degrees))) << degrees;
  // The gap: from -45 degrees back to 225 degrees over the top, minus the bar.
  for (float degrees : {-60.0f, -75.0f, 240.0f, 250.0f}) EXPECT_FALSE(Reddish(onRing(degrees))) << degrees;
  for (int y : {42, 47, 60, 78}) EXPECT_TRUE(Reddish(PixelAt(view, 80, y))) << y;
  EXPECT_FALSE(Reddish(PixelAt(view, 80, 35)));   // above the bar
  EXPECT_FALSE(Reddish(PixelAt(view, 80, 100)));  // inside the ring
}

// --- Shared sprites -----------------------------------------------------------------

TEST(IndicatorDotTest, SurfaceSideFollowsTheScaleWithAFloor) {
  const std::pair<float, int> cases[] = {{1, 12}, {1.25f, 12}, {1.5f, 12}, {2, 16}, {2.5f, 20}, {3, 24}};
  for (const auto& [scale, side] : cases) EXPECT_EQ(IndicatorSurfaceSide(scale), side) << scale;
}

TEST(PuffTextureTest, PixelsFollowTheLumpyFalloff) {
  const std::vector<std::uint8_t> pixels = PuffTexturePixels();
  ASSERT_EQ(pixels.size(), 64u * 64u * 4u);
  struct Case {
    int row, column;
    int b, g, r, a;
  };
  // Row 32, column 48 by hand: x = 16.5 / 32, y = 0.5 / 32, r = 0.51586,
  // theta = 0.030294, edge = 1 + 0.14 sin(0.69088) + 0.08 cos(-0.94853) = 1.13580,
  // v = 0.54582, a = 0.85 v^1.6 = 0.32260, A = lround(82.26) = 82,
  // B = G = 82 * 242 / 255 = 77, R = 82 * 245 / 255 = 78.
  const Case cases[] = {
      {32, 48, 77, 77, 78, 82},
      {16, 40, 57, 57, 58, 61},  // the rim bulges here ...
      {48, 20, 45, 45, 46, 48},  // ... and is pulled in here, at the same distance
      {0, 0, 0, 0, 0, 0},
      {63, 63, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const std::uint8_t* p = pixels.data() + (static_cast<size_t>(c.row) * 64 + c.column) * 4;
    EXPECT_EQ(p[0], c.b) << c.row << ", " << c.column;
    EXPECT_EQ(p[1], c.g) << c.row << ", " << c.column;
    EXPECT_EQ(p[2], c.r) << c.row << ", " << c.column;
    EXPECT_EQ(p[3], c.a) << c.row << ", " << c.column;
  }
}

TEST(DockPicturesSpritesTest, SharedSpritesFollowScaleThemeAndDeviceLoss) {
  SoftCompositor compositor;
  DockPictures pictures;
  const Theme dark = MakeTheme(true, true), light = MakeTheme(false, true);
  pictures.CreateSharedSprites(compositor, 1, dark);
  ASSERT_NE(pictures.effectContainer(), nullptr);
  const auto indicator = pictures.indicatorBrush()->surface();
  ASSERT_NE(indicator, nullptr);
  EXPECT_EQ(indicator->width(), 12);
  const auto puff = pictures.puffBrush()->surface();
  ASSERT_NE(puff, nullptr);
  EXPECT_EQ(puff->width(), kPuffSide);
  EXPECT_EQ(PixelAt(SoftCompositor::SurfacePixels(*puff), 48, 32).a, 82);
  // The dot in the theme's indicator colour over its glow: alpha a + (1 - a) x 0.28a.
  EXPECT_TRUE(Shows(PixelAt(SoftCompositor::SurfacePixels(*indicator), 6, 6), 0xFFFFFF, 228, 4));
  pictures.SetTheme(light);
  EXPECT_TRUE(Shows(PixelAt(SoftCompositor::SurfacePixels(*indicator), 6, 6), 0x1C1C20, 220, 4));

  pictures.SetScaleAndTheme(2, dark);
  const BitmapView large = SoftCompositor::SurfacePixels(*pictures.indicatorBrush()->surface());
  EXPECT_EQ(large.width, 16);
  EXPECT_TRUE(Shows(PixelAt(large, 8, 8), 0xFFFFFF, 228, 4));
  // Between the dot (radius 4) and the glow's edge (5.8) only the glow shows.
  EXPECT_NEAR(PixelAt(large, 8, 3).a, 0xDC * 0.28, 8);
  EXPECT_EQ(PixelAt(large, 8, 1).a, 0);

  // Text formats are made on the first tile draw, again for another scale,
  // and dropped when the device is lost.
  ItemPicture music{nullptr, compositor.CreateSurfaceBrush(nullptr)};
  pictures.DrawMusicItem(music, {}, PictureSettings{48, 1.65f, 1, L"bottom"});
  ASSERT_TRUE(pictures.musicTextFormats().title.has_value());
  EXPECT_FLOAT_EQ(pictures.musicTextFormats().title->size, 11.5f);
  pictures.DrawMusicItem(music, {}, PictureSettings{48, 1.65f, 2, L"bottom"});
  EXPECT_FLOAT_EQ(pictures.musicTextFormats().title->size, 23.0f);
  EXPECT_FLOAT_EQ(pictures.musicTextFormats().line->size, 20.4f);
  pictures.DeviceLost();
  EXPECT_FALSE(pictures.musicTextFormats().title.has_value());
  EXPECT_FALSE(pictures.musicTextFormats().line.has_value());
  pictures.DrawMusicItem(music, {}, PictureSettings{48, 1.65f, 2, L"bottom"});
  EXPECT_FLOAT_EQ(pictures.musicTextFormats().title->size, 23.0f);
  EXPECT_FLOAT_EQ(pictures.musicTextFormats().line->size, 20.4f);
}

}  // namespace
}  // namespace orvane
