#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CapturedLog.h"
#include "FakeDockClickPlatform.h"
#include "FakeDockServices.h"
#include "dock/DockHub.h"
#include "render/SoftCompositor.h"
#include "shell/Shell.h"
#include "system/FakeHotkeyPlatform.h"

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

// Saving and the system's own handlers, recorded.
class FakeShellPlatform final : public ShellPlatform {
 public:
  std::vector<DockConfig> saved;
  std::vector<std::wstring> opened;
  int configEdits = 0;
  void SaveConfig(const DockConfig& config) override { saved.push_back(config); }
  bool OpenWithSystem(const std::wstring& target) override {
    opened.push_back(target);
    return true;
  }
  bool EditConfigFile() override {
    ++configEdits;
    return true;
  }
  void OpenQuickSettings() override { opened.push_back(L"quick settings"); }
};

// A surface standing in for the launcher grid, overview, control center and
// notification center: records the commands it gets and the events.
class RecordingSurface final : public ShellSurface {
 public:
  std::vector<std::wstring> ran;
  std::vector<DockConfig> changes;  // the `before` of each change
  int themes = 0;
  void Run(ShellCommand command, const ShellCommandArgs& args) override {
    std::wstring text = Utf8ToWide(ShellCommandName(command));
    if (command == ShellCommand::OpenControlCenter) text += L" " + std::to_wstring(args.page);
    ran.push_back(text);
  }
  std::int64_t Answer(ShellQuery) override { return 41; }
  void ConfigurationChanged(const DockConfig& before) override { changes.push_back(before); }
  void ThemeChanged(const Theme&) override { ++themes; }
};

constexpr WindowHandle kRenderWindow = 77;

DockConfig TwoPinnedItems() {
  DockConfig config;
  config.pinned = {{L"a", L"C:\\a.exe", L"", L""}, {L"b", L"C:\\b.exe", L"", L""}};
  return config;
}

// The shell with the dock started on the primary monitor (two pinned items,
// global hotkeys on) and, unless a test says otherwise, a surface that
// handles the launcher grid, overview, control center and notification
// center.
class ShellDockTest : public ::testing::Test {
 protected:
  explicit ShellDockTest(bool withSurfaces = true) {
    hotkeys.SetWindow(kRenderWindow);
    shell.Register(hub, {ShellCommand::MediaTogglePlayPause}, {ShellQuery::MediaHasSession});
    if (withSurfaces) {
      shell.Register(surface,
                     {ShellCommand::OpenLauncherGrid, ShellCommand::OpenWindowOverview,
                      ShellCommand::OpenControlCenter, ShellCommand::ToggleNotificationCenter},
                     {ShellQuery::LauncherAppCount});
    }
    shell.SetHotCornerMonitor([this] { return hub.monitor().handle; });
    hub.Place();
    hub.dock().CreateVisuals(compositor, MakeTheme(false, true));
    target->SetRoot(hub.dock().root());
    hub.Start(false);
    shell.Start();
    Settle();
  }

  void Settle() {
    for (int frame = 0; frame < 4000 && shell.FrameStep(1.0f / 120); ++frame) {
    }
  }
  const DockItem* FirstItem() const { return hub.dock().items().items().front().get(); }
  int IndexOf(const std::wstring& name) const {
    for (std::size_t i = 0; i < hub.dock().items().size(); ++i) {
      if (hub.dock().items()[i].config.name == name) return static_cast<int>(i);
    }
    return -1;
  }
  bool Registered(int id) const { return hotkeyPlatform.Find(kRenderWindow, id).has_value(); }
  const DockConfig& config() const { return shell.config(); }

  SoftCompositor compositor;
  std::shared_ptr<WindowTarget> target = compositor.CreateWindowTarget(1, true);
  FakeDockServices services;
  RecordingClickPlatform clicks;
  FakeHubPlatform platform;
  FakeShellPlatform shellPlatform;
  FakeHotkeyPlatform hotkeyPlatform;
  HotkeyManager hotkeys{hotkeyPlatform};
  int frameRequests = 0;
  Shell shell{shellPlatform, hotkeys, TwoPinnedItems(), MakeTheme(false, true), [this] { ++frameRequests; }};
  DockHub hub{shell.liveConfig(), services, clicks, platform, shell, nullptr, [this] { ++frameRequests; }};
  RecordingSurface surface;
};

class ShellWithDockOnlyTest : public ShellDockTest {
 protected:
  ShellWithDockOnlyTest() : ShellDockTest(false) {}
};

