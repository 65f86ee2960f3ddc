// Backdrop brushes of the software compositor: the wallpaper region behind
// the window, saturated and blurred for the effect brush.

#include <gtest/gtest.h>

#include <cmath>

#include "SoftCompositorProbe.h"
#include "render/SoftBackdrop.h"

namespace orvane::testing {
namespace {

constexpr std::int32_t kNotImplemented = static_cast<std::int32_t>(0x80004001u);

class SoftBackdropTest : public SoftCompositorTest {
 protected:
  // 200 x 100 screen: black left of x = 100, white from it on.
  void SetEdgeWallpaper() {
    wallpaper_ = OpaquePixels(200, 100, [](int x, int) { return x < 100 ? kBlack : kWhite; });
    compositor.SetWallpaper(BitmapView{200, 100, 800, wallpaper_.data()});
  }

  // A sprite filling the frame with the backdrop, through the effect unless `blur` is negative.
  std::shared_ptr<SpriteVisual> AddBackdropSprite(float blur, float saturation = 1) {
    std::shared_ptr<CompositionBrush> brush = compositor.CreateHostBackdropBrush();
    if (blur >= 0) {
      brush = compositor.CreateBackdropEffectBrush(std::static_pointer_cast<BackdropBrush>(brush), blur, saturation);
    }
    auto sprite = compositor.CreateSpriteVisual();
    sprite->SetRelativeSizeAdjustment({1, 1});
    sprite->SetBrush(brush);
    root->InsertAtTop(sprite);
    return sprite;
  }

