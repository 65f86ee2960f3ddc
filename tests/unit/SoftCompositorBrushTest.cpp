// Brushes and clips of the software compositor: surface stretch and
// alignment, nine-grid pieces, geometric clips.

#include <gtest/gtest.h>

#include <string>

#include "SoftCompositorProbe.h"
#include "render/SoftBrushLayout.h"

namespace orvane::testing {
namespace {

// A 20 x 10 surface: blue on its left half, green on its right half.
std::uint32_t HalfBlueHalfGreen(int x, int) { return x < 10 ? kBlue : kGreen; }

struct StretchCase {
  std::string name;
  Stretch stretch;
  float horizontal, vertical;
  Box covered;  // in a 100 x 100 visual
  // The colours a quarter and three quarters across the covered box, at mid-height.
  std::uint32_t atQuarter, atThreeQuarters;
};

void PrintTo(const StretchCase& c, std::ostream* os) { *os << c.name; }

class SoftStretchTest : public SoftCompositorTest, public ::testing::WithParamInterface<StretchCase> {};

TEST_P(SoftStretchTest, PlacesTheSurfaceInsideTheVisual) {
  const StretchCase& c = GetParam();
  auto brush = compositor.CreateSurfaceBrush(SurfaceWith(20, 10, HalfBlueHalfGreen));
  brush->SetStretch(c.stretch);
  brush->SetAlignment(c.horizontal, c.vertical);
  auto sprite = compositor.CreateSpriteVisual();
  sprite->SetSize({100, 100});
  sprite->SetBrush(brush);
  root->InsertAtTop(sprite);

  const SoftFrame frame = Render(120, 120);
  EXPECT_EQ(InkBox(frame), c.covered);
  const int middle = (c.covered.top + c.covered.bottom) / 2;
  const int width = c.covered.right - c.covered.left;
  EXPECT_TRUE(PixelIs(frame, c.covered.left + width / 4, middle, c.atQuarter));
  EXPECT_TRUE(PixelIs(frame, c.covered.left + width * 3 / 4, middle, c.atThreeQuarters));
}

INSTANTIATE_TEST_SUITE_P(
    Stretches, SoftStretchTest,
    ::testing::Values(
        StretchCase{"NoneTopLeft", Stretch::None, 0, 0, {0, 0, 20, 10}, kBlue, kGreen},
        StretchCase{"NoneCentred", Stretch::None, 0.5f, 0.5f, {40, 45, 60, 55}, kBlue, kGreen},
        StretchCase{"NoneBottomRight", Stretch::None, 1, 1, {80, 90, 100, 100}, kBlue, kGreen},
        StretchCase{"FillIgnoresAlignment", Stretch::Fill, 1, 1, {0, 0, 100, 100}, kBlue, kGreen},
        StretchCase{"UniformCentred", Stretch::Uniform, 0.5f, 0.5f, {0, 25, 100, 75}, kBlue, kGreen},
        StretchCase{"UniformAtTheBottom", Stretch::Uniform, 0.5f, 1, {0, 50, 100, 100}, kBlue, kGreen},
        // Twice as wide as the visual: only the aligned part shows, clipped to the visual.
        StretchCase{"UniformToFillLeft", Stretch::UniformToFill, 0, 0.5f, {0, 0, 100, 100}, kBlue, kBlue},
        StretchCase{"UniformToFillRight", Stretch::UniformToFill, 1, 0.5f, {0, 0, 100, 100}, kGreen, kGreen},
        StretchCase{"UniformToFillCentred", Stretch::UniformToFill, 0.5f, 0.5f, {0, 0, 100, 100}, kBlue, kGreen}),
    [](const auto& info) { return info.param.name; });

TEST_F(SoftCompositorTest, SurfaceBrushDefaultsToFill) {
  auto sprite = compositor.CreateSpriteVisual();
  sprite->SetSize({50, 30});
  sprite->SetBrush(compositor.CreateSurfaceBrush(SurfaceWith(20, 10, HalfBlueHalfGreen)));
  root->InsertAtTop(sprite);
  EXPECT_EQ(InkBox(Render()), (Box{0, 0, 50, 30}));
}

// A 30 x 30 source with 10-pixel insets: each corner, each edge and the
// centre in a colour of its own.
std::uint32_t NineGridSource(int x, int y) {
  const int column = x / 10, row = y / 10;
  static const std::uint32_t kColors[3][3] = {{0xFF0000, 0x808080, 0x00FF00},
                                              {0x808080, 0xFFFFFF, 0x808080},
                                              {0x0000FF, 0x808080, 0xFFFF00}};
  return kColors[row][column];
}

TEST_F(SoftCompositorTest, NineGridKeepsCornersAtTheirSizeAndStretchesTheRest) {
  auto nineGrid = compositor.CreateNineGridBrush(compositor.CreateSurfaceBrush(SurfaceWith(30, 30, NineGridSource)));
  nineGrid->SetInsets(10, 10, 10, 10);
  auto sprite = compositor.CreateSpriteVisual();
  sprite->SetSize({100, 60});
  sprite->SetBrush(nineGrid);
  root->InsertAtTop(sprite);
  const SoftFrame frame = Render();

  // Each corner is 10 x 10: its far inside pixel is the corner colour and the next one is an edge.
  EXPECT_TRUE(PixelIs(frame, 9, 9, 0xFF0000));
  EXPECT_TRUE(PixelIs(frame, 90, 9, 0x00FF00));
  EXPECT_TRUE(PixelIs(frame, 9, 50, 0x0000FF));
  EXPECT_TRUE(PixelIs(frame, 90, 50, 0xFFFF00));
  for (auto [x, y] : {std::pair{10, 5}, {89, 5}, {5, 10}, {5, 49}, {50, 55}, {95, 30}}) {
    EXPECT_TRUE(PixelIs(frame, x, y, 0x808080)) << "edge";
  }
  EXPECT_TRUE(PixelIs(frame, 50, 30, 0xFFFFFF));
  EXPECT_TRUE(PixelIs(frame, 11, 11, 0xFFFFFF));
  EXPECT_EQ(InkBox(frame), (Box{0, 0, 100, 60}));
}

TEST_F(SoftCompositorTest, NineGridOverAColourFillsTheVisual) {
  auto nineGrid = compositor.CreateNineGridBrush(compositor.CreateColorBrush(Rgb(kRed)));
  nineGrid->SetInsets(10, 10, 10, 10);
  auto sprite = compositor.CreateSpriteVisual();
  sprite->SetSize({40, 40});
  sprite->SetBrush(nineGrid);
  root->InsertAtTop(sprite);
  EXPECT_EQ(InkBox(Render()), (Box{0, 0, 40, 40}));
}

TEST(SoftBrushLayoutTest, NineGridInsetsThatDoNotFitShrinkTogether) {
  // The destination is narrower than both insets: each keeps its share.
  const auto pieces = NineGridPieces({30, 30}, {10, 40}, 10, 10, 10, 10);
  ASSERT_EQ(pieces.size(), 6u);  // no centre column
  EXPECT_EQ(pieces[0].source, (RectF{0, 0, 10, 10}));
  EXPECT_EQ(pieces[0].dest, (RectF{0, 0, 5, 10}));
  EXPECT_EQ(pieces[1].dest, (RectF{5, 0, 10, 10}));

  // Insets larger than the source are cut to it.
  const auto wide = NineGridPieces({10, 10}, {100, 100}, 30, 0, 10, 0);
  ASSERT_EQ(wide.size(), 2u);
  EXPECT_EQ(wide[0].source, (RectF{0, 0, 7.5f, 10}));
  EXPECT_EQ(wide[0].dest, (RectF{0, 0, 7.5f, 100}));
}

TEST_F(SoftCompositorTest, RoundedClipLeavesTheCornersTransparentWithSoftEdges) {
  auto container = compositor.CreateContainerVisual();
  container->SetOffset({10, 10, 0});
  container->SetSize({80, 80});
  auto geometry = compositor.CreateRoundedRectangleGeometry();
  geometry->SetSize({80, 80});
  geometry->SetCornerRadius({20, 20});
  container->SetClip(compositor.CreateGeometricClip(geometry));
  root->InsertAtTop(container);
  AddSprite(kRed, {-10, -10}, {100, 100}, container.get());

  const SoftFrame frame = Render();
  for (auto [x, y] : {std::pair{10, 10}, {89, 10}, {10, 89}, {89, 89}, {14, 14}}) {
    EXPECT_EQ(PixelAt(frame, x, y).a, 0) << "corner (" << x << ", " << y << ")";
  }
  EXPECT_EQ(PixelAt(frame, 5, 50).a, 0) << "outside the clip";
  EXPECT_TRUE(PixelIs(frame, 10, 50, kRed));
  EXPECT_TRUE(PixelIs(frame, 50, 10, kRed));
  EXPECT_TRUE(PixelIs(frame, 50, 50, kRed));
  int softPixels = 0;
  for (int i = 10; i < 30; ++i) {
    const int a = PixelAt(frame, i, i).a;
    softPixels += (a > 0 && a < 255) ? 1 : 0;
  }
  EXPECT_GE(softPixels, 1) << "the arc is anti-aliased";
}

TEST_F(SoftCompositorTest, ClipsAreInTheVisualsOwnCoordinatesAndFollowTheirGeometry) {
  auto sprite = AddSprite(kRed, {30, 30}, {40, 40});
  auto geometry = compositor.CreateRoundedRectangleGeometry();
  geometry->SetOffset({5, 10});
  geometry->SetSize({10, 20});
  sprite->SetClip(compositor.CreateGeometricClip(geometry));
  EXPECT_EQ(InkBox(Render()), (Box{35, 40, 45, 60}));

  // The clip keeps its geometry: changing the geometry changes the clip.
  geometry->SetSize({0, 20});
  EXPECT_EQ(InkBox(Render()), Box{});

  auto path = compositor.CreatePathGeometry();
  path->SetPath(Path().Polygon({{0, 0}, {40, 0}, {0, 40}}));
  sprite->SetClip(compositor.CreateGeometricClip(path));
  const SoftFrame triangle = Render();
  EXPECT_TRUE(PixelIs(triangle, 32, 32, kRed));
  EXPECT_EQ(PixelAt(triangle, 67, 67).a, 0);

  sprite->SetClip(nullptr);
  EXPECT_EQ(InkBox(Render()), (Box{30, 30, 70, 70}));
}

TEST_F(SoftCompositorTest, AClipAppliesToTheChildrenAndNotOutsideThem) {
  auto parent = AddSprite(kBlue, {0, 0}, {50, 50});
  auto geometry = compositor.CreateRoundedRectangleGeometry();
  geometry->SetSize({50, 50});
  parent->SetClip(compositor.CreateGeometricClip(geometry));
  AddSprite(kRed, {40, 40}, {40, 40}, parent.get());
  AddSprite(kGreen, {60, 0}, {10, 10});

  const SoftFrame frame = Render();
  EXPECT_TRUE(PixelIs(frame, 45, 45, kRed));
  EXPECT_EQ(PixelAt(frame, 55, 55).a, 0);
  EXPECT_TRUE(PixelIs(frame, 65, 5, kGreen));
}

}  // namespace
}  // namespace orvane::testing
