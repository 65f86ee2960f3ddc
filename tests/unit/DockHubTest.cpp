#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FakeDockClickPlatform.h"
#include "FakeDockServices.h"
#include "dock/DockHub.h"
#include "render/SoftCompositor.h"
#include "system/FakeHotkeyPlatform.h"
#include "system/FakeWindowSystem.h"

namespace orvane {
namespace {

using testing::FakeDockServices;
using testing::RecordingClickPlatform;

// Three monitors: the primary one, one to its right at the same scale and
// one to its left at 150 %.
class FakeHubPlatform final : public DockHubPlatform {
 public:
  std::map<MonitorHandle, DockMonitorInfo> monitors{{1, {1, {0, 0, 1920, 1080}, 1.0f}},
                                                    {2, {2, {1920, 0, 3840, 1080}, 1.0f}},
                                                    {3, {3, {-2560, 0, 0, 1440}, 1.5f}}};
  MonitorHandle underPointer = 1;
  std::vector<ScreenRect> renderPlacements;
  std::vector<ScreenRect> inputPlacements;
  std::vector<DockConfig> saved;
  bool escape = false;
  int captureReleases = 0;
  bool fullScreen = false;
  bool overlapping = false;

  DockMonitorInfo DescribeMonitor(MonitorHandle monitor) override { return monitors.at(monitor == 0 ? 1 : monitor); }
  MonitorHandle MonitorUnderPointer() override { return underPointer; }
  void PlaceRenderWindow(const ScreenRect& rect) override { renderPlacements.push_back(rect); }
  void PlaceInputWindow(const ScreenRect& rect) override { inputPlacements.push_back(rect); }
  std::unique_ptr<DockHideProbe> CreateHideProbe(const DockMonitorInfo&, const ScreenRect&) override {
    return std::make_unique<Probe>(fullScreen, overlapping);
  }
  void SaveConfig(const DockConfig& config) override { saved.push_back(config); }
  bool EscapeHeld() override { return escape; }
  void ReleasePointerCapture() override { ++captureReleases; }

 private:
  struct Probe final : DockHideProbe {
    Probe(bool f, bool o) : full(f), over(o) {}
    bool FullScreen() override { return full; }
    bool Overlapping() override { return over; }
    bool full, over;
  };
};

constexpr WindowHandle kRenderWindow = 77;

// The hub started on the primary monitor with two pinned items, global
// hotkeys on and every surface hook recording what it was asked.
class DockHubTest : public ::testing::Test {
 protected:
  DockHubTest() {
    DockConfig config;
    config.pinned = {{L"a", L"C:\\a.exe", L"", L""}, {L"b", L"C:\\b.exe", L"", L""}};
    hotkeys.SetWindow(kRenderWindow);
    hub.Place(config);
    hub.dock().CreateVisuals(compositor, MakeTheme(false, true));
    target->SetRoot(hub.dock().root());
    DockSurfaceHooks& hooks = hub.dock().hooks;
    hooks.openLauncherGrid = [this] { opened.push_back(L"launcher grid"); };
    hooks.openWindowOverview = [this] { opened.push_back(L"window overview"); };
    hooks.openControlCenter = [this](int page) { opened.push_back(L"control center " + std::to_wstring(page)); };
    hooks.toggleNotificationCenter = [this] { opened.push_back(L"notification center"); };
    hub.Start(false);
    Settle();
    platform.saved.clear();
  }

  void Settle() {
    for (int frame = 0; frame < 4000 && hub.FrameStep(1.0f / 120, {}); ++frame) {
    }
  }
  const DockItem* FirstItem() const { return hub.dock().items().items().front().get(); }
  int IndexOf(const std::wstring& name) const {
    for (std::size_t i = 0; i < hub.dock().items().size(); ++i) {
      if (hub.dock().items()[i].config.name == name) return static_cast<int>(i);
    }
    return -1;
  }

