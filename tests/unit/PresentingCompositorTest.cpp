#include "render/PresentingCompositor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/SoftCompositor.h"

namespace orvane {
namespace {

class PresentingCompositorTest : public ::testing::Test {
 protected:
  SoftCompositor soft;
  std::vector<std::string> events;
  PresentingCompositor presenting{soft, [this] { events.push_back("present"); }};
};

TEST_F(PresentingCompositorTest, ListsEachWindowOnceAndReportsItClosedOnceAllTargetsAreGone) {
  auto dockTop = presenting.CreateWindowTarget(0x10, true);
  auto popup = presenting.CreateWindowTarget(0x20, true);
  auto dockBelow = presenting.CreateWindowTarget(0x10, false);

  auto windows = presenting.CollectWindows();
  EXPECT_EQ(windows.live, (std::vector<NativeWindow>{0x10, 0x20}));
  EXPECT_TRUE(windows.closed.empty());

  dockTop.reset();  // the other layer still shows the dock
  popup.reset();
  windows = presenting.CollectWindows();
  EXPECT_EQ(windows.live, (std::vector<NativeWindow>{0x10}));
  EXPECT_EQ(windows.closed, (std::vector<NativeWindow>{0x20}));

  dockBelow.reset();
  windows = presenting.CollectWindows();
  EXPECT_TRUE(windows.live.empty());
  EXPECT_EQ(windows.closed, (std::vector<NativeWindow>{0x10}));
  EXPECT_TRUE(presenting.CollectWindows().closed.empty()) << "closed is reported once";
}

TEST_F(PresentingCompositorTest, PresentsAfterEveryDrawWithTheDrawAlreadyDone) {
  auto surface = presenting.CreateDrawingSurface(4, 4);
  EXPECT_TRUE(presenting.DrawSurface(*surface, 4, 4, [&](Canvas& canvas) {
    events.push_back("draw");
    canvas.FillRect({0, 0, 4, 4}, Color{1, 0, 0, 1});
  }));
  const std::vector<std::uint8_t> pixels(4 * 4 * 4, 0xFF);
  EXPECT_TRUE(presenting.DrawPixels(*surface, 4, 4, pixels.data()));
  EXPECT_EQ(events, (std::vector<std::string>{"draw", "present", "present"}));
}

TEST_F(PresentingCompositorTest, HandsOutTheInnerCompositorsObjects) {
  // A tree built through the decorator renders through the software compositor.
  auto target = presenting.CreateWindowTarget(0x30, true);
  auto sprite = presenting.CreateSpriteVisual();
  sprite->SetRelativeSizeAdjustment({1, 1});
  sprite->SetBrush(presenting.CreateColorBrush(Color::FromArgb(0xFF0000FF)));
  target->SetRoot(sprite);

  const SoftFrame frame = soft.RenderWindow(0x30, 2, 2);
  ASSERT_EQ(frame.pixels.size(), 16u);
  EXPECT_EQ(frame.pixels[0], 0xFF);  // blue
  EXPECT_EQ(frame.pixels[2], 0x00);  // red
  EXPECT_EQ(frame.pixels[3], 0xFF);  // alpha
}

TEST_F(PresentingCompositorTest, DeviceLossMovesToTheCompositorTheFrameStepReads) {
  auto surface = presenting.CreateDrawingSurface(1, 1);
  soft.deviceLost = true;  // as if the inner draw had lost its device
  presenting.DrawSurface(*surface, 1, 1, [](Canvas&) {});
  EXPECT_TRUE(presenting.deviceLost);
  EXPECT_FALSE(soft.deviceLost) << "a cleared report must not come back on the next draw";
  presenting.deviceLost = false;
  presenting.DrawSurface(*surface, 1, 1, [](Canvas&) {});
  EXPECT_FALSE(presenting.deviceLost);
}

}  // namespace
}  // namespace orvane
