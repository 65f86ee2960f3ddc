// Drawing surfaces and window targets of the software compositor.

#include <gtest/gtest.h>

#include "SoftCompositorProbe.h"

namespace orvane::testing {
namespace {

class SoftSurfaceTest : public SoftCompositorTest {
 protected:
  // A 20 x 20 surface filled red through DrawSurface.
  std::shared_ptr<DrawingSurface> RedSurface() {
    auto surface = compositor.CreateDrawingSurface(20, 20);
    EXPECT_TRUE(compositor.DrawSurface(*surface, 20, 20, [](Canvas& c) { c.Clear(Rgb(kRed)); }));
    return surface;
  }
};

TEST_F(SoftSurfaceTest, DrawSurfaceClearsItsAreaAndClipsTheDrawingToIt) {
  auto surface = RedSurface();
  Matrix3x2 transformSeen{2, 0, 0, 2, 5, 5};
  const bool drawn = compositor.DrawSurface(*surface, 10, 8, [&](Canvas& c) {
    transformSeen = c.Transform();
    c.FillRect(RectF{0, 0, 4, 4}, Rgb(kBlue));
    c.FillRect(RectF{12, 0, 20, 20}, Rgb(kGreen));  // outside the area: clipped away
  });
  EXPECT_TRUE(drawn);
  EXPECT_EQ(transformSeen, Matrix3x2::Identity());
  EXPECT_FALSE(compositor.deviceLost);

  const BitmapView pixels = SoftCompositor::SurfacePixels(*surface);
  EXPECT_TRUE(Shows(PixelAt(pixels, 1, 1), kBlue));
  EXPECT_EQ(PixelAt(pixels, 6, 6).a, 0) << "cleared to transparent";
  EXPECT_TRUE(Shows(PixelAt(pixels, 10, 5), kRed)) << "right of the area: kept";
  EXPECT_TRUE(Shows(PixelAt(pixels, 5, 8), kRed)) << "below the area: kept";
  EXPECT_TRUE(Shows(PixelAt(pixels, 15, 2), kRed)) << "the drawing stays inside the area";
}

TEST_F(SoftSurfaceTest, DrawPixelsUploadsAtTheOriginWithinTheSurface) {
  auto surface = RedSurface();
  const auto blue = OpaquePixels(30, 4, [](int, int) { return kBlue; });
  EXPECT_TRUE(compositor.DrawPixels(*surface, 30, 4, blue.data()));
  BitmapView pixels = SoftCompositor::SurfacePixels(*surface);
  EXPECT_TRUE(Shows(PixelAt(pixels, 19, 3), kBlue));
  EXPECT_TRUE(Shows(PixelAt(pixels, 19, 4), kRed));

  // Without pixels only the area is cleared, as when the platform cannot make the bitmap.
  EXPECT_TRUE(compositor.DrawPixels(*surface, 5, 5, nullptr));
  pixels = SoftCompositor::SurfacePixels(*surface);
  EXPECT_EQ(PixelAt(pixels, 4, 4).a, 0);
  EXPECT_TRUE(Shows(PixelAt(pixels, 5, 3), kBlue));
  EXPECT_FALSE(compositor.deviceLost);
}

TEST_F(SoftSurfaceTest, SurfacesAreAtLeastOnePixelAndResizeToTransparent) {
  auto tiny = compositor.CreateDrawingSurface(0, -3);
  EXPECT_EQ(tiny->width(), 1);
  EXPECT_EQ(tiny->height(), 1);

  auto surface = RedSurface();
  surface->Resize(40, 0);
  EXPECT_EQ(surface->width(), 40);
  EXPECT_EQ(surface->height(), 1);
  EXPECT_EQ(PixelAt(SoftCompositor::SurfacePixels(*surface), 0, 0).a, 0);

  EXPECT_THROW(compositor.CreateDrawingSurface(100000, 10), HResultError);
  EXPECT_THROW(surface->Resize(10, 100000), HResultError);
  EXPECT_EQ(surface->width(), 40) << "a refused resize keeps the surface";
}

TEST_F(SoftSurfaceTest, FramesShowTheSurfaceAsLastDrawn) {
  auto surface = RedSurface();
  auto sprite = compositor.CreateSpriteVisual();
  sprite->SetSize({20, 20});
  sprite->SetBrush(compositor.CreateSurfaceBrush(surface));
  root->InsertAtTop(sprite);
  EXPECT_TRUE(PixelIs(Render(), 10, 10, kRed));

  compositor.DrawSurface(*surface, 20, 20, [](Canvas& c) { c.FillRect(RectF{0, 0, 10, 20}, Rgb(kGreen)); });
  const SoftFrame frame = Render();
  EXPECT_TRUE(PixelIs(frame, 5, 10, kGreen));
  EXPECT_EQ(PixelAt(frame, 15, 10).a, 0);

  // After a resize the brush fills the visual with the new size.
  surface->Resize(10, 10);
  compositor.DrawSurface(*surface, 10, 10, [](Canvas& c) {
    c.FillRect(RectF{0, 0, 5, 10}, Rgb(kBlue));
    c.FillRect(RectF{5, 0, 10, 10}, Rgb(kWhite));
  });
  const SoftFrame resized = Render();
  EXPECT_TRUE(PixelIs(resized, 4, 10, kBlue));
  EXPECT_TRUE(PixelIs(resized, 15, 10, kWhite));
}

TEST_F(SoftSurfaceTest, AWindowHasOneTargetPerLayer) {
  constexpr std::int32_t kAlreadyComposed = static_cast<std::int32_t>(0x88980800u);
  try {
    compositor.CreateWindowTarget(1, true);
    ADD_FAILURE() << "a second topmost target on the same window";
  } catch (const HResultError& e) {
    EXPECT_EQ(e.code(), kAlreadyComposed);
  }

  auto lower = compositor.CreateWindowTarget(1, false);
  auto lowerRoot = compositor.CreateSpriteVisual();
  lowerRoot->SetBrush(compositor.CreateColorBrush(Rgb(kBlue)));
  lowerRoot->SetSize({30, 30});
  lower->SetRoot(lowerRoot);
  AddSprite(kRed, {0, 0}, {10, 10});

  ASSERT_EQ(compositor.TargetsOf(1).size(), 2u);
  EXPECT_EQ(compositor.TargetsOf(1)[0], lower);
  const SoftFrame both = compositor.RenderWindow(1, 40, 40);
  EXPECT_TRUE(PixelIs(both, 5, 5, kRed)) << "the topmost layer is above";
  EXPECT_TRUE(PixelIs(both, 20, 20, kBlue));

  // A released target frees its layer.
  lower.reset();
  EXPECT_EQ(compositor.TargetsOf(1).size(), 1u);
  EXPECT_NO_THROW(compositor.CreateWindowTarget(1, false));
}

TEST_F(SoftSurfaceTest, RenderingIntoABufferReplacesItsContent) {
  AddSprite(kRed, {0, 0}, {4, 4});
  const int stride = 10 * 4 + 8;  // rows with padding
  std::vector<std::uint8_t> buffer(static_cast<size_t>(stride) * 10, 0xFF);
  ASSERT_TRUE(compositor.RenderTarget(*target, buffer.data(), 10, 10, stride));
  const BitmapView view{10, 10, stride, buffer.data()};
  EXPECT_TRUE(Shows(PixelAt(view, 2, 2), kRed));
  EXPECT_EQ(PixelAt(view, 6, 6).a, 0);
  EXPECT_EQ(buffer[40], 0xFF) << "padding is left alone";

  EXPECT_FALSE(compositor.RenderTarget(*target, buffer.data(), 10, 10, 20));
  EXPECT_FALSE(compositor.RenderTarget(*target, nullptr, 10, 10, stride));

  auto empty = compositor.CreateWindowTarget(7, true);
  EXPECT_EQ(InkBox(compositor.RenderTarget(*empty, 10, 10)), Box{}) << "a target without a root shows nothing";
}

}  // namespace
}  // namespace orvane::testing