TEST_F(ShellDockTest, StartsOnThePrimaryMonitorsBottomEdgeWithTheHotkeysItsSurfacesHandle) {
  ASSERT_FALSE(platform.renderPlacements.empty());
  EXPECT_EQ(platform.renderPlacements.back().bottom, 1080);
  EXPECT_EQ(platform.renderPlacements.back().Width(), 1920);
  ASSERT_FALSE(platform.inputPlacements.empty());
  EXPECT_EQ(platform.inputPlacements.back().bottom, 1080);
  EXPECT_TRUE(hotkeys.GlobalHotkeysOn());
  for (int id : {9101, 9102, 9103, 9104, 9105, 9106}) EXPECT_TRUE(Registered(id)) << id;
  EXPECT_FALSE(Registered(9107)) << "nothing toggles the taskbar";

  // A settled dock does not move its input window again.
  const std::size_t placements = platform.inputPlacements.size();
  for (int frame = 0; frame < 10; ++frame) shell.FrameStep(1.0f / 120);
  EXPECT_EQ(platform.inputPlacements.size(), placements);
}

// Moving a window costs more than a frame of the dock: while the pointer
// sweeps along the magnified icons the input window only grows, a few
// times at most, and once the pointer leaves it fits the resting dock again.
TEST_F(ShellDockTest, TheInputWindowSettlesWhileThePointerSweepsAndFitsTheDockAfterwards) {
  const ScreenRect resting = platform.inputPlacements.back();
  const DockLayout& layout = hub.dock().animator().layout();
  const float y = layout.plate.y + layout.plate.height / 2;
  const std::size_t before = platform.inputPlacements.size();
  for (int pass = 0; pass < 3; ++pass) {
    for (float x = layout.plate.x + 4; x < layout.plate.x + layout.plate.width - 4; x += 3) {
      hub.dock().PointerMoved({x, y});
      shell.FrameStep(1.0f / 60);
    }
  }
  const std::size_t duringSweep = platform.inputPlacements.size() - before;
  EXPECT_GT(duringSweep, 0u);
  EXPECT_LE(duringSweep, 40u) << "moved with the icons instead of settling";
  // Each placement during the sweep covers the one before.
  for (std::size_t i = before + 1; i < platform.inputPlacements.size(); ++i) {
    const ScreenRect& a = platform.inputPlacements[i - 1];
    const ScreenRect& b = platform.inputPlacements[i];
    EXPECT_TRUE(b.left <= a.left && b.top <= a.top && b.right >= a.right && b.bottom >= a.bottom) << i;
  }
  hub.dock().PointerLeft();
  Settle();
  EXPECT_EQ(platform.inputPlacements.back(), resting);
}

// Shortcuts nobody acts on stay with the system and other programs: only the
// stage-manager switch is the shell's own, and Alt+Tab is left alone while no
// switcher exists even when the setting asks for it.
TEST_F(ShellWithDockOnlyTest, OnlyHandledShortcutsAreClaimed) {
  for (int id : {9101, 9102, 9104, 9105, 9106, 9107}) EXPECT_FALSE(Registered(id)) << id;
  EXPECT_TRUE(Registered(9103));
  shell.EditConfig([](DockConfig& c) { c.replaceAltTabWithStage = true; }, false);
  EXPECT_FALSE(hotkeyPlatform.hookInstalled);
  shell.EditConfig([](DockConfig& c) { c.stageSwitcherHotkey = L"ctrl+alt+s"; }, false);
  EXPECT_FALSE(Registered(kSwitcherHotkeyId));

  // Once a switcher handles the steps, the hook goes in.
  RecordingSurface switcher;
  shell.Register(switcher, {ShellCommand::SwitcherNext, ShellCommand::SwitcherPrevious, ShellCommand::SwitcherCommit});
  shell.EditConfig([](DockConfig& c) { c.stageSwitcherHotkey = L"alt+tab"; }, false);
  EXPECT_TRUE(hotkeyPlatform.hookInstalled);
}

