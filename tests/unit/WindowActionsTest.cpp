#include <gtest/gtest.h>

#include <vector>

#include "system/FakeWindowSystem.h"
#include "system/WindowActions.h"

namespace orvane {
namespace {

constexpr std::uint32_t kOwnProcess = 1;  // the fake's current process, thread 1
constexpr std::uint32_t kAppProcess = 40;
constexpr std::uint32_t kOtherProcess = 50;

FakeWindow Window(std::uint32_t processId, bool iconic = false) {
  FakeWindow window;
  window.processId = processId;
  window.iconic = iconic;
  return window;
}

// A desktop where another program's window is in front and holds the
// foreground lock, as when the user last worked there.
class WindowActionsTest : public ::testing::Test {
 protected:
  WindowActionsTest() {
    other = system.AddWindow(Window(kOtherProcess));
    system.SetForeground(other);
    system.SetForegroundLocked(true);
  }

  WindowHandle AddAppWindow(bool iconic = false) {
    return system.AddWindow(Window(kAppProcess, iconic));
  }

  FakeWindowSystem system;
  WindowHandle other = kNoWindow;
};

TEST_F(WindowActionsTest, ActivateTakesTheForegroundThroughTheForegroundThread) {
  const WindowHandle window = AddAppWindow(/*iconic=*/true);
  EXPECT_TRUE(ActivateWindow(system, window));
  EXPECT_EQ(system.ForegroundWindow(), window);
  EXPECT_FALSE(system.IsIconic(window));
  std::vector<WindowHandle> order;
  system.EnumerateTopLevelWindows([&](WindowHandle w) { return order.push_back(w), true; });
  EXPECT_EQ(order.front(), window);
  EXPECT_EQ(system.AttachedInputCount(), 0u) << "input detached again";
}

TEST_F(WindowActionsTest, ActivateEdgeCases) {
  const WindowHandle window = AddAppWindow();
  const WindowHandle gone = AddAppWindow();
  system.DestroyWindow(gone);
  EXPECT_FALSE(ActivateWindow(system, kNoWindow));
  EXPECT_FALSE(ActivateWindow(system, gone));
  EXPECT_EQ(system.ForegroundWindow(), other);

  // Our own window in front: same thread, nothing to attach to.
  const WindowHandle ours = system.AddWindow(Window(kOwnProcess));
  system.SetForeground(ours);
  EXPECT_TRUE(ActivateWindow(system, window));
  EXPECT_EQ(system.ForegroundWindow(), window);

  // Nobody in front.
  system.DestroyWindow(window);
  system.DestroyWindow(ours);
  system.SetForeground(kNoWindow);
  EXPECT_TRUE(ActivateWindow(system, other));
  EXPECT_EQ(system.ForegroundWindow(), other);
}

// One row per window state of an app at the moment its dock item is clicked.
TEST_F(WindowActionsTest, ToggleDecidesByTheForegroundAndWindowStates) {
  struct Case {
    const char* what;
    std::vector<bool> iconic;  // the app's windows, topmost first
    int front;                 // index of the foreground window; -1: another program is in front
    bool withDeadWindows;      // null and destroyed handles mixed into the list
    int minimised;             // index of the window returned; -1: none
    int frontAfter;            // index in front afterwards; -1: the other program
  };
  const Case cases[] = {
      {"only window in front: minimised", {false}, 0, false, 0, -1},
      {"only window in front among dead handles: minimised", {false}, 0, true, 0, -1},
      {"three windows, first in front: the second comes", {false, false, false}, 0, false, -1, 1},
      {"three windows, second in front: the third comes", {false, false, false}, 1, false, -1, 2},
      {"three windows, last in front: back to the first", {false, false, false}, 2, false, -1, 0},
      {"next window minimised: restored and brought", {false, true}, 0, false, -1, 1},
      {"app behind another: its first window comes", {false, false}, -1, false, -1, 0},
      {"first window minimised: the first shown one comes", {true, false}, -1, false, -1, 1},
      {"all minimised: the first is restored", {true, true}, -1, false, -1, 0},
      {"only window minimised: restored", {true}, -1, true, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWindowSystem desktop;
    const WindowHandle otherWindow = desktop.AddWindow(Window(kOtherProcess));
    std::vector<WindowHandle> app;
    for (const bool iconic : c.iconic) app.push_back(desktop.AddWindow(Window(kAppProcess, iconic)));
    desktop.SetForeground(c.front < 0 ? otherWindow : app[c.front]);
    desktop.SetForegroundLocked(true);
    std::vector<WindowHandle> clicked = app;
    if (c.withDeadWindows) {
      const WindowHandle dead = desktop.AddWindow(Window(kAppProcess));
      desktop.DestroyWindow(dead);
      clicked.insert(clicked.begin(), {kNoWindow, dead});
    }

    const WindowHandle result = ToggleAppWindows(desktop, clicked);

    EXPECT_EQ(result, c.minimised < 0 ? kNoWindow : app[c.minimised]);
    if (c.minimised >= 0) {
      EXPECT_TRUE(desktop.IsIconic(app[c.minimised]));
    }
    EXPECT_EQ(desktop.ForegroundWindow(), c.frontAfter < 0 ? otherWindow : app[c.frontAfter]);
    if (c.frontAfter >= 0) {
      EXPECT_FALSE(desktop.IsIconic(app[c.frontAfter]));
    }
  }
}

TEST_F(WindowActionsTest, RepeatedClicksCycleThroughTheWindows) {
  const std::vector<WindowHandle> app = {AddAppWindow(), AddAppWindow(), AddAppWindow()};
  std::vector<WindowHandle> fronts;
  for (int click = 0; click < 4; ++click) {
    EXPECT_EQ(ToggleAppWindows(system, app), kNoWindow);
    fronts.push_back(system.ForegroundWindow());
  }
  EXPECT_EQ(fronts, (std::vector<WindowHandle>{app[0], app[1], app[2], app[0]}));
  EXPECT_EQ(ToggleAppWindows(system, {}), kNoWindow);
}

TEST_F(WindowActionsTest, ArrangesWithinTheWorkArea) {
  const ScreenRect work{0, 0, 1920, 1080};
  const ScreenRect oddWork{100, 40, 2021, 1080};  // second monitor, odd width, taskbar on top
  struct Case {
    const char* what;
    ScreenRect workArea;
    ScreenRect window;
    bool iconic;
    bool zoomed;
    WindowArrangement mode;
    ScreenRect expected;
  };
  const Case cases[] = {
      {"centred: large window capped at 82%", work, {0, 0, 1900, 1050}, false, false, WindowArrangement::Centered,
       {173, 97, 173 + 1574, 97 + 885}},
      {"centred: keeps a mid-sized window's size", work, {5, 5, 805, 605}, false, false, WindowArrangement::Centered,
       {560, 240, 1360, 840}},
      {"centred: small window grows to 420 x 300", work, {5, 5, 205, 105}, false, false, WindowArrangement::Centered,
       {750, 390, 1170, 690}},
      {"centred: maximised window restored first", work, {5, 5, 805, 605}, false, true, WindowArrangement::Centered,
       {560, 240, 1360, 840}},
      {"centred: minimised window restored", work, {5, 5, 805, 605}, true, false, WindowArrangement::Centered,
       {560, 240, 1360, 840}},
      {"left half", oddWork, {200, 200, 900, 700}, false, false, WindowArrangement::LeftHalf, {100, 40, 1060, 1080}},
      {"right half takes the odd pixel", oddWork, {200, 200, 900, 700}, false, false, WindowArrangement::RightHalf,
       {1060, 40, 2021, 1080}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWindowSystem desktop;
    desktop.SetMonitors({FakeMonitor{{-1000, 0, 0, 800}, {-1000, 0, 0, 760}},
                         FakeMonitor{{c.workArea.left, 0, c.workArea.right, c.workArea.bottom}, c.workArea}});
    FakeWindow state = Window(kAppProcess, c.iconic);
    state.visible = false;
    state.rect = c.window;
    state.zoomed = c.zoomed;
    const WindowHandle window = desktop.AddWindow(state);
    ArrangeWindow(desktop, window, c.mode);
    EXPECT_EQ(desktop.WindowRect(window), c.expected);
    EXPECT_FALSE(desktop.IsZoomed(window));
    EXPECT_FALSE(desktop.IsIconic(window));
    EXPECT_TRUE(desktop.IsVisible(window));
    EXPECT_EQ(desktop.ForegroundWindow(), window);
  }
}

TEST_F(WindowActionsTest, MaximisingAndFailures) {
  const WindowHandle window = AddAppWindow(/*iconic=*/true);
  ArrangeWindow(system, window, WindowArrangement::Maximized);
  EXPECT_TRUE(system.IsZoomed(window));
  EXPECT_EQ(system.WindowRect(window), (ScreenRect{0, 0, 1920, 1040}));
  EXPECT_EQ(system.ForegroundWindow(), window);

  // Without monitor information the window is only restored.
  const WindowHandle second = AddAppWindow(/*iconic=*/true);
  const ScreenRect before = *system.WindowRect(second);
  system.SetMonitorInfoFails(true);
  ArrangeWindow(system, second, WindowArrangement::LeftHalf);
  EXPECT_EQ(system.WindowRect(second), before);
  EXPECT_FALSE(system.IsIconic(second));
  EXPECT_EQ(system.ForegroundWindow(), window);

  ArrangeWindow(system, kNoWindow, WindowArrangement::Centered);  // ignored
}

TEST_F(WindowActionsTest, ARestingRectIsWhereTheWindowStandsOrStoodBeforeItWasMinimised) {
  const ScreenRect normal{300, 200, 1100, 800};
  const ScreenRect workArea{0, 0, 1920, 1040};
  struct Case {
    const char* what;
    bool iconic, zoomed, monitorInfoFails;
    ScreenRect expected;
  } cases[] = {
      {"shown", false, false, false, normal},
      {"shown maximised", false, true, false, workArea},
      {"minimised", true, false, false, normal},
      {"minimised from maximised", true, true, false, workArea},
      {"minimised from maximised, monitor unknown", true, true, true, normal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWindow state = Window(kAppProcess, c.iconic);
    state.rect = normal;
    state.zoomed = c.zoomed;
    const WindowHandle window = system.AddWindow(state);
    system.SetMonitorInfoFails(c.monitorInfoFails);
    EXPECT_EQ(RestingWindowRect(system, window), c.expected);
  }
  system.SetMonitorInfoFails(false);
  const WindowHandle gone = AddAppWindow(/*iconic=*/true);
  system.DestroyWindow(gone);
  EXPECT_EQ(RestingWindowRect(system, gone), std::nullopt);
}

TEST_F(WindowActionsTest, QuickSettingsIsWinA) {
  EXPECT_EQ(OpenQuickSettings(system), 4u);
  EXPECT_EQ(system.SentKeys(), (std::vector<KeyStroke>{{kVirtualKeyLeftWindows, false}, {'A', false}, {'A', true},
                                                       {kVirtualKeyLeftWindows, true}}));
  system.SetInputBlocked(true);
  EXPECT_EQ(OpenQuickSettings(system), 0u);
}

}  // namespace
}  // namespace orvane
