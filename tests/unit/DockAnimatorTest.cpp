#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <vector>

#include "dock/DockAnimator.h"

namespace orvane {
namespace {

// A bottom dock on a 1920 x 1080 monitor at 100 % with a list of items.
class DockAnimatorTest : public testing::Test {
 protected:
  void SetUp() override { Configure(); }
  void Configure() { animator.Configure(config, ComputeDockGeometry(config, {0, 0, 1920, 1080}, 1.0f)); }

  void Add(DockItemKind kind, size_t at = SIZE_MAX, float appearance = 1.0f) {
    DockItemMotion motion;
    motion.appearance.value = appearance;
    motions.insert(at == SIZE_MAX ? motions.end() : motions.begin() + static_cast<long>(at), motion);
    kinds.insert(at == SIZE_MAX ? kinds.end() : kinds.begin() + static_cast<long>(at), kind);
  }
  std::vector<DockItemView> Views() {
    std::vector<DockItemView> views;
    for (size_t i = 0; i < motions.size(); ++i) views.push_back({kinds[i], false, false, L"", &motions[i]});
    return views;
  }
  bool Frame(float dt = 1.0f / 60) {
    input.dt = dt;
    return animator.Step(Views(), input);
  }
  // Frames until the step reports everything settled; -1 when it never does.
  int FramesToSettle(float dt = 1.0f / 60, int limit = 600) {
    for (int frame = 1; frame <= limit; ++frame) {
      if (!Frame(dt)) return frame;
    }
    return -1;
  }
  void PointAt(float x, float y) {
    input.pointer = {x, y};
    input.hovering = true;
  }
  const DockSlot& Slot(size_t i) const { return animator.layout().slots[i]; }
  // Along-dock distance from the end of item i's length to the start of item i + 1.
  float GapAfter(size_t i) const {
    return Slot(i + 1).slotStart - Slot(i).slotStart - motions[i].magnification.value * config.iconSize;
  }

