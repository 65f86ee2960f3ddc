#include <gtest/gtest.h>

#include "dock/DockReveal.h"

namespace orvane {
namespace {

class ScriptedProbe final : public DockHideProbe {
 public:
  bool fullScreen = false;
  bool overlapping = false;
  int asked = 0;
  bool FullScreen() override { return ++asked, fullScreen; }
  bool Overlapping() override { return ++asked, overlapping; }
};

TEST(DockRevealTest, HidableFollowsTheOptionsAndTheDesktop) {
  struct Case {
    bool smartHide, hideOnFullscreen, fullScreen, overlapping, hidable;
  };
  const Case cases[] = {
      {false, true, true, false, true},   {false, true, false, true, false},
      {true, false, false, true, true},   {true, false, true, false, true},  // full screen overlaps too
      {true, false, false, false, false}, {false, false, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.smartHide << c.hideOnFullscreen << c.fullScreen << c.overlapping);
    DockConfig config;
    config.smartHide = c.smartHide;
    config.hideOnFullscreen = c.hideOnFullscreen;
    ScriptedProbe probe;
    probe.fullScreen = c.fullScreen;
    probe.overlapping = c.overlapping;
    DockReveal reveal;
    reveal.Evaluate(config, probe);
    EXPECT_EQ(reveal.hidable(), c.hidable);
  }
}

// A bottom dock with smart hide under a maximised window.
class DockRevealSmartHideTest : public ::testing::Test {
 protected:
  void SetUp() override {
    config.smartHide = true;
    probe.overlapping = true;
    ASSERT_TRUE(reveal.Evaluate(config, probe).frameRequested);
  }
  bool Frame(float dt, bool hovering, bool busy = false) {
    return reveal.Step(dt, hovering, busy, config.hideRevealDelayMs);
  }
  DockConfig config;  // reveal delay 120 ms
  ScriptedProbe probe;
  DockReveal reveal;
};

TEST_F(DockRevealSmartHideTest, EdgeRevealsAfterTheDelayAndHidesAgainWhenLeft) {
  EXPECT_TRUE(Frame(0.05f, false));
  reveal.PointerMoved();
  EXPECT_TRUE(Frame(0.05f, true));
  EXPECT_TRUE(Frame(0.05f, true)) << "0.10 s: still waiting";
  EXPECT_TRUE(Frame(0.05f, true));
  EXPECT_TRUE(reveal.revealed());
  EXPECT_FALSE(Frame(0.05f, true));

  reveal.PointerLeft();
  EXPECT_FALSE(Frame(0.3f, false));
  EXPECT_TRUE(reveal.revealed());
  Frame(0.03f, false);
  EXPECT_FALSE(reveal.revealed()) << "0.33 s away";
  EXPECT_TRUE(Frame(0.01f, false));
}

TEST_F(DockRevealSmartHideTest, LeavingTheEdgeBeforeTheDelayKeepsItHidden) {
  reveal.PointerMoved();
  Frame(0.1f, true);
  reveal.PointerLeft();
  Frame(0.1f, false);
  EXPECT_FALSE(reveal.revealed());
  reveal.PointerMoved();
  Frame(0.1f, true);
  EXPECT_FALSE(reveal.revealed()) << "the wait starts over";
}

TEST_F(DockRevealSmartHideTest, OpenPopupKeepsARevealedDockOut) {
  reveal.PointerMoved();
  Frame(0.2f, true);
  ASSERT_TRUE(reveal.revealed());
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(Frame(0.1f, false, true));
  EXPECT_TRUE(reveal.revealed());
}

TEST_F(DockRevealSmartHideTest, BusyDockIsNeverHidden) {
  EXPECT_FALSE(Frame(0.016f, false, true));
  EXPECT_TRUE(Frame(0.016f, false, false));
}

TEST_F(DockRevealSmartHideTest, NoLongerHidableForgetsTheReveal) {
  reveal.PointerMoved();
  Frame(0.2f, true);
  probe.overlapping = false;
  EXPECT_TRUE(reveal.Evaluate(config, probe).frameRequested);
  EXPECT_FALSE(reveal.revealed());
  EXPECT_FALSE(reveal.Evaluate(config, probe).frameRequested) << "nothing changed";

  config.smartHide = false;
  config.hideOnFullscreen = false;
  probe.asked = 0;
  reveal.Evaluate(config, probe);
  EXPECT_EQ(probe.asked, 0) << "no option, no probing";

  // Full-screen hiding alone never walks the windows for an overlap.
  config.hideOnFullscreen = true;
  probe.overlapping = true;
  reveal.Evaluate(config, probe);
  EXPECT_EQ(probe.asked, 1) << "only the full-screen question";
  EXPECT_FALSE(reveal.hidable());
}

TEST(DockRevealTest, FullScreenHideIgnoresTheEdgeButNotAFileDrag) {
  DockConfig config;  // hideOnFullscreen is on by default
  ScriptedProbe probe;
  probe.fullScreen = true;
  DockReveal reveal;
  const DockHideUpdate first = reveal.Evaluate(config, probe);
  EXPECT_TRUE(first.fullScreenChanged);
  EXPECT_TRUE(first.fullScreen);
  EXPECT_FALSE(reveal.Evaluate(config, probe).fullScreenChanged) << "the taskbar hears it once";

  reveal.PointerMoved();
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(reveal.Step(0.1f, true, false, config.hideRevealDelayMs));
  reveal.FileDragOver();
  EXPECT_FALSE(reveal.Step(0.1f, true, true, config.hideRevealDelayMs));

  config.hideOnFullscreen = false;
  EXPECT_TRUE(reveal.Evaluate(config, probe).frameRequested);
  EXPECT_FALSE(reveal.hidable());
  EXPECT_FALSE(reveal.fullScreenDetected());
}

TEST(DockRevealTest, FullScreenDetection) {
  const ScreenRect monitor{0, 0, 1920, 1080};
  DockForegroundWindow video{true, false, false, false, {-8, -8, 1928, 1088}, true};
  struct Case {
    int state;
    DockForegroundWindow window;
    bool fullScreen;
  };
  DockForegroundWindow own = video, minimised = video, shell = video, smaller = video, elsewhere = video;
  own.ownProcess = true;
  minimised.minimised = true;
  shell.shellSurface = true;
  smaller.rect = {0, 0, 1920, 1040};
  elsewhere.onDockMonitor = false;
  const Case cases[] = {
      {3, {}, true}, {4, {}, true}, {2, {}, false}, {2, video, true}, {5, own, false},
      {5, minimised, false}, {5, shell, false}, {5, smaller, false}, {5, elsewhere, false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(DockFullScreenDetected(cases[i].state, cases[i].window, monitor), cases[i].fullScreen) << i;
  }
}

TEST(DockRevealTest, DockRectangleCoversIconsAndMarginFromTheEdge) {
  DockConfig config;  // icons 48, padding 7, margin 10
  DockLayout layout;
  layout.plate = {100.2f, 20, 300.5f, 62};
  DockGeometry geometry;
  geometry.scale = 1.5f;
  geometry.monitor = {0, 0, 1920, 1080};
  geometry.renderWindow = {0, 800, 1920, 1080};
  // Across: ceil(62 x 1.5) + 15 = 108.
  EXPECT_EQ(DockScreenRect(config, geometry, layout), (ScreenRect{150, 972, 602, 1080}));
  geometry.orientation = DockOrientation::Right;
  geometry.renderWindow = {1700, 0, 1920, 1080};
  layout.plate = {20, 100.2f, 62, 300.5f};
  EXPECT_EQ(DockScreenRect(config, geometry, layout), (ScreenRect{1812, 150, 1920, 602}));
}

}  // namespace
}  // namespace orvane