  std::vector<std::uint8_t> wallpaper_;
};

TEST_F(SoftBackdropTest, NoHostBackdropWithoutAWallpaper) {
  try {
    compositor.CreateHostBackdropBrush();
    FAIL() << "expected a refusal";
  } catch (const HResultError& e) {
    EXPECT_EQ(e.code(), kNotImplemented);
  }
  SetEdgeWallpaper();
  EXPECT_NO_THROW(compositor.CreateHostBackdropBrush());
}

TEST_F(SoftBackdropTest, HostBackdropShowsTheWallpaperBehindTheWindow) {
  SetEdgeWallpaper();
  AddBackdropSprite(-1);
  const SoftFrame frame = Render(100, 100, ScreenPoint{50, 0});
  EXPECT_TRUE(PixelIs(frame, 49, 50, kBlack, 255, 0));
  EXPECT_TRUE(PixelIs(frame, 50, 50, kWhite, 255, 0));
}

TEST_F(SoftBackdropTest, EffectBrushBlursTheRegionBehindTheWindow) {
  SetEdgeWallpaper();
  AddBackdropSprite(10);
  const SoftFrame frame = Render(100, 100, ScreenPoint{50, 0});

  // At the edge the colour is close to the local average, not black or white.
  const Pixel edge = PixelAt(frame, 50, 50);
  EXPECT_EQ(edge.a, 255);
  EXPECT_NEAR(edge.r, 140, 25);
  EXPECT_EQ(edge.r, edge.b);
  // Well away from the edge (more than three deviations) the wallpaper shows as it is.
  EXPECT_TRUE(PixelIs(frame, 5, 50, kBlack, 255, 2));
  EXPECT_TRUE(PixelIs(frame, 95, 50, kWhite, 255, 2));
}

// Large blurs run on a reduced copy; the result must still be the Gaussian
// of the requested deviation, centred where the edge is.
TEST_F(SoftBackdropTest, BlurredEdgeFollowsTheExactGaussian) {
  wallpaper_ = OpaquePixels(400, 8, [](int x, int) { return x < 200 ? kBlack : kWhite; });
  compositor.SetWallpaper(BitmapView{400, 8, 1600, wallpaper_.data()});
  for (float sigma : {4.0f, 10.0f, 30.0f}) {
    root->RemoveAll();
    AddBackdropSprite(sigma);
    const SoftFrame frame = Render(400, 8);
    for (int x = 200 - 3 * static_cast<int>(sigma); x < 200 + 3 * sigma; ++x) {
      const double exact = 255 * 0.5 * std::erfc((200 - (x + 0.5)) / (sigma * std::sqrt(2.0)));
      EXPECT_NEAR(PixelAt(frame, x, 4).g, exact, 4) << "deviation " << sigma << ", x " << x;
    }
  }
}

TEST_F(SoftBackdropTest, TheBlurNeverGoesBelowFourPixels) {
  SetEdgeWallpaper();
  AddBackdropSprite(0);
  const SoftFrame frame = Render(100, 100, ScreenPoint{50, 0});
  EXPECT_GT(PixelAt(frame, 48, 50).r, 30) << "2 px from the edge";
  EXPECT_LT(PixelAt(frame, 30, 50).r, 3) << "20 px from the edge";
}

TEST_F(SoftBackdropTest, SaturationComesBeforeTheBlur) {
  wallpaper_ = OpaquePixels(50, 50, [](int, int) { return 0xC86432u; });  // (200, 100, 50)
  compositor.SetWallpaper(BitmapView{50, 50, 200, wallpaper_.data()});
  const struct {
    float saturation;
    int r, g, b;
  } cases[] = {{0, 118, 118, 118}, {1, 200, 100, 50}, {2, 255, 82, 0}};
  for (const auto& c : cases) {
    root->RemoveAll();
    AddBackdropSprite(6, c.saturation);
    const Pixel p = PixelAt(Render(20, 20), 10, 10);
    EXPECT_NEAR(p.r, c.r, 3) << c.saturation;
    EXPECT_NEAR(p.g, c.g, 3) << c.saturation;
    EXPECT_NEAR(p.b, c.b, 3) << c.saturation;
  }
}

TEST_F(SoftBackdropTest, FollowsTheWindowPositionAndTheWallpaper) {
  SetEdgeWallpaper();
  AddBackdropSprite(5);
  EXPECT_GT(PixelAt(Render(100, 100, ScreenPoint{50, 0}), 70, 50).r, 250);
  EXPECT_LT(PixelAt(Render(100, 100, ScreenPoint{0, 0}), 70, 50).r, 3);

  const auto white = OpaquePixels(200, 100, [](int, int) { return kWhite; });
  compositor.SetWallpaper(BitmapView{200, 100, 800, white.data()});
  EXPECT_GT(PixelAt(Render(100, 100, ScreenPoint{0, 0}), 10, 50).r, 250);

  // Without a wallpaper existing backdrop brushes show nothing.
  compositor.SetWallpaper(BitmapView{});
  EXPECT_EQ(InkBox(Render()), Box{});
}

TEST_F(SoftBackdropTest, BackdropFadesWithOpacityAndStaysAlignedWithTheScreen) {
  SetEdgeWallpaper();
  auto sprite = AddBackdropSprite(-1);
  sprite->SetRelativeSizeAdjustment({0, 0});
  sprite->SetSize({40, 40});
  sprite->SetOffset({30, 30, 0});
  sprite->SetCenterPoint({20, 20, 0});
  sprite->SetRotationAngleInDegrees(45);
  sprite->SetOpacity(0.5f);

  const SoftFrame frame = Render(100, 100, ScreenPoint{50, 0});
  // The picture is not turned with the visual: the edge stays vertical at x = 50.
  EXPECT_TRUE(PixelIs(frame, 48, 50, kBlack, 128, 2));
  EXPECT_TRUE(PixelIs(frame, 52, 50, kWhite, 128, 2));
  EXPECT_TRUE(PixelIs(frame, 50, 30, kWhite, 128, 2));
  EXPECT_EQ(PixelAt(frame, 32, 32).a, 0) << "outside the turned square";
}

TEST(SoftBackdropRegionTest, PixelsOutsideThePictureRepeatItsEdges) {
  // 2 x 2 picture: (0,0) red, (1,0) green, (0,1) blue, (1,1) white.
  const auto picture = OpaquePixels(2, 2, [](int x, int y) {
    static const std::uint32_t kColors[2][2] = {{kRed, kGreen}, {kBlue, kWhite}};
    return kColors[y][x];
  });
  const auto region = CopyPictureRegion(BitmapView{2, 2, 8, picture.data()}, PixelRect{-2, -1, 5, 4});
  ASSERT_EQ(region.size(), 5u * 4 * 4);
  const SoftFrame frame{5, 4, region};
  const std::uint32_t expected[4][5] = {{kRed, kRed, kRed, kGreen, kGreen},
                                        {kRed, kRed, kRed, kGreen, kGreen},
                                        {kBlue, kBlue, kBlue, kWhite, kWhite},
                                        {kBlue, kBlue, kBlue, kWhite, kWhite}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_TRUE(PixelIs(frame, x, y, expected[y][x], 255, 0));
  }
  EXPECT_EQ(CopyPictureRegion(BitmapView{}, PixelRect{0, 0, 2, 1}), std::vector<std::uint8_t>(8, 0));
}

}  // namespace
}  // namespace orvane::testing
