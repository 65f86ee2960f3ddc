// Frames brought up to date piece by piece must equal frames drawn whole,
// and the pieces must stay small when little changed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "render/FrameRaster.h"
#include "render/SoftRender.h"
#include "SoftCompositorProbe.h"

namespace orvane::testing {
namespace {

constexpr int kWidth = 240, kHeight = 120;
constexpr NativeWindow kWindow = 1;

// A scene with one of each kind of drawing: colour, picture, nine-grid,
// rounded clip, group fade, rotation and backdrop.
class DamageScene : public SoftCompositorTest {
 public:
  using SoftCompositorTest::AddSprite;
  using SoftCompositorTest::compositor;
  using SoftCompositorTest::root;
  using SoftCompositorTest::target;

  DamageScene() {
    const std::uint8_t wall[] = {0x40, 0x80, 0xC0, 0xFF};
    std::vector<std::uint8_t> wallpaper;
    for (int i = 0; i < 400 * 300; ++i) wallpaper.insert(wallpaper.end(), wall, wall + 4);
    compositor.SetWallpaper(BitmapView{400, 300, 400 * 4, wallpaper.data()});

    glass = compositor.CreateSpriteVisual();
    glass->SetBrush(compositor.CreateBackdropEffectBrush(compositor.CreateHostBackdropBrush(), 4, 1.2f));
    glass->SetOffset({4, 60, 0});
    glass->SetSize({120, 50});
    root->InsertAtTop(glass);

    block = AddSprite(kRed, {10, 10}, {30, 20});
    picture = compositor.CreateSpriteVisual();
    surface = SurfaceWith(16, 16, [](int x, int y) { return (x + y) % 2 != 0 ? kWhite : kBlue; });
    picture->SetBrush(compositor.CreateSurfaceBrush(surface));
    picture->SetOffset({60.5f, 12.25f, 0});
    picture->SetSize({24.5f, 24.5f});
    root->InsertAtTop(picture);

    auto plate = compositor.CreateSpriteVisual();
    auto grid = compositor.CreateNineGridBrush(compositor.CreateSurfaceBrush(SurfaceWith(9, 9, [](int x, int) {
      return x < 3 ? kBlack : kGreen;
    })));
    grid->SetInsets(3, 3, 3, 3);
    plate->SetBrush(grid);
    plate->SetOffset({100, 8, 0});
    plate->SetSize({50.3f, 30});
    root->InsertAtTop(plate);

    clipped = compositor.CreateContainerVisual();
    clipped->SetOffset({160, 10, 0});
    clipped->SetSize({60, 60});
    geometry = compositor.CreateRoundedRectangleGeometry();
    geometry->SetSize({60, 60});
    geometry->SetCornerRadius({18, 18});
    clipped->SetClip(compositor.CreateGeometricClip(geometry));
    root->InsertAtTop(clipped);
    inner = AddSprite(kBlue, {-10, -10}, {50, 50}, clipped.get());
    AddSprite(kWhite, {30, 30}, {40, 40}, clipped.get());

    faded = compositor.CreateContainerVisual();
    faded->SetOpacity(0.5f);
    root->InsertAtTop(faded);
    fadedChild = AddSprite(kGreen, {140, 70}, {30, 30}, faded.get());
    AddSprite(kBlue, {150, 80}, {30, 30}, faded.get());

    turned = AddSprite(kBlack, {200, 80}, {20, 20});
    turned->SetCenterPoint({10, 10, 0});
    turned->SetRotationAngleInDegrees(30);

    frame.assign(static_cast<size_t>(kWidth) * kHeight * 4, 0x5A);  // junk before the first frame
    Update();
  }

  std::vector<PixelRect> Update() {
    return compositor.UpdateWindowFrame(kWindow, frame.data(), kWidth, kHeight, kWidth * 4, ScreenPoint{20, 30});
  }

  // The largest channel difference between the updated frame and a whole one.
  int DifferenceFromWholeFrame() {
    const SoftFrame whole = compositor.RenderWindow(kWindow, kWidth, kHeight, ScreenPoint{20, 30});
    int worst = 0;
    for (size_t i = 0; i < frame.size(); ++i) worst = std::max(worst, std::abs(frame[i] - whole.pixels[i]));
    return worst;
  }

