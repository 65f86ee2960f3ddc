#include <gtest/gtest.h>

#include "dock/DockHoverPopups.h"

namespace orvane {
namespace {

// Runs frames of 1/64 s (exact in binary, so frame counts are exact) and keeps the popups' visibility as the hub would.
class DockHoverPopupsTest : public testing::Test {
 protected:
  DockHoverRequests Frame(int hovered, DockItemKind kind = DockItemKind::Pinned, bool hasWindows = true) {
    input.dt = 1.0f / 64;
    input.hovered = hovered;
    input.hoveredKind = kind;
    input.hoveredHasWindows = hasWindows;
    input.hoveredName = hovered >= 0 ? L"记事本" : L"";
    input.anchor = {100.0f + hovered, 40};
    input.windowLength = 1280;
    const DockHoverRequests r = popups.Step(input, config);
    if (r.showPreview) input.popups.previewVisible = true;
    if (r.hidePreview) input.popups.previewVisible = false;
    if (r.showMusic) input.popups.musicVisible = true;
    if (r.hideMusic) input.popups.musicVisible = false;
    return r;
  }
  // Frames until `done` holds for the result, or -1 after 100.
  template <typename Pred>
  int FramesUntil(int hovered, Pred done, DockItemKind kind = DockItemKind::Pinned, bool hasWindows = true) {
    for (int frame = 1; frame <= 100; ++frame) {
      if (done(Frame(hovered, kind, hasWindows))) return frame;
    }
    return -1;
  }

  DockConfig config;
  DockHoverInput input;
  DockHoverPopups popups;
};

const auto kShowsPreview = [](const DockHoverRequests& r) { return r.showPreview; };
const auto kHidesPreview = [](const DockHoverRequests& r) { return r.hidePreview; };
const auto kShowsMusic = [](const DockHoverRequests& r) { return r.showMusic; };
const auto kHidesMusic = [](const DockHoverRequests& r) { return r.hideMusic; };

TEST_F(DockHoverPopupsTest, PreviewOpensAfterDwellAndClosesAfterLeaving) {
  EXPECT_EQ(FramesUntil(3, kShowsPreview), 17);  // 0.26 s
  EXPECT_TRUE(input.popups.previewVisible);
  // Staying on the item opens it once only, and the tooltip stays away.
  const DockHoverRequests again = Frame(3);
  EXPECT_FALSE(again.showPreview);
  EXPECT_FALSE(again.tooltip.show);
  EXPECT_FALSE(again.timersRunning);

  input.popups.pointerInPreview = true;  // into the preview: it stays
  EXPECT_EQ(FramesUntil(-1, kHidesPreview), -1);
  input.popups.pointerInPreview = false;
  EXPECT_EQ(FramesUntil(-1, kHidesPreview), 15);  // 0.22 s
}

TEST_F(DockHoverPopupsTest, OpeningThePreviewHidesTooltipAndMusic) {
  input.popups.musicVisible = true;
  input.popups.pointerInMusic = true;
  DockHoverRequests opened;
  FramesUntil(3, [&](const DockHoverRequests& r) { return r.showPreview ? (opened = r, true) : false; });
  EXPECT_TRUE(opened.hideTooltipNow);
  EXPECT_TRUE(opened.hideMusic);
  EXPECT_EQ(opened.previewItem, 3);
  EXPECT_FLOAT_EQ(opened.anchor.x, 103);
}

TEST_F(DockHoverPopupsTest, SweepingAcrossIconsOpensNoPreview) {
  for (int frame = 0; frame < 40; ++frame) EXPECT_FALSE(Frame(frame / 10).showPreview);
  // An item without windows resets the dwell.
  for (int frame = 0; frame < 10; ++frame) Frame(1);
  Frame(2, DockItemKind::Pinned, false);
  EXPECT_EQ(FramesUntil(1, kShowsPreview), 17);
}

TEST_F(DockHoverPopupsTest, BlockedOrDisabledPreviewClosesAtOnce) {
  struct Case {
    const char* name;
    void (*block)(DockHoverInput&, DockConfig&);
  };
  const Case cases[] = {
      {"disabled", [](DockHoverInput&, DockConfig& c) { c.enableWindowPreview = false; }},
      {"dragging", [](DockHoverInput& i, DockConfig&) { i.dragging = true; }},
      {"context menu", [](DockHoverInput& i, DockConfig&) { i.popups.contextMenuOpen = true; }},
      {"stack popup", [](DockHoverInput& i, DockConfig&) { i.popups.stackPopupOpen = true; }},
      {"tray popup", [](DockHoverInput& i, DockConfig&) { i.popups.trayPopupOpen = true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    input = {};
    config = {};
    popups.Reset();
    ASSERT_GT(FramesUntil(3, kShowsPreview), 0);
    c.block(input, config);
    EXPECT_TRUE(Frame(3).hidePreview);
    EXPECT_EQ(FramesUntil(3, kShowsPreview), -1);
  }
}

TEST_F(DockHoverPopupsTest, MusicPopupOpensAfterDwellAndClosesAfterLeaving) {
  DockHoverRequests opened;
  EXPECT_EQ(FramesUntil(
                9, [&](const DockHoverRequests& r) { return r.showMusic ? (opened = r, true) : false; },
                DockItemKind::Music, false),
            11);  // 0.16 s
  EXPECT_TRUE(opened.hideTooltipNow);
  EXPECT_FALSE(opened.tooltip.show);
  EXPECT_EQ(FramesUntil(-1, kHidesMusic), 16);  // 0.24 s

  config.showDockMusic = false;
  EXPECT_EQ(FramesUntil(9, kShowsMusic, DockItemKind::Music, false), -1);
}

TEST_F(DockHoverPopupsTest, TooltipForHoveredItemsOnly) {
  config.tooltipDelayMs = 250;
  DockHoverRequests r = Frame(2, DockItemKind::Pinned, false);
  EXPECT_TRUE(r.tooltip.show);
  EXPECT_EQ(r.tooltip.name, L"记事本");
  EXPECT_FLOAT_EQ(r.tooltip.delaySeconds, 0.25f);
  EXPECT_FLOAT_EQ(r.tooltip.anchor.x, 102);
  EXPECT_FLOAT_EQ(r.tooltip.windowLength, 1280);

  EXPECT_FALSE(Frame(-1).tooltip.show);
  EXPECT_FALSE(Frame(2, DockItemKind::Music, false).tooltip.show);
  DockHoverInput unnamed;
  unnamed.hovered = 2;
  EXPECT_FALSE(popups.Step(unnamed, config).tooltip.show);
  config.enableTooltip = false;
  EXPECT_FALSE(Frame(2, DockItemKind::Pinned, false).tooltip.show);
}

}  // namespace
}  // namespace orvane