  SoftCompositor compositor;
  std::shared_ptr<WindowTarget> target = compositor.CreateWindowTarget(1, true);
  FakeDockServices services;
  RecordingClickPlatform clicks;
  FakeHubPlatform platform;
  FakeHotkeyPlatform hotkeyPlatform;
  HotkeyManager hotkeys{hotkeyPlatform};
  FakeWindowSystem windows;
  WindowTracker tracker{windows};
  int frameRequests = 0;
  DockHub hub{services, clicks, platform, hotkeys, tracker, nullptr, [this] { ++frameRequests; }};
  std::vector<std::wstring> opened;
};

TEST_F(DockHubTest, StartsOnThePrimaryMonitorsBottomEdgeWithItsHotkeys) {
  ASSERT_FALSE(platform.renderPlacements.empty());
  EXPECT_EQ(platform.renderPlacements.back().bottom, 1080);
  EXPECT_EQ(platform.renderPlacements.back().Width(), 1920);
  ASSERT_FALSE(platform.inputPlacements.empty());
  EXPECT_EQ(platform.inputPlacements.back().bottom, 1080);
  EXPECT_TRUE(hotkeys.GlobalHotkeysOn());
  EXPECT_FALSE(hotkeyPlatform.registered.empty());

  // A settled dock does not move its input window again.
  const std::size_t placements = platform.inputPlacements.size();
  for (int frame = 0; frame < 10; ++frame) hub.FrameStep(1.0f / 120, {});
  EXPECT_EQ(platform.inputPlacements.size(), placements);
}

TEST_F(DockHubTest, SettingsChangesDoOnlyTheWorkTheyNeed) {
  struct Case {
    const char* what;
    void (*change)(DockConfig&);
    bool rebuilt, replaced, hotkeysOn;
  } cases[] = {
      {"spring damping", [](DockConfig& c) { c.springDamping += 3; }, false, false, true},
      {"icon spacing", [](DockConfig& c) { c.iconSpacing += 2; }, false, false, true},
      {"icon size", [](DockConfig& c) { c.iconSize = 64; }, false, true, true},
      {"global hotkeys off", [](DockConfig& c) { c.enableGlobalHotkeys = false; }, false, false, false},
      // The rows build on each other: the hotkeys stay off from here.
      {"dock on the left", [](DockConfig& c) { c.dockPosition = L"left"; }, true, true, false},
      {"no recycle bin", [](DockConfig& c) { c.showRecycleBin = false; }, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DockConfig changed = hub.config();
    c.change(changed);
    const DockItem* first = FirstItem();
    const std::size_t placements = platform.renderPlacements.size();
    platform.saved.clear();

    hub.ApplySettings(changed, true);
    EXPECT_EQ(FirstItem() != first, c.rebuilt);
    EXPECT_EQ(platform.renderPlacements.size() > placements, c.replaced);
    EXPECT_EQ(hotkeys.GlobalHotkeysOn(), c.hotkeysOn);
    ASSERT_EQ(platform.saved.size(), 1u);
    EXPECT_EQ(platform.saved.back(), changed);
    EXPECT_EQ(hub.config(), changed);
    Settle();
    hub.ApplySettings(DockConfig(hub.config()), false);  // unchanged and unsaved: nothing to do
    EXPECT_EQ(platform.saved.size(), 1u);
  }
  // The dock now stands on the left edge.
  EXPECT_EQ(platform.renderPlacements.back().left, 0);
  EXPECT_EQ(platform.renderPlacements.back().Height(), 1080);
}

TEST_F(DockHubTest, TheDockFollowsThePointerToAnotherMonitorUnlessADragRuns) {
  DockConfig config = hub.config();
  config.followMouseMonitor = true;
  hub.ApplySettings(config, false);

  // A drag holds the dock where it is.
  const int a = IndexOf(L"a");
  const DockSlot& slot = hub.dock().animator().layout().slots.at(static_cast<std::size_t>(a));
  hub.dock().ButtonDown({slot.centerX, slot.centerY});
  hub.dock().PointerMoved({slot.centerX, slot.centerY - 20});
  ASSERT_TRUE(hub.dock().press().dragging());
  platform.underPointer = 2;
  hub.PeriodicTick();
  EXPECT_EQ(hub.monitor().handle, 1u);
  hub.dock().ButtonUp({slot.centerX, slot.centerY});

  // Same scale: placed there, the items stay; another scale draws them again.
  const DockItem* first = FirstItem();
  hub.PeriodicTick();
  EXPECT_EQ(hub.monitor().handle, 2u);
  EXPECT_EQ(platform.renderPlacements.back().left, 1920);
  EXPECT_EQ(FirstItem(), first);
  platform.underPointer = 3;
  hub.PeriodicTick();
  EXPECT_EQ(hub.monitor().handle, 3u);
  EXPECT_EQ(platform.renderPlacements.back().bottom, 1440);
  EXPECT_NE(FirstItem(), first);
  EXPECT_TRUE(platform.saved.empty());
}

TEST_F(DockHubTest, HotkeysAndHotCornersReachTheirSurfaces) {
  struct Case {
    int id;
    std::wstring opened;
  } cases[] = {{9101, L"launcher grid"},   {9104, L"launcher grid"},   {9102, L"window overview"},
               {9105, L"control center 0"}, {9106, L"notification center"}};
  for (const Case& c : cases) {
    opened.clear();
    EXPECT_TRUE(hotkeys.OnHotkeyMessage(c.id)) << c.id;
    EXPECT_EQ(opened, std::vector<std::wstring>{c.opened}) << c.id;
  }

  // 9103 flips the stage manager and saves it.
  EXPECT_TRUE(hotkeys.OnHotkeyMessage(9103));
  ASSERT_EQ(platform.saved.size(), 1u);
  EXPECT_TRUE(platform.saved.back().stageManagerEnabled);

  // The top-right corner opens the launcher grid after the dwell.
  DockConfig config = hub.config();
  config.enableHotCorners = true;
  hub.ApplySettings(config, false);
  opened.clear();
  hotkeyPlatform.cursor = CursorPoint{1919, 0};
  hub.PeriodicTick();
  hub.PeriodicTick();
  EXPECT_EQ(opened, std::vector<std::wstring>{L"launcher grid"});
}

TEST_F(DockHubTest, CommandsToggleFeaturesAndSaveThem) {
  EXPECT_EQ(hub.dock().Command(0, 8), 0);
  EXPECT_EQ(hub.dock().Command(0, 12), 0);
  ASSERT_EQ(platform.saved.size(), 2u);
  EXPECT_TRUE(platform.saved[0].stageManagerEnabled);
  EXPECT_TRUE(platform.saved[1].desktopWidgetsEnabled);
  EXPECT_TRUE(hub.config().stageManagerEnabled && hub.config().desktopWidgetsEnabled);
}

TEST_F(DockHubTest, EscapeCancelsADragAndPutsTheItemBack) {
  const int a = IndexOf(L"a");
  const DockSlot& slot = hub.dock().animator().layout().slots.at(static_cast<std::size_t>(a));
  hub.dock().ButtonDown({slot.centerX, slot.centerY});
  hub.dock().PointerMoved({slot.centerX + 60, slot.centerY - 8});
  ASSERT_TRUE(hub.dock().press().dragging());

  hub.PeriodicTick();  // Escape not held
  EXPECT_TRUE(hub.dock().press().dragging());
  platform.escape = true;
  hub.PeriodicTick();
  EXPECT_FALSE(hub.dock().press().dragging());
  EXPECT_EQ(platform.captureReleases, 1);
  EXPECT_EQ(IndexOf(L"a"), a);
  EXPECT_TRUE(platform.saved.empty());
}

TEST_F(DockHubTest, AFullScreenApplicationHidesTheDock) {
  platform.fullScreen = true;
  hub.PeriodicTick();
  EXPECT_TRUE(hub.fullScreen());
  Settle();
  EXPECT_EQ(platform.inputPlacements.back().Height(), kHiddenStripPixels);

  platform.fullScreen = false;
  hub.OnTrackerSettled();
  EXPECT_FALSE(hub.fullScreen());
  Settle();
  EXPECT_GT(platform.inputPlacements.back().Height(), kHiddenStripPixels);
}

}  // namespace
}  // namespace orvane