  std::shared_ptr<SpriteVisual> glass, block, picture, turned, fadedChild, inner;
  std::shared_ptr<ContainerVisual> clipped, faded;
  std::shared_ptr<RoundedRectangleGeometry> geometry;
  std::shared_ptr<DrawingSurface> surface;
  std::vector<std::uint8_t> frame;
};

struct DamageCase {
  std::string name;
  std::function<void(DamageScene&)> change;
  int maxDamagedPixels;  // the pieces drawn stay within this many pixels
};

std::int64_t DamagedPixels(const std::vector<PixelRect>& rects) {
  std::int64_t total = 0;
  for (const PixelRect& r : rects) total += static_cast<std::int64_t>(r.width) * r.height;
  return total;
}

class DamageTest : public DamageScene, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamageTest, UpdatedFrameEqualsAWholeFrameAndDrawsLittle) {
  GetParam().change(*this);
  const std::vector<PixelRect> damage = Update();
  EXPECT_LE(DifferenceFromWholeFrame(), 2);
  EXPECT_LE(DamagedPixels(damage), GetParam().maxDamagedPixels);
  if (GetParam().maxDamagedPixels > 0) {
    EXPECT_FALSE(damage.empty());
  }
  // Nothing changed since: nothing is drawn.
  EXPECT_TRUE(Update().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, DamageTest,
    ::testing::Values(
        DamageCase{"nothing", [](DamageScene&) {}, 0},
        DamageCase{"move", [](DamageScene& s) { s.block->SetOffset({14.5f, 11, 0}); }, 2 * 34 * 24},
        DamageCase{"recolour",
                   [](DamageScene& s) {
                     s.block->SetBrush(s.compositor.CreateColorBrush(Rgb(kGreen)));
                   },
                   34 * 24},
        DamageCase{"redraw picture",
                   [](DamageScene& s) {
                     const auto pixels = OpaquePixels(16, 16, [](int, int) { return kRed; });
                     s.compositor.DrawPixels(*s.surface, 16, 16, pixels.data());
                   },
                   30 * 30},
        DamageCase{"grow magnified picture",
                   [](DamageScene& s) {
                     s.picture->SetSize({30.2f, 30.2f});
                     s.picture->SetOffset({58.1f, 10, 0});
                   },
                   36 * 36},
        DamageCase{"fade a child of a faded group", [](DamageScene& s) { s.fadedChild->SetOpacity(0.3f); }, 34 * 34},
        DamageCase{"round the clip more", [](DamageScene& s) { s.geometry->SetCornerRadius({28, 28}); }, 66 * 70},
        DamageCase{"move inside the clip", [](DamageScene& s) { s.inner->SetOffset({0, 0, 0}); }, 64 * 64},
        DamageCase{"hide", [](DamageScene& s) { s.turned->SetIsVisible(false); }, 32 * 32},
        DamageCase{"turn", [](DamageScene& s) { s.turned->SetRotationAngleInDegrees(60); }, 32 * 32},
        DamageCase{"add", [&](DamageScene& s) { s.AddSprite(kWhite, {30, 90}, {10, 10}); }, 14 * 14},
        DamageCase{"remove", [](DamageScene& s) { s.root->Remove(s.block); }, 34 * 24},
        DamageCase{"reorder",
                   [](DamageScene& s) {
                     s.root->Remove(s.glass);
                     s.root->InsertAtTop(s.glass);
                   },
                   kWidth * kHeight},
        DamageCase{"new wallpaper",
                   [](DamageScene& s) {
                     const std::uint8_t dark[] = {0x10, 0x10, 0x10, 0xFF};
                     std::vector<std::uint8_t> wallpaper;
                     for (int i = 0; i < 400 * 300; ++i) wallpaper.insert(wallpaper.end(), dark, dark + 4);
                     s.compositor.SetWallpaper(BitmapView{400, 300, 400 * 4, wallpaper.data()});
                   },
                   126 * 56},
        DamageCase{"target released", [](DamageScene& s) { s.target.reset(); }, kWidth * kHeight}),
    [](const ::testing::TestParamInfo<DamageCase>& info) {
      std::string name = info.param.name;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST_F(DamageScene, TheFirstFrameAndANewSizeAreDrawnWhole) {
  EXPECT_LE(DifferenceFromWholeFrame(), 2);
  compositor.ForgetWindowFrame(kWindow);
  std::fill(frame.begin(), frame.end(), std::uint8_t{0x33});
  const auto damage = Update();
  ASSERT_EQ(damage.size(), 1u);
  EXPECT_EQ(damage[0], (PixelRect{0, 0, kWidth, kHeight}));
  EXPECT_LE(DifferenceFromWholeFrame(), 2);
}

TEST(FrameRasterTest, DrawsOnlyInsideItsLimit) {
  std::vector<std::uint8_t> pixels(40 * 20 * 4, 0x11);
  FrameRaster raster(pixels.data(), 40, 20, 40 * 4, PixelRect{10, 5, 8, 6});
  raster.Clear();
  raster.FillRect(RectF{0, 0, 40, 20}, Color::FromArgb(0xFFFF0000));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= 10 && x < 18 && y >= 5 && y < 11;
      const std::uint8_t* p = pixels.data() + (y * 40 + x) * 4;
      ASSERT_EQ(p[3], inside ? 255 : 0x11) << x << "," << y;
    }
  }
}

TEST(FrameRasterTest, EdgesCoverPixelsByTheirShare) {
  std::vector<std::uint8_t> pixels(10 * 4 * 4, 0);
  FrameRaster raster(pixels.data(), 10, 4, 10 * 4, PixelRect{0, 0, 10, 4});
  raster.FillRect(RectF{2.5f, 0, 6.25f, 4}, Color::FromArgb(0xFFFFFFFF));
  const auto alpha = [&](int x) { return pixels[(1 * 10 + x) * 4 + 3]; };
  EXPECT_EQ(alpha(1), 0);
  EXPECT_NEAR(alpha(2), 128, 2);
  EXPECT_EQ(alpha(3), 255);
  EXPECT_EQ(alpha(5), 255);
  EXPECT_NEAR(alpha(6), 64, 2);
  EXPECT_EQ(alpha(7), 0);
}

TEST(FrameRasterTest, RotatedFillsAndPicturesKeepSoftEdges) {
  // A 20 x 20 square turned 30 degrees: its edges cross pixels, which must
  // be partly covered, and the ink must add up to its area.
  constexpr int kSide = 40;
  const std::vector<std::uint8_t> white(20 * 20 * 4, 255);
  for (const bool picture : {false, true}) {
    SCOPED_TRACE(picture ? "picture" : "fill");
    std::vector<std::uint8_t> pixels(kSide * kSide * 4, 0);
    FrameRaster raster(pixels.data(), kSide, kSide, kSide * 4, PixelRect{0, 0, kSide, kSide});
    raster.SetTransform(Matrix3x2::Rotation(30, {20, 20}));
    const RectF square{10, 10, 30, 30};
    if (picture) {
      raster.DrawBitmap(BitmapView{20, 20, 80, white.data()}, square, 1, Interpolation::Linear);
    } else {
      raster.FillRect(square, Color::FromArgb(0xFFFFFFFF));
    }
    int partial = 0;
    double ink = 0;
    for (int i = 0; i < kSide * kSide; ++i) {
      const int a = pixels[i * 4 + 3];
      partial += a > 0 && a < 255;
      ink += a / 255.0;
    }
    EXPECT_GT(partial, 40);
    EXPECT_NEAR(ink, 400, 4);
  }
}

TEST(FrameRasterTest, ClipsNestAndPopBackToTheLimit) {
  std::vector<std::uint8_t> pixels(20 * 20 * 4, 0);
  FrameRaster raster(pixels.data(), 20, 20, 20 * 4, PixelRect{0, 0, 20, 20});
  raster.PushClip(Path().Rect(RectF{0, 0, 10, 20}));
  raster.PushClip(Path().Ellipse(PointF{10, 10}, 8, 8));
  raster.FillRect(RectF{0, 0, 20, 20}, Color::FromArgb(0xFF0000FF));
  raster.PopClip();
  raster.PopClip();
  raster.PopClip();  // one too many: the limit stays
  raster.FillRect(RectF{18, 18, 20, 20}, Color::FromArgb(0xFF00FF00));
  const auto at = [&](int x, int y) { return pixels.data() + (y * 20 + x) * 4; };
  EXPECT_EQ(at(5, 10)[0], 255);   // inside both
  EXPECT_EQ(at(15, 10)[3], 0);    // outside the first
  EXPECT_EQ(at(1, 1)[3], 0);      // outside the circle
  EXPECT_EQ(at(19, 19)[1], 255);  // after the pops, the whole frame again
}

TEST(FrameRasterTest, RefusesBuffersItCannotDrawOn) {
  std::vector<std::uint8_t> pixels(16, 0);
  FrameRaster shortStride(pixels.data(), 4, 1, 8, PixelRect{0, 0, 4, 1});
  EXPECT_FALSE(shortStride.CanDraw());
  shortStride.FillRect(RectF{0, 0, 4, 1}, Color::FromArgb(0xFFFFFFFF));
  FrameRaster none(nullptr, 4, 1, 16, PixelRect{0, 0, 4, 1});
  none.Clear();
  none.DrawBitmap(BitmapView{1, 1, 4, pixels.data()}, RectF{0, 0, 4, 1}, 1, Interpolation::Linear);
  EXPECT_EQ(pixels, std::vector<std::uint8_t>(16, 0));
}

TEST(MergeDamageTest, MergesNeighboursAndKeepsDistantPiecesApart) {
  std::vector<PixelRect> rects{{0, 0, 10, 10}, {10, 0, 10, 10}, {200, 0, 10, 10}, {}, {5, 5, 2, 2}};
  MergeDamage(rects, 4);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0], (PixelRect{0, 0, 20, 10}));
  EXPECT_EQ(rects[1], (PixelRect{200, 0, 10, 10}));
  MergeDamage(rects, 1);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], (PixelRect{0, 0, 210, 10}));
}

}  // namespace
}  // namespace orvane::testing
