// The visual tree of the software compositor: placement (offset, size,
// relative size, anchor, scale and rotation about the centre point),
// opacity, visibility, child order, and the tree's rules.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SoftCompositorProbe.h"

namespace orvane::testing {
namespace {

struct PlacementCase {
  std::string name;
  std::function<void(SpriteVisual&)> place;  // the sprite starts at (0, 0) with size 0
  std::vector<std::pair<int, int>> inside;
  std::vector<std::pair<int, int>> outside;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class SoftPlacementTest : public SoftCompositorTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(SoftPlacementTest, CoversExactlyWhereThePropertiesPutIt) {
  const PlacementCase& c = GetParam();
  auto sprite = AddSprite(kRed, {0, 0}, {0, 0});
  c.place(*sprite);
  const SoftFrame frame = Render();
  for (auto [x, y] : c.inside) EXPECT_TRUE(PixelIs(frame, x, y, kRed)) << "inside";
  for (auto [x, y] : c.outside) EXPECT_EQ(PixelAt(frame, x, y).a, 0) << "outside (" << x << ", " << y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Visuals, SoftPlacementTest,
    ::testing::Values(
        PlacementCase{"OffsetAndSize",
                      [](SpriteVisual& s) {
                        s.SetOffset({10, 20, 0});
                        s.SetSize({30, 40});
                      },
                      {{10, 20}, {39, 59}},
                      {{9, 30}, {40, 30}, {20, 19}, {20, 60}}},
        PlacementCase{"RelativeSizeAddsToTheSize",
                      [](SpriteVisual& s) {
                        s.SetSize({10, 10});
                        s.SetRelativeSizeAdjustment({0.5f, 0});
                      },
                      {{59, 5}},
                      {{60, 5}, {5, 10}}},
        PlacementCase{"AnchorPointMovesTheVisualBackByItsShareOfTheSize",
                      [](SpriteVisual& s) {
                        s.SetOffset({50, 50, 0});
                        s.SetSize({20, 20});
                        s.SetAnchorPoint({0.5f, 0.5f});
                      },
                      {{40, 40}, {59, 59}},
                      {{39, 50}, {60, 50}, {50, 39}}},
        PlacementCase{"ScaleAboutTheCentrePoint",
                      [](SpriteVisual& s) {
                        s.SetOffset({40, 40, 0});
                        s.SetSize({20, 20});
                        s.SetCenterPoint({10, 10, 0});
                        s.SetScale({2, 1.5f, 1});
                      },
                      {{31, 36}, {68, 64}},
                      {{28, 50}, {72, 50}, {50, 33}, {50, 66}}},
        PlacementCase{"RotationAboutTheCentrePoint",
                      [](SpriteVisual& s) {
                        s.SetOffset({40, 40, 0});
                        s.SetSize({20, 20});
                        s.SetCenterPoint({10, 10, 0});
                        s.SetRotationAngleInDegrees(45);
                      },
                      {{50, 37}, {50, 62}, {37, 50}, {62, 50}},
                      {{41, 41}, {58, 41}, {41, 58}, {58, 58}}},
        PlacementCase{"ScaleComesBeforeRotation",
                      [](SpriteVisual& s) {
                        s.SetOffset({40, 40, 0});
                        s.SetSize({20, 20});
                        s.SetCenterPoint({10, 10, 0});
                        s.SetScale({2, 1, 1});
                        s.SetRotationAngleInDegrees(90);
                      },
                      {{41, 31}, {58, 68}},
                      {{36, 50}, {63, 50}}},
        PlacementCase{"RotationTurnsClockwiseAboutTheOrigin",
                      [](SpriteVisual& s) {
                        s.SetOffset({50, 10, 0});
                        s.SetSize({40, 10});
                        s.SetRotationAngleInDegrees(90);
                      },
                      {{45, 12}, {45, 48}},
                      {{55, 15}, {80, 15}}}),
    [](const auto& info) { return info.param.name; });

TEST_F(SoftCompositorTest, RelativeSizeOfANestedVisualFollowsItsParent) {
  auto parent = compositor.CreateContainerVisual();
  parent->SetOffset({20, 20, 0});
  parent->SetSize({60, 40});
  root->InsertAtTop(parent);
  auto child = AddSprite(kRed, {0, 0}, {0, 0}, parent.get());
  child->SetRelativeSizeAdjustment({0.5f, 1});

  const SoftFrame frame = Render();
  EXPECT_EQ(InkBox(frame), (Box{20, 20, 50, 60}));
}

TEST_F(SoftCompositorTest, TransformsOfNestedVisualsCompose) {
  auto parent = compositor.CreateContainerVisual();
  parent->SetOffset({10, 10, 0});
  parent->SetScale({2, 2, 1});
  root->InsertAtTop(parent);
  AddSprite(kRed, {5, 5}, {10, 10}, parent.get());

  EXPECT_EQ(InkBox(Render()), (Box{20, 20, 40, 40}));
}

TEST_F(SoftCompositorTest, OpacityMultipliesDownTheTree) {
  auto parent = compositor.CreateContainerVisual();
  parent->SetOpacity(0.5f);
  root->InsertAtTop(parent);
  auto child = AddSprite(kRed, {0, 0}, {10, 10}, parent.get());
  child->SetOpacity(0.5f);

  EXPECT_TRUE(PixelIs(Render(), 5, 5, kRed, 64, 2));
}

TEST_F(SoftCompositorTest, AFadingVisualFadesItsChildrenAsOnePicture) {
  auto parent = AddSprite(kBlue, {0, 0}, {20, 20});
  parent->SetOpacity(0.5f);
  AddSprite(kRed, {0, 0}, {10, 10}, parent.get());

  const SoftFrame frame = Render();
  // Where the red child covers its blue parent only red shows through, at half strength.
  EXPECT_TRUE(PixelIs(frame, 5, 5, kRed, 128, 2));
  EXPECT_TRUE(PixelIs(frame, 15, 15, kBlue, 128, 2));
}

TEST_F(SoftCompositorTest, HiddenVisualsHideTheirSubtree) {
  auto parent = AddSprite(kBlue, {0, 0}, {20, 20});
  AddSprite(kRed, {30, 0}, {10, 10}, parent.get());
  auto sibling = AddSprite(kGreen, {60, 0}, {10, 10});

  parent->SetIsVisible(false);
  SoftFrame frame = Render();
  EXPECT_EQ(PixelAt(frame, 5, 5).a, 0);
  EXPECT_EQ(PixelAt(frame, 35, 5).a, 0);
  EXPECT_TRUE(PixelIs(frame, 65, 5, kGreen));

  parent->SetIsVisible(true);
  sibling->SetOpacity(0);
  frame = Render();
  EXPECT_TRUE(PixelIs(frame, 35, 5, kRed));
  EXPECT_EQ(PixelAt(frame, 65, 5).a, 0);
}

TEST_F(SoftCompositorTest, ChildrenDrawBottomToTopInTheirCollectionOrder) {
  auto red = compositor.CreateSpriteVisual();
  auto green = compositor.CreateSpriteVisual();
  auto blue = compositor.CreateSpriteVisual();
  const std::pair<std::shared_ptr<SpriteVisual>, std::uint32_t> sprites[] = {{red, kRed}, {green, kGreen}, {blue, kBlue}};
  for (const auto& [sprite, color] : sprites) {
    sprite->SetBrush(compositor.CreateColorBrush(Rgb(color)));
    sprite->SetSize({10, 10});
  }
  auto topColor = [&] { return PixelAt(Render(), 5, 5); };

  root->InsertAtTop(red);
  root->InsertAtTop(green);
  EXPECT_TRUE(Shows(topColor(), kGreen));
  root->InsertAtBottom(blue);
  EXPECT_TRUE(Shows(topColor(), kGreen));
  root->Remove(blue);
  root->InsertAbove(blue, green);
  EXPECT_TRUE(Shows(topColor(), kBlue));
  root->Remove(red);
  root->InsertAbove(red, blue);
  EXPECT_TRUE(Shows(topColor(), kRed));
  root->Remove(red);
  root->InsertBelow(red, green);
  EXPECT_TRUE(Shows(topColor(), kBlue));
  EXPECT_EQ(root->childCount(), 3u);
}

// Another compositor's objects, which a software compositor must refuse.
struct ForeignBrush : ColorBrush {
  void SetColor(Color) override {}
  Color color() const override { return {}; }
};
struct ForeignClip : Clip {};
struct ForeignSurface : DrawingSurface {
  int width() const override { return 1; }
  int height() const override { return 1; }
  void Resize(int, int) override {}
};

std::int32_t ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const HResultError& e) {
    return e.code();
  }
  return 0;
}

constexpr std::int32_t kInvalidArg = static_cast<std::int32_t>(0x80070057u);

TEST_F(SoftCompositorTest, TheTreeRefusesWhatThePlatformRefuses) {
  auto a = compositor.CreateContainerVisual();
  auto b = compositor.CreateContainerVisual();
  auto loose = compositor.CreateSpriteVisual();
  root->InsertAtTop(a);
  a->InsertAtTop(b);

  const std::pair<const char*, std::function<void()>> refused[] = {
      {"a visual that already has a parent", [&] { root->InsertAtTop(b); }},
      {"a visual into its own subtree", [&] {
         root->Remove(a);
         b->InsertAtTop(a);
       }},
      {"a visual into itself", [&] { loose->InsertAtTop(loose); }},
      {"a sibling that is not a child", [&] { root->InsertAbove(loose, b); }},
      {"removing a visual that is not a child", [&] { root->Remove(loose); }},
      {"a target's root as a child", [&] { loose->InsertAtTop(root); }},
      {"a child as a target's root", [&] { compositor.CreateWindowTarget(2, true)->SetRoot(b); }},
      {"another compositor's brush", [&] { loose->SetBrush(std::make_shared<ForeignBrush>()); }},
      {"another compositor's clip", [&] { loose->SetClip(std::make_shared<ForeignClip>()); }},
      {"another compositor's surface", [&] { compositor.CreateSurfaceBrush(std::make_shared<ForeignSurface>()); }},
      {"another compositor's nine-grid source",
       [&] { compositor.CreateNineGridBrush(std::make_shared<ForeignBrush>()); }},
      {"a window target without a window", [&] { compositor.CreateWindowTarget(0, true); }},
  };
  for (const auto& [what, call] : refused) EXPECT_EQ(ErrorOf(call), kInvalidArg) << what;
}

TEST_F(SoftCompositorTest, AVisualLeavingItsParentCanBeInsertedElsewhere) {
  auto a = compositor.CreateContainerVisual();
  auto b = compositor.CreateContainerVisual();
  auto sprite = compositor.CreateSpriteVisual();
  a->InsertAtTop(sprite);
  a->RemoveAll();
  EXPECT_EQ(a->childCount(), 0u);
  EXPECT_NO_THROW(b->InsertAtTop(sprite));

  // A parent that goes away lets go of its children.
  b.reset();
  EXPECT_NO_THROW(root->InsertAtTop(sprite));

  // So does a target that gets a new root.
  auto other = compositor.CreateContainerVisual();
  target->SetRoot(other);
  EXPECT_NO_THROW(other->InsertAtTop(root));
}

}  // namespace
}  // namespace orvane::testing