// A click on an item whose surface is missing does what the system would:
// folders open in Explorer, the launcher shows the system's app list, the
// settings open the configuration file; each says so once in the log.
TEST_F(ShellWithDockOnlyTest, ClicksWithoutTheirSurfaceFallBackToTheSystem) {
  CapturedLog log;
  shell.EditConfig([](DockConfig& c) { c.pinned.push_back({L"Projects", L"D:\\Projects", L"", L""}); }, true);
  const auto click = [&](const std::wstring& name) {
    const int index = IndexOf(name);
    ASSERT_GE(index, 0) << name;
    const DockSlot& slot = hub.dock().animator().layout().slots.at(static_cast<std::size_t>(index));
    hub.dock().ButtonDown({slot.centerX, slot.centerY});
    hub.dock().ButtonUp({slot.centerX, slot.centerY});
  };
  click(L"Projects");
  click(L"Projects");
  click(kLauncherButtonName);
  EXPECT_EQ(hub.dock().Command(0, 3), 0);
  EXPECT_EQ(shellPlatform.opened,
            (std::vector<std::wstring>{L"D:\\Projects", L"D:\\Projects", L"shell:AppsFolder"}));
  EXPECT_EQ(shellPlatform.configEdits, 1);
  const auto stackLines = std::count_if(log.lines.begin(), log.lines.end(), [](const std::wstring& line) {
    return line.find(L"no stack popup") != std::wstring::npos;
  });
  EXPECT_EQ(stackLines, 1);

  // The menu bar's slots reach surfaces that may be missing too: no click
  // is dead.
  const struct {
    ShellCommand command;
    int page;
    const wchar_t* opened;
  } commands[] = {
      {ShellCommand::OpenControlCenter, 1, L"ms-settings:network-wifi"},
      {ShellCommand::OpenControlCenter, 4, L"ms-settings:sound"},
      {ShellCommand::OpenControlCenter, 0, L"quick settings"},
      {ShellCommand::ToggleTrayPopup, 0, L"quick settings"},
      {ShellCommand::ToggleTaskbar, 0, L"ms-settings:taskbar"},
      {ShellCommand::OpenWindowOverview, 0, L"shell:::{3080F90E-D7AD-11D9-BD98-0000947B0257}"},
  };
  for (const auto& c : commands) {
    ShellCommandArgs args;
    args.page = c.page;
    EXPECT_FALSE(shell.Run(c.command, args));
    EXPECT_EQ(shellPlatform.opened.back(), c.opened);
  }
}

// Every change goes through the one edit funnel: the live record changes,
// each field reaches what it affects, and the file is written once.
TEST_F(ShellDockTest, EachSettingReachesWhatItAffects) {
  struct Effects {
    bool rebuilt = false;   // new item objects
    bool replaced = false;  // the render window placed again
    bool plateWidthChanged = false;
    bool hotkeysOn = true;
    bool hidden = false;  // the dock slid away (hiding evaluated)
  };
  struct Case {
    const char* what;
    void (*change)(DockConfig&);
    Effects effects;
  } cases[] = {
      {"spring damping", [](DockConfig& c) { c.springDamping += 3; }, {}},
      {"icon spacing", [](DockConfig& c) { c.iconSpacing += 12; }, {.plateWidthChanged = true}},
      {"padding x", [](DockConfig& c) { c.paddingX += 10; }, {.plateWidthChanged = true}},
      {"icon size", [](DockConfig& c) { c.iconSize = 64; },
       {.replaced = true, .plateWidthChanged = true}},
      {"magnification", [](DockConfig& c) { c.magnification = 2.0f; }, {.replaced = true}},
      {"global hotkeys off", [](DockConfig& c) { c.enableGlobalHotkeys = false; }, {.hotkeysOn = false}},
      // The rows build on each other: the hotkeys stay off from here.
      {"smart hide over a window", [](DockConfig& c) { c.smartHide = true; }, {.hotkeysOn = false, .hidden = true}},
      {"smart hide off", [](DockConfig& c) { c.smartHide = false; }, {.hotkeysOn = false}},
      {"no recycle bin", [](DockConfig& c) { c.showRecycleBin = false; },
       {.rebuilt = true, .replaced = true, .plateWidthChanged = true, .hotkeysOn = false}},
      {"dock on the left", [](DockConfig& c) { c.dockPosition = L"left"; },
       {.rebuilt = true, .replaced = true, .hotkeysOn = false}},
  };
  platform.overlapping = true;  // a window over the dock, for smart hide
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DockItem* first = FirstItem();
    const std::size_t placements = platform.renderPlacements.size();
    const float plateWidth = hub.dock().animator().layout().plate.width;
    shellPlatform.saved.clear();
    surface.changes.clear();

    DockConfig expected = config();
    c.change(expected);
    EXPECT_TRUE(shell.EditConfig(c.change, true));
    Settle();
    EXPECT_EQ(config(), expected);
    EXPECT_EQ(FirstItem() != first, c.effects.rebuilt);
    EXPECT_EQ(platform.renderPlacements.size() > placements, c.effects.replaced);
    if (c.effects.plateWidthChanged) {
      EXPECT_NE(hub.dock().animator().layout().plate.width, plateWidth);
    }
    EXPECT_EQ(hotkeys.GlobalHotkeysOn(), c.effects.hotkeysOn);
    EXPECT_EQ(hub.dock().animator().hiddenAmount.value > 0.5f, c.effects.hidden);
    ASSERT_EQ(shellPlatform.saved.size(), 1u);
    EXPECT_EQ(shellPlatform.saved.back(), expected);
    ASSERT_EQ(surface.changes.size(), 1u) << "the other surfaces hear of it";

    // An edit that changes nothing: no work, no save, no news.
    EXPECT_FALSE(shell.EditConfig([](DockConfig&) {}, true));
    EXPECT_EQ(shellPlatform.saved.size(), 1u);
  }
  // The dock now stands on the left edge.
  EXPECT_EQ(platform.renderPlacements.back().left, 0);
  EXPECT_EQ(platform.renderPlacements.back().Height(), 1080);
}

