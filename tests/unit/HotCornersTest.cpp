#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "HotkeyTestFixture.h"
#include "system/HotCorners.h"

namespace orvane {
namespace {

TEST(HotCornerAtTest, CornersAreFivePixelsSquareInsideTheMonitor) {
  const ScreenRect primary{0, 0, 1920, 1080};
  const ScreenRect upperRight{1920, -200, 3840, 880};
  const struct {
    CursorPoint pointer;
    ScreenRect monitor;
    HotCorner corner;
  } cases[] = {
      {{3, 3}, primary, HotCorner::TopLeft},
      {{4, 4}, primary, HotCorner::TopLeft},
      {{5, 0}, primary, HotCorner::None},
      {{0, 5}, primary, HotCorner::None},
      {{1915, 0}, primary, HotCorner::TopRight},  // right - 5
      {{1914, 0}, primary, HotCorner::None},      // right - 6
      {{1919, 4}, primary, HotCorner::TopRight},
      {{1919, 5}, primary, HotCorner::None},
      {{1923, -197}, upperRight, HotCorner::TopLeft},
      {{3835, -200}, upperRight, HotCorner::TopRight},
      // On a neighbouring monitor, level with or above this one's top edge.
      {{1919, -150}, upperRight, HotCorner::None},
      {{1000, -300}, primary, HotCorner::None},
      {{-10, 2}, primary, HotCorner::None},
      {{1920, 2}, primary, HotCorner::None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HotCornerAt(c.pointer, c.monitor), c.corner) << c.pointer.x << "," << c.pointer.y;
  }
}

using Path = std::vector<std::optional<CursorPoint>>;

constexpr CursorPoint kTopLeft{3, 3};
constexpr CursorPoint kTopRight{1917, 1};
constexpr CursorPoint kAway{800, 500};

// Hot corners switched on for the render window; each tick reads the next
// pointer position of a path (nothing: GetCursorPos fails).
class HotCornersTest : public HotkeyManagerFixture {
 protected:
  HotCornersTest() { manager.ApplyConfiguration(false, true, false, L"alt+tab"); }

  // The ticks (1-based) on which an action fired.
  std::vector<int> FiringTicks(const Path& path, MonitorHandle monitor = 0) {
    std::vector<int> fired;
    for (std::size_t i = 0; i < path.size(); ++i) {
      platform.cursor = path[i];
      const std::size_t before = actions.size();
      manager.HotCornerTick(monitor);
      if (actions.size() != before) fired.push_back(static_cast<int>(i + 1));
    }
    return fired;
  }
};

TEST_F(HotCornersTest, RestingFiresOnTheSecondTickAndAgainEveryFifth) {
  EXPECT_EQ(FiringTicks(Path(12, kTopLeft)), (std::vector<int>{2, 7, 12}));
  EXPECT_EQ(actions, std::vector<HotkeyAction>(3, HotkeyAction::ShowOverview));
}

TEST_F(HotCornersTest, TopRightTogglesTheLauncher) {
  EXPECT_EQ(FiringTicks({kTopRight, kTopRight}), std::vector<int>{2});
  EXPECT_EQ(actions, std::vector<HotkeyAction>{HotkeyAction::ToggleLauncher});
}

struct PathCase {
  const char* name;
  Path path;
  std::vector<int> fired;
};

class HotCornerPathTest : public HotCornersTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(HotCornerPathTest, FiresOnTheExpectedTicks) {
  EXPECT_EQ(FiringTicks(GetParam().path), GetParam().fired);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HotCornerPathTest,
    ::testing::Values(
        PathCase{"OneTickIsNotARest", {kTopLeft, kAway, kTopLeft, kAway}, {}},
        PathCase{"CornerToCornerStartsOver", {kTopLeft, kTopRight, kTopRight}, {3}},
        // Leaving resets the dwell but the cool-down keeps running.
        PathCase{"LeaveAndReturn", {kTopLeft, kTopLeft, kAway, kTopLeft, kTopLeft, kTopLeft, kTopLeft, kTopLeft}, {2, 8}},
        // An unreadable pointer still lets the cool-down run out.
        PathCase{"PointerLost", {kTopLeft, kTopLeft, std::nullopt, std::nullopt, std::nullopt, std::nullopt, kTopLeft}, {2, 7}}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

TEST_F(HotCornersTest, UsesTheGivenMonitorElseThePrimary) {
  platform.monitors[2] = {-1280, 0, 0, 1024};
  EXPECT_EQ(FiringTicks({CursorPoint{-1280, 0}, CursorPoint{-1280, 0}}, 2), std::vector<int>{2});
  EXPECT_EQ(FiringTicks({CursorPoint{-1280, 0}, CursorPoint{-1280, 0}}, 0), std::vector<int>{});
  EXPECT_EQ(FiringTicks({kAway, kTopLeft, kTopLeft}, 3), std::vector<int>{});  // unknown monitor
}

TEST_F(HotCornersTest, NothingHappensWhenOffOrWithoutACallback) {
  manager.ApplyConfiguration(false, false, false, L"alt+tab");
  EXPECT_EQ(FiringTicks({kTopLeft, kTopLeft, kTopLeft}), std::vector<int>{});
  manager.ApplyConfiguration(false, true, false, L"alt+tab");
  manager.SetActionCallback(nullptr);
  platform.cursor = kTopLeft;
  for (int i = 0; i < 3; ++i) manager.HotCornerTick(0);
  EXPECT_EQ(manager.Corners().Corner(), HotCorner::None);
}

TEST_F(HotCornersTest, ConfigurationApplyRestartsTheDwell) {
  EXPECT_EQ(FiringTicks({kTopLeft}), std::vector<int>{});
  manager.ApplyConfiguration(false, true, false, L"alt+tab");
  EXPECT_EQ(FiringTicks({kTopLeft, kTopLeft}), std::vector<int>{2});
}

}  // namespace
}  // namespace orvane
