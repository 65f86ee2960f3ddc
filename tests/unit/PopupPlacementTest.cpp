#include <gtest/gtest.h>

#include "ui/PopupPlacement.h"

namespace orvane {
namespace {

// 1920 x 1080 with a 40 px taskbar at the bottom.
const PopupMonitor kMain{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1.0f};
// Left of the main monitor and higher, at 150 %.
const PopupMonitor kLeftScaled{{-1920, -200, 0, 880}, {-1920, -200, 0, 840}, 1.5f};
// Too small for the tall popups below.
const PopupMonitor kSmall{{0, 0, 800, 600}, {0, 0, 800, 600}, 1.0f};

TEST(PopupPlacementTest, AnchorsFlipsAndClamps) {
  struct Case {
    const char* name;
    PopupAnchor anchor;
    PopupSize size;
    const PopupMonitor& monitor;
    ScreenRect window;
    PopupSide side;
  };
  const Case cases[] = {
      // Plate 200 x 100 with a 12 px margin: plate bottom 8 px above the point.
      {"menu above the point", PopupAnchor::MenuAt(500, 900), {200, 100, 12}, kMain, {388, 780, 612, 904},
       PopupSide::Above},
      {"menu near the top flips below", PopupAnchor::MenuAt(500, 50), {200, 100, 12}, kMain, {388, 46, 612, 170},
       PopupSide::Below},
      {"menu at the right edge ends 6 px inside", PopupAnchor::MenuAt(1900, 500), {200, 100, 12}, kMain,
       {1702, 380, 1926, 504}, PopupSide::Above},
      {"menu at the left edge starts 6 px inside", PopupAnchor::MenuAt(10, 500), {200, 100, 12}, kMain,
       {-6, 380, 218, 504}, PopupSide::Above},
      {"menu on the taskbar stays above the work area's bottom", PopupAnchor::MenuAt(500, 1075), {200, 100, 12},
       kMain, {388, 922, 612, 1046}, PopupSide::Above},
      // 150 %: gap 12 px, edge 9 px.
      {"menu at scale 1.5", PopupAnchor::MenuAt(-1000, 400), {300, 150, 18}, kLeftScaled,
       {-1168, 220, -832, 406}, PopupSide::Above},
      {"menu at the right edge of a monitor left of the origin", PopupAnchor::MenuAt(-10, 400), {300, 150, 18},
       kLeftScaled, {-327, 220, 9, 406}, PopupSide::Above},
      {"menu at the top of a monitor above the origin", PopupAnchor::MenuAt(-1000, -190), {300, 150, 18},
       kLeftScaled, {-1168, -196, -832, -10}, PopupSide::Below},
      {"popup taller than the work area keeps its top", PopupAnchor::MenuAt(400, 300), {300, 700, 12}, kSmall,
       {238, -6, 562, 718}, PopupSide::Above},
      {"popup wider than the work area keeps its left", PopupAnchor::MenuAt(400, 300), {900, 100, 12}, kSmall,
       {-6, 180, 918, 304}, PopupSide::Above},
      // Bubbles: 10 px from the item, 8 px inside the work area.
      {"bubble above a bottom dock item", PopupAnchor::BubbleAt(DockEdge::Bottom, 960, 980), {320, 200, 14}, kMain,
       {786, 756, 1134, 984}, PopupSide::Above},
      {"bubble above the first item is pushed right", PopupAnchor::BubbleAt(DockEdge::Bottom, 60, 980),
       {320, 200, 14}, kMain, {-6, 756, 342, 984}, PopupSide::Above},
      {"bubble right of a left dock item", PopupAnchor::BubbleAt(DockEdge::Left, 80, 500), {320, 200, 14}, kMain,
       {76, 386, 424, 614}, PopupSide::Right},
      {"bubble left of a right dock item", PopupAnchor::BubbleAt(DockEdge::Right, 1840, 500), {320, 200, 14}, kMain,
       {1496, 386, 1844, 614}, PopupSide::Left},
      {"bubble at a low left dock item is lifted", PopupAnchor::BubbleAt(DockEdge::Left, 80, 1030), {320, 200, 14},
       kMain, {76, 818, 424, 1046}, PopupSide::Right},
      {"bubble with no room beside a right dock opens on the other side",
       PopupAnchor::BubbleAt(DockEdge::Right, 200, 500), {320, 200, 14}, kMain, {196, 386, 544, 614},
       PopupSide::Right},
      // Panels.
      {"panel below a menu bar slot at the right", PopupAnchor::PanelBelow(1800, 28), {336, 434, 16}, kMain,
       {1560, 18, 1928, 484}, PopupSide::Below},
      {"panel from the bottom dock", PopupAnchor::PanelFromDock(DockEdge::Bottom, 960, 990), {400, 300, 16}, kMain,
       {744, 666, 1176, 998}, PopupSide::Above},
      {"full monitor covers the taskbar too", PopupAnchor::FullMonitor(), {10, 10, 12}, kLeftScaled,
       {-1920, -200, 0, 880}, PopupSide::Above},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PopupPlacement placed = PlacePopup(c.anchor, c.size, c.monitor);
    EXPECT_EQ(placed.window, c.window);
    EXPECT_EQ(placed.side, c.side);
  }
}

TEST(PopupPlacementTest, DipDistancesTruncateAtFractionalScales) {
  // 125 %: the 8 DIP gap is 10 px, the 6 DIP edge 7.5 -> 7 px.
  const PopupMonitor monitor{{0, 0, 1000, 800}, {0, 0, 1000, 800}, 1.25f};
  EXPECT_EQ(PlacePopup(PopupAnchor::MenuAt(500, 400), {100, 50, 0}, monitor).window,
            (ScreenRect{450, 340, 550, 390}));
  EXPECT_EQ(PlacePopup(PopupAnchor::MenuAt(995, 400), {100, 50, 0}, monitor).window.right, 993);
}

TEST(PopupPlacementTest, EmptyWorkAreaFallsBackToTheMonitor) {
  const PopupMonitor monitor{{0, 0, 1000, 800}, {}, 1.0f};
  EXPECT_EQ(PlacePopup(PopupAnchor::MenuAt(995, 400), {100, 50, 0}, monitor).window,
            (ScreenRect{894, 342, 994, 392}));
}

}  // namespace
}  // namespace orvane