// The quick note is edited a keystroke at a time: each edit is saved and
// nothing else runs again (no hotkeys registered anew, no hook reinstalled,
// the dock untouched).
TEST_F(ShellDockTest, ANoteEditIsSavedAndTouchesNothingElse) {
  const int hookInstalls = hotkeyPlatform.hookInstalls;
  const std::size_t registrations = hotkeyPlatform.registered.size();
  const std::size_t placements = platform.renderPlacements.size();
  const DockItem* first = FirstItem();
  shellPlatform.saved.clear();
  for (const wchar_t* note : {L"买", L"买牛", L"买牛奶"}) {
    EXPECT_TRUE(shell.EditConfig([note](DockConfig& c) { c.quickNote = note; }, true));
  }
  Settle();
  EXPECT_EQ(hotkeyPlatform.hookInstalls, hookInstalls);
  EXPECT_EQ(hotkeyPlatform.registered.size(), registrations);
  EXPECT_EQ(platform.renderPlacements.size(), placements);
  EXPECT_EQ(FirstItem(), first);
  ASSERT_EQ(shellPlatform.saved.size(), 3u);
  EXPECT_EQ(shellPlatform.saved.back().quickNote, L"买牛奶");
}

// The animator reads the live record: a spacing change shows on the next
// frame, not only after the next display change re-places the dock.
TEST_F(ShellDockTest, ASpacingChangeTakesEffectWithoutAReplace) {
  const float before = hub.dock().animator().layout().plate.width;
  const std::size_t placements = platform.renderPlacements.size();
  shell.EditConfig([](DockConfig& c) { c.iconSpacing = 20; }, false);
  Settle();
  EXPECT_EQ(platform.renderPlacements.size(), placements);
  const float after = hub.dock().animator().layout().plate.width;
  const float slots = static_cast<float>(hub.dock().items().size());
  EXPECT_NEAR(after - before, (20.0f - 8.0f) * (slots - 1), 1.0f);
}

TEST_F(ShellDockTest, SurfacesHearOfTheThemeOnlyWhenItChanges) {
  shell.SetTheme(MakeTheme(false, true));
  EXPECT_EQ(surface.themes, 0);
  shell.SetTheme(MakeTheme(true, true));
  EXPECT_EQ(surface.themes, 1);
}

TEST_F(ShellDockTest, TheDockFollowsThePointerToAnotherMonitorUnlessADragRuns) {
  shell.EditConfig([](DockConfig& c) { c.followMouseMonitor = true; }, false);

  // A drag holds the dock where it is.
  const int a = IndexOf(L"a");
  const DockSlot& slot = hub.dock().animator().layout().slots.at(static_cast<std::size_t>(a));
  hub.dock().ButtonDown({slot.centerX, slot.centerY});
  hub.dock().PointerMoved({slot.centerX, slot.centerY - 20});
  ASSERT_TRUE(hub.dock().press().dragging());
  platform.underPointer = 2;
  shell.PeriodicTick();
  EXPECT_EQ(hub.monitor().handle, 1u);
  hub.dock().ButtonUp({slot.centerX, slot.centerY});

  // Same scale: placed there, the items stay; another scale draws them again.
  const DockItem* first = FirstItem();
  shell.PeriodicTick();
  EXPECT_EQ(hub.monitor().handle, 2u);
  EXPECT_EQ(platform.renderPlacements.back().left, 1920);
  EXPECT_EQ(FirstItem(), first);
  platform.underPointer = 3;
  shell.PeriodicTick();
  EXPECT_EQ(hub.monitor().handle, 3u);
  EXPECT_EQ(platform.renderPlacements.back().bottom, 1440);
  EXPECT_NE(FirstItem(), first);
  EXPECT_TRUE(shellPlatform.saved.empty());
}

