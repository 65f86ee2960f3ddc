#include <gtest/gtest.h>

#include "platform/DisplayService.h"
#include "platform/headless/FakeDisplayPlatform.h"

namespace orvane {
namespace {

// A 1920 x 1080 primary monitor with a 2560 x 1440 one at 150 % to its right.
class DisplayServiceTest : public testing::Test {
 protected:
  DisplayServiceTest() {
    platform.monitors = {left, right};
  }

  DisplayMonitor left{1, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1.0f, true};
  DisplayMonitor right{2, {1920, 0, 4480, 1440}, {1920, 0, 4480, 1440}, 1.5f, false};
  FakeDisplayPlatform platform;
};

TEST_F(DisplayServiceTest, PointsAndWindowsGoToTheMonitorHoldingThemElseTheNearest) {
  DisplayService display(platform);
  struct Case {
    ScreenPoint point;
    MonitorHandle expected;
  };
  const Case cases[] = {
      {{0, 0}, 1},         {{1919, 1079}, 1}, {{1920, 0}, 2},   {{4479, 1439}, 2},
      {{-500, 300}, 1},    // left of everything
      {{1000, 1300}, 1},   // below the primary
      {{1900, 1100}, 2},   // below the primary, but nearer the taller monitor's left edge
      {{1950, 1300}, 2},   // on the taller second monitor
      {{9000, -50}, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(display.FromPoint(c.point).handle, c.expected) << c.point.x << "," << c.point.y;
  }

  platform.windows[7] = {1800, 100, 2400, 500};  // mostly on the second monitor
  platform.windows[8] = {-900, 100, -100, 500};  // off every monitor
  EXPECT_EQ(display.FromWindow(7).handle, 2u);
  EXPECT_EQ(display.FromWindow(8).handle, 1u);
  EXPECT_EQ(display.FromWindow(99), left);  // unknown window
  EXPECT_EQ(display.FromWindow(kNoWindow), left);
}

TEST_F(DisplayServiceTest, PointerMonitorAndPrimary) {
  DisplayService display(platform);
  platform.pointer = ScreenPoint{3000, 700};
  EXPECT_EQ(display.UnderPointer(), right);
  platform.pointer.reset();  // GetCursorPos failed
  EXPECT_EQ(display.UnderPointer(), left);

  // The primary is the flagged monitor wherever it stands in the list.
  platform.monitors = {right, left};
  display.Refresh();
  EXPECT_EQ(display.Primary(), left);
  EXPECT_EQ(display.Find(0), left);

  // No monitor at all still yields something to place windows on.
  platform.monitors.clear();
  display.Refresh();
  EXPECT_TRUE(display.Primary().primary);
  EXPECT_FALSE(display.Primary().rect.IsEmpty());
  EXPECT_EQ(display.FromPoint({10, 10}), display.Primary());
}

TEST_F(DisplayServiceTest, HandlesOfMonitorsThatWentAreNeverAnsweredWithTheirOldData) {
  DisplayService display(platform);
  int notified = 0;
  display.AddListener([&] { ++notified; });
  EXPECT_EQ(display.Find(2), right);

  // The second monitor is unplugged and a third one appears where it stood.
  const DisplayMonitor third{3, {1920, 0, 3840, 1080}, {1920, 0, 3840, 1080}, 1.25f, false};
  platform.monitors = {left, third};

  // Before the refresh the system already answers with the new handle; the
  // service places the point by the list it has rather than trusting it.
  EXPECT_EQ(display.FromPoint({2000, 10}), right);

  EXPECT_TRUE(display.Refresh());
  EXPECT_EQ(notified, 1);
  EXPECT_FALSE(display.Holds(2));
  EXPECT_EQ(display.Find(2), left);
  EXPECT_EQ(display.FromPoint({2000, 10}), third);

  // The same layout again tells nobody.
  EXPECT_FALSE(display.Refresh());
  EXPECT_EQ(notified, 1);
}

TEST_F(DisplayServiceTest, ADpiChangeNotifiesAndListenersMayLeaveWhileBeingTold) {
  DisplayService display(platform);
  std::vector<int> heard;
  DisplayService::ListenerId first = 0;
  first = display.AddListener([&] {
    heard.push_back(1);
    display.RemoveListener(first);
  });
  display.AddListener([&] { heard.push_back(2); });

  platform.monitors[1].scale = 2.0f;
  EXPECT_TRUE(display.Refresh());
  EXPECT_FLOAT_EQ(display.Find(2).scale, 2.0f);
  platform.monitors[0].workArea.bottom = 1000;  // the taskbar grew
  EXPECT_TRUE(display.Refresh());
  EXPECT_EQ(heard, (std::vector<int>{1, 2, 2}));
}

TEST(DpiScaleTest, MonitorDpiElseWindowDpiElseOne) {
  EXPECT_FLOAT_EQ(DpiScale(144u, 96u), 1.5f);
  EXPECT_FLOAT_EQ(DpiScale(std::nullopt, 120u), 1.25f);
  EXPECT_FLOAT_EQ(DpiScale(0u, 192u), 2.0f);
  EXPECT_FLOAT_EQ(DpiScale(std::nullopt, 0u), 1.0f);
}

}  // namespace
}  // namespace orvane
