#include <gtest/gtest.h>

#include <string>

#include "dock/DockTooltip.h"
#include "render/SoftCompositor.h"

namespace orvane {
namespace {

constexpr float kFrame = 1.0f / 60;

class DockTooltipTest : public ::testing::Test {
 protected:
  DockTooltipTest() {
    tooltip.Create(compositor, nullptr, false);
    tooltip.SetStyle(1, MakeTheme(true, true), false);
    tooltip.SetArea(1920, 0.11f);
  }
  // Frames until the tooltip rests; how many it took.
  int Settle() {
    int frames = 0;
    while (frames < 600 && tooltip.Update(kFrame)) ++frames;
    return frames;
  }
  void Hover(const std::wstring& name, float x, int frames) {
    for (int i = 0; i < frames; ++i) {
      tooltip.Want(name, x, 100);
      tooltip.Update(kFrame);
    }
  }

  SoftCompositor compositor;
  DockTooltip tooltip;
};

TEST_F(DockTooltipTest, ShowsAfterTheDelayWhereTheItemIsWithoutSliding) {
  Hover(L"记事本", 500, 6);  // 0.1 s: still waiting
  EXPECT_FALSE(tooltip.shown());
  EXPECT_FALSE(tooltip.root()->isVisible());
  Hover(L"记事本", 500, 2);
  ASSERT_TRUE(tooltip.shown());
  // Centred on the item, its pointer's tip 9 DIP above the icon, and placed
  // there at once: only opacity and growth animate in.
  EXPECT_NEAR(tooltip.left() + tooltip.bubbleWidth() / 2, 500, 0.5f);
  EXPECT_NEAR(tooltip.top() + tooltip.bubbleHeight() + 6, 100 - 9, 0.01f);
  const Vector3 at = tooltip.root()->offset();
  EXPECT_NEAR(at.x, tooltip.left() - 8, 0.01f);
  for (int i = 0; i < 60; ++i) {
    tooltip.Want(L"记事本", 500, 100);
    tooltip.Update(kFrame);
  }
  EXPECT_NEAR(tooltip.opacity(), 1, 0.01f);
  EXPECT_EQ(tooltip.layouts(), 1) << "no layout while text and pointer stay put";

  // To the next item it glides, without a new delay.
  tooltip.Want(L"画图", 560, 100);
  tooltip.Update(kFrame);
  EXPECT_TRUE(tooltip.shown());
  EXPECT_EQ(tooltip.layoutText(), L"画图");
  const float glidingX = tooltip.root()->offset().x;
  EXPECT_GT(glidingX, at.x);
  EXPECT_LT(glidingX + 8, tooltip.left() - 1) << "it glides rather than jumps";
}

TEST_F(DockTooltipTest, LeavingFadesOutAndAQuickReturnSkipsTheDelay) {
  Hover(L"记事本", 500, 30);
  ASSERT_TRUE(tooltip.shown());
  tooltip.Unwanted();
  tooltip.Update(kFrame);
  tooltip.Update(kFrame);
  EXPECT_FALSE(tooltip.shown());
  EXPECT_GT(tooltip.opacity(), 0.05f);
  Hover(L"画图", 560, 1);
  EXPECT_TRUE(tooltip.shown()) << "still fading: shown again at once";

  // Gone for good: the next one waits for the delay again, and at rest the
  // tooltip asks for no frames.
  tooltip.Unwanted();
  Settle();
  EXPECT_FALSE(tooltip.root()->isVisible());
  EXPECT_FALSE(tooltip.Update(kFrame));
  Hover(L"画图", 560, 1);
  EXPECT_FALSE(tooltip.shown());
}

TEST_F(DockTooltipTest, HideNowTakesItAwayAtOnce) {
  Hover(L"记事本", 500, 30);
  tooltip.HideNow();
  EXPECT_FALSE(tooltip.root()->isVisible());
  EXPECT_EQ(tooltip.opacity(), 0);
  tooltip.Update(kFrame);
  EXPECT_FALSE(tooltip.shown());
  Hover(L"记事本", 500, 1);
  EXPECT_FALSE(tooltip.shown()) << "after HideNow the delay counts again";
}

TEST_F(DockTooltipTest, TheBubbleStaysInsideItsArea) {
  struct Case {
    float anchor, width, area, left;
  } cases[] = {
      {500, 80, 1920, 460}, {20, 80, 1920, 8}, {1910, 80, 1920, 1832}, {100, 300, 219, 8},
  };
  for (const Case& c : cases) EXPECT_EQ(TooltipLeft(c.anchor, c.width, c.area), c.left) << c.anchor << " " << c.area;

  // At the right end the bubble stops 8 DIP inside; its pointer goes as far
  // towards the item as the corner allows (radius 8, half-width 6.5, 2 more).
  tooltip.SetArea(600, 0);
  Hover(L"回收站", 590, 3);
  EXPECT_NEAR(tooltip.left() + tooltip.bubbleWidth(), 600 - 8, 0.01f);
  EXPECT_NEAR(tooltip.left() + tooltip.pointerX(), 600 - 8 - 16.5f, 0.01f);
}

TEST_F(DockTooltipTest, ASideDockTrimsALongNameToItsWindow) {
  const std::wstring name = L"一个非常非常长的应用程序名称，远远超出侧边 Dock 窗口的宽度";
  tooltip.SetArea(1920, 0);
  Hover(name, 900, 3);
  const float bottomWidth = tooltip.bubbleWidth();
  EXPECT_FALSE(tooltip.textTrimmed());
  EXPECT_GT(bottomWidth, 219);

  tooltip.HideNow();
  tooltip.SetTrimToArea(true);
  tooltip.SetArea(219, 0);
  Hover(name, 110, 3);
  EXPECT_TRUE(tooltip.textTrimmed());
  EXPECT_LE(tooltip.bubbleWidth(), 219 - 16 + 0.01f);
  EXPECT_GE(tooltip.left(), 8);
  EXPECT_LE(tooltip.left() + tooltip.bubbleWidth(), 219 - 8 + 0.01f);
}

TEST_F(DockTooltipTest, AStyleChangeLaysTheTextOutAgainAtTheNewScale) {
  Hover(L"记事本", 500, 30);
  const float width = tooltip.bubbleWidth();
  const int layouts = tooltip.layouts();
  tooltip.SetStyle(2, MakeTheme(false, false), false);
  EXPECT_EQ(tooltip.layouts(), layouts + 1);
  EXPECT_NEAR(tooltip.bubbleWidth(), width, 2) << "the same text is about as wide in DIP";
  tooltip.SetTheme(MakeTheme(true, false));
  EXPECT_EQ(tooltip.layouts(), layouts + 2);
}

}  // namespace
}  // namespace orvane