  DockConfig config;
  DockAnimator animator;
  DockFrameInput input;
  std::deque<DockItemMotion> motions;
  std::vector<DockItemKind> kinds;
};

TEST_F(DockAnimatorTest, SettledDockAsksForNoMoreFrames) {
  for (int i = 0; i < 5; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  EXPECT_EQ(FramesToSettle(), 1);
  // A launch bounce keeps the frames coming for its four hops.
  motions[2].bounceHops = 4;
  motions[2].bouncePhase = 0;
  const int frames = FramesToSettle(0.05f);
  EXPECT_NEAR(frames * 0.05f, 2.48f, 0.05f);
}

TEST_F(DockAnimatorTest, MagnificationOneNeverGrows) {
  config.magnification = 1.0f;
  Configure();
  for (int i = 0; i < 6; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  const DockSlot first = Slot(0);
  for (float x = animator.layout().hoverBounds.left; x < animator.layout().hoverBounds.right; x += 7) {
    PointAt(x, first.centerY);
    Frame();
    ASSERT_TRUE(animator.hoverActive());
    for (const DockItemMotion& m : motions) ASSERT_EQ(m.magnification.value, 1.0f);
  }
  EXPECT_EQ(FramesToSettle(), 1);
}

TEST_F(DockAnimatorTest, PointerBetweenTwoIconsGrowsBothEqually) {
  for (int i = 0; i < 4; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  PointAt((Slot(1).centerX + Slot(2).centerX) / 2, Slot(1).centerY);
  ASSERT_GT(FramesToSettle(), 1);
  const float a = motions[1].magnification.value;
  const float b = motions[2].magnification.value;
  EXPECT_GT(a, 1.3f);
  EXPECT_NEAR(a, b, 1e-4);
  EXPECT_NEAR(motions[0].magnification.value, motions[3].magnification.value, 1e-4);
  EXPECT_LT(motions[0].magnification.value, a);
  EXPECT_NEAR(GapAfter(1), (1 + 0.25f * (a - 1)) * config.iconSpacing, 1e-3);
  EXPECT_NEAR(Slot(1).iconHeight, Slot(2).iconHeight, 1e-3);
}

TEST_F(DockAnimatorTest, LongFramesSettleWithoutOvershootExplosions) {
  config.springResponse = 0.06f;
  config.springDamping = 0.4f;
  config.magnification = 2.5f;
  Configure();
  for (int i = 0; i < 8; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  PointAt(Slot(3).centerX, Slot(3).centerY);
  for (int frame = 0; frame < 6; ++frame) {
    Frame(0.5f);
    for (const DockItemMotion& m : motions) {
      ASSERT_TRUE(std::isfinite(m.magnification.value));
      ASSERT_GE(m.magnification.value, 0.9f);
      ASSERT_LE(m.magnification.value, 2.6f);
    }
  }
  input.hovering = false;
  const int frames = FramesToSettle(0.5f, 20);
  EXPECT_GT(frames, 0);
  for (const DockItemMotion& m : motions) EXPECT_EQ(m.magnification.value, 1.0f);
}

TEST_F(DockAnimatorTest, NoHoverWhileHiddenDraggingOrMenuOpen) {
  for (int i = 0; i < 3; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  PointAt(Slot(1).centerX, Slot(1).centerY);
  Frame();
  EXPECT_TRUE(animator.hoverActive());
  EXPECT_EQ(animator.hovered(), 1);

  input.popups.contextMenuOpen = true;
  Frame();
  EXPECT_FALSE(animator.hoverActive());
  EXPECT_EQ(animator.hovered(), -1);
  EXPECT_FLOAT_EQ(motions[1].magnification.target, 1);
  input.popups.contextMenuOpen = false;

  input.shouldHide = true;
  FramesToSettle();
  EXPECT_EQ(animator.hiddenAmount.value, 1.0f);
  EXPECT_FALSE(animator.hoverActive());
  EXPECT_FLOAT_EQ(animator.visuals().rootOffset.y, 2 * 7 + 48 + 10 + 22);
}

TEST_F(DockAnimatorTest, PressedItemDimsUnlessDragging) {
  for (int i = 0; i < 3; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  input.pressedIndex = 1;
  FramesToSettle();
  EXPECT_FLOAT_EQ(motions[1].pressOpacity.value, kPressedOpacity);
  EXPECT_FLOAT_EQ(animator.visuals().items[1].opacity, kPressedOpacity);
  EXPECT_FLOAT_EQ(motions[0].pressOpacity.value, 1);

  DockItemMotion dragged;
  input.draggedItem = &dragged;
  FramesToSettle();
  EXPECT_FLOAT_EQ(motions[1].pressOpacity.value, 1);
}

TEST_F(DockAnimatorTest, InsertedItemGrowsInWithoutJumpingItsNeighbours) {
  for (int i = 0; i < 6; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  Frame();
  std::vector<float> before;
  for (size_t i = 0; i < motions.size(); ++i) before.push_back(Slot(i).iconLeft);

  Add(DockItemKind::Pinned, 3, kNewItemAppearance);
  std::vector<float> previous = before;
  previous.insert(previous.begin() + 3, Slot(2).iconLeft);
  // Each neighbour moves 32 DIPs in all, a little every frame.
  for (int frame = 0; frame < 60; ++frame) {
    Frame();
    for (size_t i = 0; i < motions.size(); ++i) {
      if (i == 3) continue;
      ASSERT_LT(std::fabs(Slot(i).iconLeft - previous[i]), 8.0f) << "item " << i << " frame " << frame;
      previous[i] = Slot(i).iconLeft;
    }
  }
  EXPECT_NEAR(Slot(4).iconLeft - Slot(2).iconLeft, 2 * (config.iconSize + config.iconSpacing), 0.1f);
}

TEST_F(DockAnimatorTest, FullSizeInsertSlidesTheNeighboursOver) {
  for (int i = 0; i < 6; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  Frame();
  const float fourthBefore = Slot(3).iconLeft;
  const float firstBefore = Slot(0).iconLeft;

  // Arriving at full size, it would make the others jump 28 DIPs; they
  // start from their old places (less the first frame's spring step).
  Add(DockItemKind::Pinned, 3);
  Frame();
  EXPECT_NEAR(Slot(4).iconLeft, fourthBefore, 6.0f);
  EXPECT_NEAR(Slot(0).iconLeft, firstBefore, 6.0f);
  EXPECT_NE(motions[4].slide.value, 0.0f);
  ASSERT_GT(FramesToSettle(), 1);
  const float pitch = config.iconSize + config.iconSpacing;
  EXPECT_NEAR(Slot(4).iconLeft, fourthBefore + pitch / 2, 1e-3);
  EXPECT_NEAR(Slot(0).iconLeft, firstBefore - pitch / 2, 1e-3);

  // A rebuilt list takes its places at once.
  Add(DockItemKind::Pinned, 0);
  animator.AdoptLayout(Views());
  Frame();
  for (const DockItemMotion& m : motions) EXPECT_EQ(m.slide.value, 0.0f);
}

TEST_F(DockAnimatorTest, FileDragOverTheRecycleBinRaisesIt) {
  for (int i = 0; i < 3; ++i) Add(DockItemKind::Pinned);
  Add(DockItemKind::RecycleBin);
  animator.AdoptLayout(Views());
  input.externalDrag = true;
  input.overRecycleBin = true;
  FramesToSettle();
  EXPECT_FLOAT_EQ(motions[3].magnification.value, config.magnification);
  EXPECT_FLOAT_EQ(motions[0].magnification.value, 1);

  config.magnification = 2.4f;
  Configure();
  FramesToSettle();
  EXPECT_FLOAT_EQ(motions[3].magnification.value, 1.8f);
}

TEST_F(DockAnimatorTest, DropGapOpensBeforeTheSlotAndClosesAfterTheDrag) {
  for (int i = 0; i < 4; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  Frame();
  const float gapBefore = GapAfter(1);
  input.externalDrag = true;
  input.dropSlot = 2;
  animator.dropGap.target = config.iconSize + config.iconSpacing;
  FramesToSettle();
  EXPECT_NEAR(GapAfter(1), gapBefore + config.iconSize + config.iconSpacing, 1e-3);
  EXPECT_NEAR(GapAfter(0), gapBefore, 1e-3);

  input.externalDrag = false;  // left without the target being reset: the gap closes anyway
  EXPECT_GT(FramesToSettle(), 1);
  EXPECT_LE(animator.dropGap.value, 0.05f);
  EXPECT_NEAR(GapAfter(1), gapBefore, 1e-3);
}

TEST_F(DockAnimatorTest, DraggedIconFollowsItsSprings) {
  for (int i = 0; i < 3; ++i) Add(DockItemKind::Pinned);
  animator.AdoptLayout(Views());
  DockItemMotion dragged;
  dragged.magnification = {1.08f, 0, 1.4f};
  animator.draggedOpacity = {0.96f, 0, 0.72f};
  input.draggedItem = &dragged;
  input.dragPoint = {500, 100};
  FramesToSettle();
  EXPECT_FLOAT_EQ(dragged.magnification.value, 1.4f);
  const DockDraggedIcon& icon = animator.visuals().dragged;
  EXPECT_TRUE(icon.visible);
  EXPECT_FLOAT_EQ(icon.opacity, 0.72f);
  EXPECT_FLOAT_EQ(icon.size.x, 1.4f * 48);
  EXPECT_FLOAT_EQ(icon.offset.x, 500 - 0.7f * 48);
}

}  // namespace
}  // namespace orvane
