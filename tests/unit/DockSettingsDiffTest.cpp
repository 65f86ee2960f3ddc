#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "dock/DockSettingsDiff.h"

namespace orvane {

void PrintTo(const DockSettingsRedo& r, std::ostream* os) {
  *os << "{";
  if (r.applyConfiguration) *os << " applyConfiguration";
  if (r.geometry) *os << " geometry";
  if (r.taskbarMode) *os << " taskbarMode";
  if (r.runningItems) *os << " runningItems";
  if (r.autoHide) *os << " autoHide";
  *os << " }";
}

namespace {

struct RedoCase {
  const char* name;
  std::function<void(DockConfig&)> edit;
  DockSettingsRedo expected;
};
void PrintTo(const RedoCase& c, std::ostream* os) { *os << c.name; }

constexpr DockSettingsRedo kNothing{};
constexpr DockSettingsRedo kFull{.applyConfiguration = true};
constexpr DockSettingsRedo kGeometry{.geometry = true};
constexpr DockSettingsRedo kTaskbar{.taskbarMode = true};
// Other surfaces' and the hotkeys' settings: the dock has nothing to redo.
constexpr DockSettingsRedo kSurfaces{};
constexpr DockSettingsRedo kRunning{.runningItems = true};
constexpr DockSettingsRedo kHiding{.autoHide = true};

class DockSettingsDiffTest : public testing::TestWithParam<RedoCase> {};

// Edits the defaults (taskbar mode "hide") and diffs against them.
TEST_P(DockSettingsDiffTest, RedoesWhatTheChangeTouches) {
  const DockConfig before;
  DockConfig after = before;
  GetParam().edit(after);
  const DockSettingsRedo redo = DiffDockSettings(before, after);
  EXPECT_EQ(redo, GetParam().expected);
  EXPECT_EQ(redo.Any(), !(GetParam().expected == kNothing));
}

INSTANTIATE_TEST_SUITE_P(
    OneField, DockSettingsDiffTest,
    testing::Values(
        RedoCase{"Unchanged", [](DockConfig&) {}, kNothing},
        // What the item list shows, or where the dock sits.
        RedoCase{"LaunchpadIcon", [](DockConfig& c) { c.showLaunchpadIcon = false; }, kFull},
        RedoCase{"DockMusic", [](DockConfig& c) { c.showDockMusic = false; }, kFull},
        RedoCase{"DockTray", [](DockConfig& c) { c.showDockTray = false; }, kFull},
        RedoCase{"DockPower", [](DockConfig& c) { c.showDockPower = false; }, kFull},
        RedoCase{"RecycleBin", [](DockConfig& c) { c.showRecycleBin = false; }, kFull},
        RedoCase{"DownloadsStack", [](DockConfig& c) { c.showDownloadsStack = false; }, kFull},
        RedoCase{"DockPosition", [](DockConfig& c) { c.dockPosition = L"left"; }, kFull},
        RedoCase{"PinnedItemAdded", [](DockConfig& c) { c.pinned.push_back({L"记事本", L"notepad.exe", L"", L""}); }, kFull},
        // Size and material.
        RedoCase{"IconSize", [](DockConfig& c) { c.iconSize += 1; }, kGeometry},
        RedoCase{"CornerRadius", [](DockConfig& c) { c.cornerRadius += 1; }, kGeometry},
        RedoCase{"Magnification", [](DockConfig& c) { c.magnification += 0.05f; }, kGeometry},
        RedoCase{"BlurRadius", [](DockConfig& c) { c.blurRadius -= 1; }, kGeometry},
        RedoCase{"GlassOpacity", [](DockConfig& c) { c.glassOpacity += 0.02f; }, kGeometry},
        RedoCase{"PaddingYSizesTheWindow", [](DockConfig& c) { c.paddingY += 1; }, kGeometry},
        RedoCase{"BottomMarginSizesTheWindow", [](DockConfig& c) { c.bottomMargin += 1; }, kGeometry},
        RedoCase{"TaskbarMode", [](DockConfig& c) { c.taskbarMode = L"keep"; }, kTaskbar},
        // Surfaces and registrations.
        RedoCase{"StageManager", [](DockConfig& c) { c.stageManagerEnabled = true; }, kSurfaces},
        RedoCase{"StageAutoHide", [](DockConfig& c) { c.stageManagerAutoHide = false; }, kSurfaces},
        RedoCase{"StageMaxGroups", [](DockConfig& c) { c.stageManagerMaxGroups = 6; }, kSurfaces},
        RedoCase{"ReplaceAltTab", [](DockConfig& c) { c.replaceAltTabWithStage = true; }, kSurfaces},
        RedoCase{"SwitcherHotkey", [](DockConfig& c) { c.stageSwitcherHotkey = L"alt+q"; }, kSurfaces},
        RedoCase{"MenuBar", [](DockConfig& c) { c.menuBarEnabled = false; }, kSurfaces},
        RedoCase{"MenuBarReserveTop", [](DockConfig& c) { c.menuBarReserveTop = true; }, kSurfaces},
        RedoCase{"Widgets", [](DockConfig& c) { c.desktopWidgetsEnabled = true; }, kSurfaces},
        RedoCase{"WeatherCity", [](DockConfig& c) { c.weatherCity = L"上海"; }, kSurfaces},
        RedoCase{"WidgetAdded", [](DockConfig& c) { c.widgets.push_back({L"clock_1"}); }, kSurfaces},
        RedoCase{"QuickNoteReachesNoteWidgets", [](DockConfig& c) { c.quickNote = L"买牛奶"; }, kSurfaces},
        RedoCase{"GlobalHotkeys", [](DockConfig& c) { c.enableGlobalHotkeys = false; }, kSurfaces},
        RedoCase{"HotCorners", [](DockConfig& c) { c.enableHotCorners = true; }, kSurfaces},
        // Running items and hiding.
        RedoCase{"RunningUnpinned", [](DockConfig& c) { c.showRunningUnpinned = false; }, kRunning},
        RedoCase{"MinimizeAnim", [](DockConfig& c) { c.enableMinimizeAnim = false; }, kRunning},
        RedoCase{"SmartHide", [](DockConfig& c) { c.smartHide = true; }, kHiding},
        RedoCase{"HideOnFullscreen", [](DockConfig& c) { c.hideOnFullscreen = false; }, kHiding},
        // Read live by the frame step, the timers or nobody.
        RedoCase{"SpringDamping", [](DockConfig& c) { c.springDamping = 1.0f; }, kNothing},
        RedoCase{"SpringResponse", [](DockConfig& c) { c.springResponse = 0.3f; }, kNothing},
        RedoCase{"IconSpacing", [](DockConfig& c) { c.iconSpacing = 12; }, kNothing},
        RedoCase{"PaddingX", [](DockConfig& c) { c.paddingX = 20; }, kNothing},
        RedoCase{"SigmaIcons", [](DockConfig& c) { c.sigmaIcons = 2; }, kNothing},
        RedoCase{"TooltipDelay", [](DockConfig& c) { c.tooltipDelayMs = 300; }, kNothing},
        RedoCase{"RevealDelay", [](DockConfig& c) { c.hideRevealDelayMs = 400; }, kNothing},
        RedoCase{"SeparatorWidth", [](DockConfig& c) { c.separatorWidth = 20; }, kNothing},
        RedoCase{"FollowMouse", [](DockConfig& c) { c.followMouseMonitor = true; }, kNothing},
        RedoCase{"Bounce", [](DockConfig& c) { c.enableBounce = false; }, kNothing},
        RedoCase{"Tooltip", [](DockConfig& c) { c.enableTooltip = false; }, kNothing},
        RedoCase{"WindowPreview", [](DockConfig& c) { c.enableWindowPreview = false; }, kNothing},
        RedoCase{"Banners", [](DockConfig& c) { c.showNotificationBanners = false; }, kNothing},
        RedoCase{"ConfigVersion", [](DockConfig& c) { c.configVersion = 4; }, kNothing}),
    [](const testing::TestParamInfo<RedoCase>& info) { return std::string(info.param.name); });

// Slider tolerances: smaller moves are rounding, not edits.
INSTANTIATE_TEST_SUITE_P(
    Tolerance, DockSettingsDiffTest,
    testing::Values(
        RedoCase{"IconSizeBelow", [](DockConfig& c) { c.iconSize += 0.005f; }, kNothing},
        RedoCase{"IconSizeAbove", [](DockConfig& c) { c.iconSize -= 0.02f; }, kGeometry},
        RedoCase{"OpacityBelow", [](DockConfig& c) { c.glassOpacity -= 0.004f; }, kNothing},
        RedoCase{"OpacityAbove", [](DockConfig& c) { c.glassOpacity += 0.006f; }, kGeometry},
        RedoCase{"MagnificationBelow", [](DockConfig& c) { c.magnification += 0.008f; }, kNothing}),
    [](const testing::TestParamInfo<RedoCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Combined, DockSettingsDiffTest,
    testing::Values(
        // A full apply covers the rest, so nothing else is listed.
        RedoCase{"PositionAndSizeAndSurfaces",
                 [](DockConfig& c) {
                   c.dockPosition = L"right";
                   c.iconSize = 60;
                   c.menuBarEnabled = false;
                   c.smartHide = true;
                 },
                 kFull},
        RedoCase{"SizeInAppbarModeReservesAgain",
                 [](DockConfig& c) {
                   c.taskbarMode = L"appbar";
                   c.iconSize = 60;
                 },
                 {.geometry = true, .taskbarMode = true}},
        RedoCase{"SurfacesRunningAndHiding",
                 [](DockConfig& c) {
                   c.enableHotCorners = true;
                   c.showRunningUnpinned = false;
                   c.hideOnFullscreen = false;
                   c.springDamping = 1.0f;
                 },
                 {.runningItems = true, .autoHide = true}}),
    [](const testing::TestParamInfo<RedoCase>& info) { return std::string(info.param.name); });

// In appbar mode the reserved strip follows the dock's size; in the other
// modes a size change leaves the taskbar alone.
TEST(DockSettingsDiff, SizeChangeReappliesTheAppbarOnly) {
  DockConfig before;
  before.taskbarMode = L"appbar";
  DockConfig after = before;
  after.paddingY += 2;
  EXPECT_EQ(DiffDockSettings(before, after), (DockSettingsRedo{.geometry = true, .taskbarMode = true}));

  after.taskbarMode = before.taskbarMode = L"keep";
  EXPECT_EQ(DiffDockSettings(before, after), kGeometry);
  // Leaving appbar mode is a mode change of its own.
  before.taskbarMode = L"appbar";
  after.iconSize += 4;
  EXPECT_EQ(DiffDockSettings(before, after), (DockSettingsRedo{.geometry = true, .taskbarMode = true}));
}

TEST(DockSettingsDiff, WidgetMovedIsAChange) {
  DockConfig before;
  before.widgets = {{L"clock_1"}, {L"note_1", L"note"}};
  DockConfig after = before;
  after.widgets[1].x += 10;
  EXPECT_EQ(DiffDockSettings(before, after), kSurfaces);
  EXPECT_EQ(DiffDockSettings(after, after), kNothing);
}

}  // namespace
}  // namespace orvane
