#include <gtest/gtest.h>

#include <vector>

#include "dock/DockGeometry.h"
#include "dock/DockHitTest.h"
#include "dock/DockLayout.h"
#include "dock/DockVisualPlan.h"

namespace orvane {
namespace {

TEST(DockGeometryTest, RenderWindowPerEdge) {
  struct Case {
    const char* name;
    const wchar_t* position;
    ScreenRect monitor;
    float scale;
    int thickness;
    ScreenRect window;
  };
  // (2 x 7 + 10 + 1.65 x 48 + 116) = 219.2 DIPs
  const Case cases[] = {
      {"bottom at 150%", L"bottom", {0, 0, 1920, 1080}, 1.5f, 329, {0, 751, 1920, 1080}},
      {"left on a second monitor", L"left", {1920, -200, 3200, 824}, 1.0f, 220, {1920, -200, 2140, 824}},
      {"right", L"right", {0, 0, 1920, 1080}, 1.0f, 220, {1700, 0, 1920, 1080}},
      {"unknown position is bottom", L"top", {0, 0, 1920, 1080}, 1.0f, 220, {0, 860, 1920, 1080}},
      {"tiny monitor grows, thickness capped", L"bottom", {0, 0, 100, 100}, 2.0f, 240, {0, 0, 320, 240}},
      {"at least 120 pixels", L"bottom", {0, 0, 800, 600}, 0.5f, 120, {0, 480, 800, 600}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DockConfig config;
    config.dockPosition = c.position;
    const DockGeometry g = ComputeDockGeometry(config, c.monitor, c.scale);
    EXPECT_EQ(g.thickness, c.thickness);
    EXPECT_EQ(g.renderWindow, c.window);
    EXPECT_FLOAT_EQ(g.windowLength, c.window.Width() / c.scale);
    EXPECT_FLOAT_EQ(g.windowDepth, c.window.Height() / c.scale);
  }
}

class DockLayoutTest : public testing::Test {
 protected:
  // Launcher, separator and the music tile on a 1000 x 200 DIP bottom window.
  DockLayout Lay(DockOrientation orientation, std::vector<DockFrameRecord> items, int gapSlot = -1,
                 float gapSize = 0) {
    DockLayoutParams params{orientation, 1000.0f, 200.0f, gapSlot, gapSize};
    if (orientation != DockOrientation::Bottom) params = {orientation, 200.0f, 1000.0f, gapSlot, gapSize};
    DockLayout layout;
    LayoutDock(items, config, params, layout);
    return layout;
  }
  static std::vector<DockFrameRecord> ThreeItems() {
    return {{DockItemKind::LauncherButton},
            {DockItemKind::Separator},
            {DockItemKind::Music, 1, 1, 0, 0, 1, 1, kMusicExtraLength}};
  }
  DockConfig config;
};

TEST_F(DockLayoutTest, BottomDockByHand) {
  const DockLayout layout = Lay(DockOrientation::Bottom, ThreeItems());
  // Content 48 + 2 + 206 + 2 x 8 + 2 x 12 = 296; plate thickness 62; base 190.
  EXPECT_FLOAT_EQ(layout.plate.x, 352);
  EXPECT_FLOAT_EQ(layout.plate.y, 128);
  EXPECT_FLOAT_EQ(layout.plate.width, 296);
  EXPECT_FLOAT_EQ(layout.plate.height, 62);
  ASSERT_EQ(layout.slots.size(), 3u);

  const DockSlot& icon = layout.slots[0];
  EXPECT_FLOAT_EQ(icon.slotStart, 364);
  EXPECT_FLOAT_EQ(icon.iconLeft, 364);
  EXPECT_FLOAT_EQ(icon.iconTop, 135);
  EXPECT_FLOAT_EQ(icon.iconWidth, 48);
  EXPECT_FLOAT_EQ(icon.centerX, 388);
  EXPECT_FLOAT_EQ(icon.centerY, 159);
  EXPECT_FLOAT_EQ(icon.indicatorY, 186.8f);

  const DockSlot& separator = layout.slots[1];  // line 44 long, 1.5 thick, centred in the plate
  EXPECT_FLOAT_EQ(separator.iconLeft, 420);
  EXPECT_FLOAT_EQ(separator.iconTop, 137);
  EXPECT_FLOAT_EQ(separator.iconWidth, 1.5f);
  EXPECT_FLOAT_EQ(separator.iconHeight, 44);
  EXPECT_FLOAT_EQ(separator.size, 2);
  EXPECT_FLOAT_EQ(separator.centerX, 420.75f);

  const DockSlot& music = layout.slots[2];
  EXPECT_FLOAT_EQ(music.iconLeft, 430);
  EXPECT_FLOAT_EQ(music.iconWidth, 206);
  EXPECT_FLOAT_EQ(music.iconHeight, 48);
  EXPECT_FLOAT_EQ(music.centerX, 533);

  EXPECT_FLOAT_EQ(layout.hoverBounds.left, 352);
  EXPECT_FLOAT_EQ(layout.hoverBounds.right, 648);
  EXPECT_FLOAT_EQ(layout.hoverBounds.top, 135);
  EXPECT_FLOAT_EQ(layout.hoverBounds.bottom, 190);
}

TEST_F(DockLayoutTest, MagnifiedNeighboursWidenTheirGapAndRise) {
  std::vector<DockFrameRecord> items{{DockItemKind::Pinned, 1.6f}, {DockItemKind::Pinned, 1.4f}};
  const DockLayout layout = Lay(DockOrientation::Bottom, items);
  // mean extra scale 0.5: the gap is 8 x (1 + 0.125)
  const DockSlot& a = layout.slots[0];
  const DockSlot& b = layout.slots[1];
  EXPECT_FLOAT_EQ(b.slotStart - (a.slotStart + 1.6f * 48), 9);
  EXPECT_FLOAT_EQ(a.iconHeight, 1.6f * 48);
  EXPECT_FLOAT_EQ(a.iconTop, 183 - 1.6f * 48 - 3 * 0.6f);  // rise 3 DIPs per unit of extra scale
  EXPECT_FLOAT_EQ(layout.hoverBounds.top, a.iconTop);
}

TEST_F(DockLayoutTest, BounceLiftsWithoutMovingTheHoverBounds) {
  std::vector<DockFrameRecord> items{{DockItemKind::Pinned, 1, 1, 0, 20, 0.96f, 1.05f}};
  const DockLayout layout = Lay(DockOrientation::Bottom, items);
  const DockSlot& s = layout.slots[0];
  EXPECT_FLOAT_EQ(s.iconWidth, 48 * 0.96f);
  EXPECT_FLOAT_EQ(s.iconHeight, 48 * 1.05f);
  EXPECT_FLOAT_EQ(s.iconTop, 183 - 48 * 1.05f - 20);
  EXPECT_FLOAT_EQ(s.centerX, s.slotStart + 24);
  EXPECT_FLOAT_EQ(layout.hoverBounds.top, 135);
}

TEST_F(DockLayoutTest, GrowingItemTakesRoomInProportion) {
  std::vector<DockFrameRecord> items{
      {DockItemKind::Pinned}, {DockItemKind::Pinned, 1, 0.25f}, {DockItemKind::Pinned}};
  const DockLayout layout = Lay(DockOrientation::Bottom, items);
  EXPECT_FLOAT_EQ(layout.slots[1].iconWidth, 12);
  EXPECT_FLOAT_EQ(layout.slots[1].slotStart - layout.slots[0].slotStart, 48 + 2);
  EXPECT_FLOAT_EQ(layout.slots[2].slotStart - layout.slots[1].slotStart, 12 + 2);
}

TEST_F(DockLayoutTest, OpenDropGapMakesRoomOnThePlate) {
  const DockLayout closed = Lay(DockOrientation::Bottom, ThreeItems());
  const DockLayout open = Lay(DockOrientation::Bottom, ThreeItems(), 1, 40);
  EXPECT_FLOAT_EQ(open.plate.width, closed.plate.width + 40);
  EXPECT_FLOAT_EQ(open.slots[0].slotStart, closed.slots[0].slotStart - 20);
  EXPECT_FLOAT_EQ(open.slots[1].slotStart, closed.slots[1].slotStart + 20);
  EXPECT_FLOAT_EQ(open.slots[2].slotStart, closed.slots[2].slotStart + 20);
  // The last item stays on the plate.
  EXPECT_FLOAT_EQ(open.slots[2].iconLeft + open.slots[2].iconWidth + config.paddingX, open.plate.x + open.plate.width);

  const DockLayout atEnd = Lay(DockOrientation::Bottom, ThreeItems(), 3, 40);
  EXPECT_FLOAT_EQ(atEnd.plate.width, closed.plate.width + 40);
  EXPECT_FLOAT_EQ(atEnd.slots[2].slotStart, closed.slots[2].slotStart - 20);
}

TEST_F(DockLayoutTest, SideDocksMirrorEachOtherAndTurnTheBottomDock) {
  std::vector<DockFrameRecord> items{{DockItemKind::LauncherButton, 1.3f},
                                     {DockItemKind::Separator},
                                     {DockItemKind::Pinned, 1.6f, 0.8f, 3, 10, 0.96f, 1.05f},
                                     {DockItemKind::Music, 1.2f}};
  const DockLayout bottom = Lay(DockOrientation::Bottom, items);
  const DockLayout left = Lay(DockOrientation::Left, items);
  const DockLayout right = Lay(DockOrientation::Right, items);
  ASSERT_EQ(left.slots.size(), items.size());

  // Both side docks span the same plate along the window height.
  EXPECT_FLOAT_EQ(left.plate.x, 10);
  EXPECT_FLOAT_EQ(right.plate.x + right.plate.width, 190);
  EXPECT_FLOAT_EQ(left.plate.y, right.plate.y);
  EXPECT_FLOAT_EQ(left.plate.height, right.plate.height);
  EXPECT_FLOAT_EQ(left.hoverBounds.left, 200 - right.hoverBounds.right);
  EXPECT_FLOAT_EQ(left.hoverBounds.right, 200 - right.hoverBounds.left);

  for (size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(i);
    const DockSlot& l = left.slots[i];
    const DockSlot& r = right.slots[i];
    const DockSlot& b = bottom.slots[i];
    EXPECT_FLOAT_EQ(l.iconTop, r.iconTop);
    EXPECT_FLOAT_EQ(l.iconHeight, r.iconHeight);
    EXPECT_NEAR(l.iconLeft, 200 - (r.iconLeft + r.iconWidth), 1e-4);
    EXPECT_FLOAT_EQ(l.iconWidth, r.iconWidth);
    EXPECT_NEAR(l.indicatorX, 200 - r.indicatorX, 1e-4);
    EXPECT_FLOAT_EQ(l.indicatorY, l.centerY);
    if (items[i].kind == DockItemKind::Music) continue;  // only a bottom dock has the wide tile
    // The left dock is the bottom dock turned: along the dock from the plate's
    // start, across the dock from the screen edge.
    EXPECT_NEAR(l.iconTop - left.plate.y, b.iconLeft - bottom.plate.x, 1e-3);
    EXPECT_FLOAT_EQ(l.iconHeight, b.iconWidth);
    EXPECT_FLOAT_EQ(l.iconWidth, b.iconHeight);
    EXPECT_NEAR(l.iconLeft, 200 - (b.iconTop + b.iconHeight), 1e-3);
  }
}

TEST_F(DockLayoutTest, HitTestBoundaries) {
  struct Case {
    const char* name;
    DockOrientation orientation;
    float x, y;
    int expected;
  };
  // Bottom: icon 0 spans x 364-412, y 135-183; the separator sits at 420; music from 430.
  // Side docks (the music item is an icon there, content 138): icon 0 spans 443-491 along
  // the 1000 DIP window; x 17-65 on the left, 135-183 on the right.
  const Case cases[] = {
      {"icon centre", DockOrientation::Bottom, 388, 159, 0},
      {"4 DIPs before the icon", DockOrientation::Bottom, 360, 159, 0},
      {"beyond 4 DIPs", DockOrientation::Bottom, 359.5f, 159, -1},
      {"separator is never hit", DockOrientation::Bottom, 420.5f, 159, -1},
      {"6 DIPs above the icons", DockOrientation::Bottom, 388, 129, 0},
      {"7 DIPs above", DockOrientation::Bottom, 388, 128, -1},
      {"down to the plate's bottom", DockOrientation::Bottom, 388, 190, 0},
      {"below the plate", DockOrientation::Bottom, 388, 190.5f, -1},
      {"the music tile", DockOrientation::Bottom, 600, 150, 2},
      {"left of the plate", DockOrientation::Bottom, 351, 159, -1},
      {"left dock icon", DockOrientation::Left, 40, 467, 0},
      {"left dock, 6 beyond the far edge", DockOrientation::Left, 71, 467, 0},
      {"left dock, 7 beyond", DockOrientation::Left, 72, 467, -1},
      {"left dock, 4 DIPs before along", DockOrientation::Left, 40, 439, 0},
      {"left dock, above the plate", DockOrientation::Left, 40, 430.5f, -1},
      {"right dock icon", DockOrientation::Right, 160, 467, 0},
      {"right dock, 6 beyond the far edge", DockOrientation::Right, 129, 467, 0},
      {"right dock, 7 beyond", DockOrientation::Right, 128.5f, 467, -1},
  };
  const std::vector<DockFrameRecord> items = ThreeItems();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HitTestDock(Lay(c.orientation, items), c.x, c.y), c.expected);
  }
}

TEST_F(DockLayoutTest, OverlappingHitAreasGoToTheNearestCentre) {
  config.iconSpacing = 2;  // the widened extents overlap by 6 DIPs
  const DockLayout layout =
      Lay(DockOrientation::Bottom, {{DockItemKind::Pinned}, {DockItemKind::Pinned}, {DockItemKind::Pinned}});
  const float between = layout.slots[0].iconLeft + 48 + 1;  // midway between icons 0 and 1
  EXPECT_EQ(HitTestDock(layout, between - 0.5f, 159), 0);
  EXPECT_EQ(HitTestDock(layout, between + 0.5f, 159), 1);
}

TEST_F(DockLayoutTest, VisualPlanRoundsThePlateEdgesAndHidesTowardTheEdge) {
  DockLayout layout = Lay(DockOrientation::Bottom, ThreeItems());
  layout.plate = {10.5f, 20.25f, 100.3f, 41.0f};
  DockItemMotion motions[3];
  motions[0].pressOpacity.value = 0.68f;
  motions[0].indicator.value = 1.02f;
  motions[1].pressOpacity.value = 0.68f;  // separators ignore it
  motions[2].indicator.value = 0.01f;
  const DockItemView views[3] = {{DockItemKind::LauncherButton, false, false, {}, &motions[0]},
                                 {DockItemKind::Separator, false, false, {}, &motions[1]},
                                 {DockItemKind::Music, false, false, {}, &motions[2]}};
  DockVisualPlan plan;
  const DockDragVisualInput drag{1.2f, 1.3f, {100, 50}};
  PlanDockVisuals(layout, views, config, 1.5f, 0.5f, &drag, plan);

  // (7 x 2 + 48 + 10 + 22) x 1.5 x 0.5
  EXPECT_FLOAT_EQ(plan.rootOffset.y, 70.5f);
  EXPECT_FLOAT_EQ(plan.plate.x, 16);        // 15.75
  EXPECT_FLOAT_EQ(plan.plate.y, 30);        // 30.375
  EXPECT_FLOAT_EQ(plan.plate.width, 150);   // round(166.2) - 16: edges, not sizes, are rounded
  EXPECT_FLOAT_EQ(plan.plate.height, 62);   // round(91.875) - 30
  ASSERT_EQ(plan.items.size(), 3u);
  EXPECT_FLOAT_EQ(plan.items[0].offset.x, 364 * 1.5f);
  EXPECT_FLOAT_EQ(plan.items[0].size.y, 72);
  EXPECT_FLOAT_EQ(plan.items[0].opacity, 0.68f);
  EXPECT_FLOAT_EQ(plan.items[1].opacity, 1);
  EXPECT_TRUE(plan.items[0].indicatorVisible);
  EXPECT_FLOAT_EQ(plan.items[0].indicatorOpacity, 1);
  EXPECT_FLOAT_EQ(plan.items[0].indicatorSize, 12);
  EXPECT_FLOAT_EQ(plan.items[0].indicatorOffset.x, 388 * 1.5f - 6);
  EXPECT_FALSE(plan.items[2].indicatorVisible);
  EXPECT_FLOAT_EQ(plan.items[1].size.x, 2.25f);
  EXPECT_TRUE(plan.dragged.visible);
  EXPECT_FLOAT_EQ(plan.dragged.size.x, 1.2f * 48 * 1.5f);
  EXPECT_FLOAT_EQ(plan.dragged.offset.x, 150 - 1.2f * 48 * 1.5f / 2);
  EXPECT_FLOAT_EQ(plan.dragged.opacity, 1);

  layout.orientation = DockOrientation::Left;
  PlanDockVisuals(layout, views, config, 1.0f, 1.0f, nullptr, plan);
  EXPECT_FLOAT_EQ(plan.rootOffset.x, -94);
  EXPECT_FALSE(plan.dragged.visible);
  layout.orientation = DockOrientation::Right;
  PlanDockVisuals(layout, views, config, 1.0f, 1.0f, nullptr, plan);
  EXPECT_FLOAT_EQ(plan.rootOffset.x, 94);
}

}  // namespace
}  // namespace orvane
