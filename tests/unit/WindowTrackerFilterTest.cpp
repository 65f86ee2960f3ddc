#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "WindowTrackerDesktop.h"
#include "app/TextUtil.h"
#include "system/WindowFilters.h"

namespace orvane::testing {
namespace {

constexpr std::uint32_t kAppProcess = 100;
// Stands for "has an owner"; the test puts a real window in its place.
constexpr WindowHandle kSomeOwner = 1;

struct FilterCase {
  const char* name;
  std::function<void(FakeWindow&)> change;
  bool trackable;
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }

class TrackableWindowTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(TrackableWindowTest, AppliesTheFilterRules) {
  FakeWindowSystem system;
  system.SetCurrentProcessId(kOwnProcessId);
  FakeWindow window;
  window.processId = kAppProcess;
  window.text = L"Document";
  GetParam().change(window);
  const WindowHandle handle = system.AddWindow(window);
  if (window.owner == kSomeOwner) {
    const WindowHandle owner = system.AddWindow(FakeWindow{});
    system.Find(handle)->owner = owner;
  }

  EXPECT_EQ(IsTrackableWindow(system, handle, kOwnProcessId), GetParam().trackable);
}

const FilterCase kFilterCases[] = {
    {"OrdinaryWindow", [](FakeWindow&) {}, true},
    // 1. visibility
    {"Hidden", [](FakeWindow& w) { w.visible = false; }, false},
    // 2. process
    {"NoProcess", [](FakeWindow& w) { w.processId = 0; }, false},
    {"OwnProcess", [](FakeWindow& w) { w.processId = kOwnProcessId; }, false},
    // 3.-5. tool, no-activate and owned windows unless they ask for a taskbar button
    {"ToolWindow", [](FakeWindow& w) { w.exStyle = kExStyleToolWindow; }, false},
    {"ToolAppWindow", [](FakeWindow& w) { w.exStyle = kExStyleToolWindow | kExStyleAppWindow; }, true},
    {"NoActivate", [](FakeWindow& w) { w.exStyle = kExStyleNoActivate; }, false},
    {"NoActivateAppWindow", [](FakeWindow& w) { w.exStyle = kExStyleNoActivate | kExStyleAppWindow; }, true},
    {"Owned", [](FakeWindow& w) { w.owner = kSomeOwner; }, false},
    {"OwnedAppWindow", [](FakeWindow& w) { w.owner = kSomeOwner; w.exStyle = kExStyleAppWindow; }, true},
    {"OwnedToolAppWindow", [](FakeWindow& w) { w.owner = kSomeOwner; w.exStyle = kExStyleToolWindow | kExStyleAppWindow; }, true},
    // 6. cloaking
    {"Cloaked", [](FakeWindow& w) { w.cloaked = 2; }, false},
    {"CloakQueryFails", [](FakeWindow& w) { w.cloaked = 2; w.cloakQueryFails = true; }, true},
    // 7. Orvane's own classes (case matters: only our own prefix)
    {"OrvaneClass", [](FakeWindow& w) { w.className = L"OrvaneMenuBar"; }, false},
    {"OrvaneInsideClass", [](FakeWindow& w) { w.className = L"MyOrvaneWindow"; }, true},
    // 8. shell classes, exact names only
    {"Taskbar", [](FakeWindow& w) { w.className = L"Shell_TrayWnd"; }, false},
    {"SecondaryTaskbar", [](FakeWindow& w) { w.className = L"Shell_SecondaryTrayWnd"; }, false},
    {"Desktop", [](FakeWindow& w) { w.className = L"Progman"; }, false},
    {"Wallpaper", [](FakeWindow& w) { w.className = L"WorkerW"; }, false},
    {"CoreWindow", [](FakeWindow& w) { w.className = L"Windows.UI.Core.CoreWindow"; }, false},
    {"DesktopShell", [](FakeWindow& w) { w.className = L"ApplicationManager_DesktopShellWindow"; }, false},
    {"TaskView", [](FakeWindow& w) { w.className = L"MultitaskingViewFrame"; }, false},
    {"Staging", [](FakeWindow& w) { w.className = L"ForegroundStaging"; }, false},
    {"XamlPopup", [](FakeWindow& w) { w.className = L"Xaml_WindowedPopupClass"; }, false},
    {"ShellClassPrefixOnly", [](FakeWindow& w) { w.className = L"ProgmanHelper"; }, true},
    // 9. size: a minimised window lives off-screen and still counts
    {"MinimisedOffScreen", [](FakeWindow& w) { w.iconic = true; w.rect = {-32000, -32000, -31840, -31972}; }, true},
    {"MinimisedEmptyRect", [](FakeWindow& w) { w.iconic = true; w.rect = {0, 0, 0, 0}; }, true},
    {"ZeroWidth", [](FakeWindow& w) { w.rect = {10, 10, 10, 500}; }, false},
    {"NegativeHeight", [](FakeWindow& w) { w.rect = {10, 500, 400, 10}; }, false},
    {"RectQueryFails", [](FakeWindow& w) { w.rect = {0, 0, 0, 0}; w.rectQueryFails = true; }, true},
};

INSTANTIATE_TEST_SUITE_P(Rules, TrackableWindowTest, ::testing::ValuesIn(kFilterCases),
                         [](const ::testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(TrackableWindowTest, ChildOfHiddenWindowIsNotVisible) {
  // IsWindowVisible looks at the ancestors too; the fake must agree.
  FakeWindowSystem system;
  FakeWindow parent;
  parent.processId = kAppProcess;
  parent.visible = false;
  const WindowHandle parentHandle = system.AddWindow(parent);
  FakeWindow child;
  child.processId = kAppProcess;
  const WindowHandle childHandle = system.AddChildWindow(parentHandle, child);
  EXPECT_FALSE(system.IsVisible(childHandle));
}

struct ShellSurfaceCase {
  const wchar_t* className;
  bool shellSurface;
};

TEST(ShellSurfaceWindowTest, RecognisesOwnDesktopAndTaskbarClasses) {
  const ShellSurfaceCase cases[] = {
      {L"OrvaneRenderWindow", true},
      {L"Orvane", true},
      {L"Progman", true},
      {L"WorkerW", true},
      {L"Shell_TrayWnd", true},
      {L"Shell_SecondaryTrayWnd", true},
      // Shell windows the tracker hides but that may well cover the dock.
      {L"Windows.UI.Core.CoreWindow", false},
      {L"MultitaskingViewFrame", false},
      {L"Notepad", false},
      {L"progman", false},
      {L"", false},
  };
  FakeWindowSystem system;
  for (const ShellSurfaceCase& c : cases) {
    FakeWindow window;
    window.processId = kAppProcess;
    window.className = c.className;
    EXPECT_EQ(IsShellSurfaceWindow(system, system.AddWindow(window)), c.shellSurface) << WideToUtf8(c.className);
  }
  EXPECT_FALSE(IsShellSurfaceWindow(system, kNoWindow));
}

}  // namespace
}  // namespace orvane::testing