TEST_F(ShellDockTest, HotkeysHotCornersAndTheCommandMessageReachTheirSurfaces) {
  struct Case {
    int id;
    std::wstring ran;
  } cases[] = {{9101, L"launcher grid"},   {9104, L"launcher grid"},   {9102, L"window overview"},
               {9105, L"control center 0"}, {9106, L"notification center"}};
  for (const Case& c : cases) {
    surface.ran.clear();
    EXPECT_TRUE(hotkeys.OnHotkeyMessage(c.id)) << c.id;
    EXPECT_EQ(surface.ran, std::vector<std::wstring>{c.ran}) << c.id;
  }
  surface.ran.clear();
  EXPECT_EQ(hub.dock().Command(0, 17), 0);
  EXPECT_EQ(hub.dock().Command(0, 14), 41);
  EXPECT_EQ(surface.ran, std::vector<std::wstring>{L"control center 2"});

  // 9103 flips the stage manager and saves it.
  EXPECT_TRUE(hotkeys.OnHotkeyMessage(9103));
  ASSERT_EQ(shellPlatform.saved.size(), 1u);
  EXPECT_TRUE(shellPlatform.saved.back().stageManagerEnabled);

  // The top-right corner opens the launcher grid after the dwell.
  shell.EditConfig([](DockConfig& c) { c.enableHotCorners = true; }, false);
  surface.ran.clear();
  hotkeyPlatform.cursor = CursorPoint{1919, 0};
  shell.PeriodicTick();
  shell.PeriodicTick();
  EXPECT_EQ(surface.ran, std::vector<std::wstring>{L"launcher grid"});
}

TEST_F(ShellDockTest, CommandsToggleFeaturesAndSaveThem) {
  EXPECT_EQ(hub.dock().Command(0, 8), 0);
  EXPECT_EQ(hub.dock().Command(0, 12), 0);
  ASSERT_EQ(shellPlatform.saved.size(), 2u);
  EXPECT_TRUE(shellPlatform.saved[0].stageManagerEnabled);
  EXPECT_TRUE(shellPlatform.saved[1].desktopWidgetsEnabled);
  EXPECT_TRUE(config().stageManagerEnabled && config().desktopWidgetsEnabled);
  EXPECT_EQ(surface.changes.size(), 2u);
}

TEST_F(ShellDockTest, EscapeCancelsADragAndPutsTheItemBack) {
  const int a = IndexOf(L"a");
  const DockSlot& slot = hub.dock().animator().layout().slots.at(static_cast<std::size_t>(a));
  hub.dock().ButtonDown({slot.centerX, slot.centerY});
  hub.dock().PointerMoved({slot.centerX + 60, slot.centerY - 8});
  ASSERT_TRUE(hub.dock().press().dragging());

  shell.PeriodicTick();  // Escape not held
  EXPECT_TRUE(hub.dock().press().dragging());
  platform.escape = true;
  shell.PeriodicTick();
  EXPECT_FALSE(hub.dock().press().dragging());
  EXPECT_EQ(platform.captureReleases, 1);
  EXPECT_EQ(IndexOf(L"a"), a);
  EXPECT_TRUE(shellPlatform.saved.empty());
}

TEST_F(ShellDockTest, AFullScreenApplicationHidesTheDock) {
  platform.fullScreen = true;
  shell.PeriodicTick();
  EXPECT_TRUE(hub.fullScreen());
  Settle();
  EXPECT_EQ(platform.inputPlacements.back().Height(), kHiddenStripPixels);

  platform.fullScreen = false;
  shell.TrackerChanged();
  EXPECT_FALSE(hub.fullScreen());
  Settle();
  EXPECT_GT(platform.inputPlacements.back().Height(), kHiddenStripPixels);
}

}  // namespace
}  // namespace orvane
