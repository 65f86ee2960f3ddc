#include <gtest/gtest.h>

#include <functional>

#include "WindowTrackerDesktop.h"
#include "system/WindowOverlap.h"

namespace orvane::testing {
namespace {

constexpr ScreenRect kDockRect{400, 1000, 1520, 1080};
constexpr ScreenRect kOverDock{300, 600, 1200, 1040};
constexpr ScreenRect kAboveDock{300, 100, 1200, 1000};  // touches the dock's top edge only

struct OverlapCase {
  const char* name;
  std::function<void(FakeWindow&, WindowHandle owner)> change;
  bool overlap;
};

void PrintTo(const OverlapCase& c, std::ostream* os) { *os << c.name; }

class OverlapRuleTest : public ::testing::TestWithParam<OverlapCase> {};

TEST_P(OverlapRuleTest, SkipsWhatCannotCoverTheDock) {
  FakeWindowSystem system;
  FakeWindow ownerWindow;  // for the owned case; it has no process, so it never counts itself
  ownerWindow.rect = kOverDock;
  const WindowHandle owner = system.AddWindow(ownerWindow);
  FakeWindow window;
  window.processId = 100;
  window.rect = kOverDock;
  GetParam().change(window, owner);
  system.AddWindow(window);

  OverlapQuery query;
  query.ownProcessId = kOwnProcessId;
  query.dockRect = kDockRect;
  FindOverlappingWindow(system, query);
  EXPECT_EQ(query.overlap, GetParam().overlap);
}

const OverlapCase kOverlapCases[] = {
    {"OrdinaryWindow", [](FakeWindow&, WindowHandle) {}, true},
    {"AboveTheDock", [](FakeWindow& w, WindowHandle) { w.rect = kAboveDock; }, false},
    {"Hidden", [](FakeWindow& w, WindowHandle) { w.visible = false; }, false},
    {"Minimised", [](FakeWindow& w, WindowHandle) { w.iconic = true; }, false},
    {"NoProcess", [](FakeWindow& w, WindowHandle) { w.processId = 0; }, false},
    {"OwnProcess", [](FakeWindow& w, WindowHandle) { w.processId = kOwnProcessId; }, false},
    {"ToolWindow", [](FakeWindow& w, WindowHandle) { w.exStyle = kExStyleToolWindow; }, false},
    {"ToolAppWindow", [](FakeWindow& w, WindowHandle) { w.exStyle = kExStyleToolWindow | kExStyleAppWindow; }, true},
    {"Cloaked", [](FakeWindow& w, WindowHandle) { w.cloaked = 1; }, false},
    {"CloakQueryFails", [](FakeWindow& w, WindowHandle) { w.cloaked = 1; w.cloakQueryFails = true; }, true},
    {"OrvaneSurface", [](FakeWindow& w, WindowHandle) { w.className = L"OrvaneMenuBar"; }, false},
    {"Desktop", [](FakeWindow& w, WindowHandle) { w.className = L"WorkerW"; }, false},
    {"Taskbar", [](FakeWindow& w, WindowHandle) { w.className = L"Shell_TrayWnd"; }, false},
    // Not skipped here, unlike in the tracker: they still cover the dock.
    {"Owned", [](FakeWindow& w, WindowHandle owner) { w.owner = owner; }, true},
    {"NoActivate", [](FakeWindow& w, WindowHandle) { w.exStyle = kExStyleNoActivate; }, true},
    {"CoreWindow", [](FakeWindow& w, WindowHandle) { w.className = L"Windows.UI.Core.CoreWindow"; }, true},
    // Bounds: DWM's visible frame first, the window rectangle when DWM fails.
    {"FrameBoundsInsideBorders", [](FakeWindow& w, WindowHandle) { w.rect = {300, 600, 1200, 1007}; w.frameBounds = ScreenRect{307, 600, 1193, 1000}; }, false},
    {"FrameBoundsFailUseRect", [](FakeWindow& w, WindowHandle) { w.frameBounds = ScreenRect{0, 0, 10, 10}; w.frameBoundsQueryFails = true; }, true},
    {"BothBoundsFail", [](FakeWindow& w, WindowHandle) { w.frameBoundsQueryFails = true; w.rectQueryFails = true; }, false},
    {"EmptyFrameBounds", [](FakeWindow& w, WindowHandle) { w.frameBounds = ScreenRect{500, 1010, 500, 1070}; }, false},
    {"FrameBoundsFailEmptyRect", [](FakeWindow& w, WindowHandle) { w.frameBoundsQueryFails = true; w.rect = {500, 1010, 900, 1010}; }, false},
};

INSTANTIATE_TEST_SUITE_P(Rules, OverlapRuleTest, ::testing::ValuesIn(kOverlapCases),
                         [](const ::testing::TestParamInfo<OverlapCase>& info) { return info.param.name; });

TEST(FindOverlappingWindowTest, LooksPastWindowsThatDoNotCount) {
  FakeWindowSystem system;
  FakeWindow hidden;
  hidden.processId = 100;
  hidden.visible = false;
  hidden.rect = kOverDock;
  system.AddWindow(hidden);
  FakeWindow elsewhere;
  elsewhere.processId = 101;
  elsewhere.rect = kAboveDock;
  system.AddWindow(elsewhere);

  OverlapQuery query;
  query.ownProcessId = kOwnProcessId;
  query.dockRect = kDockRect;
  query.overlap = true;  // left over from an earlier query
  FindOverlappingWindow(system, query);
  EXPECT_FALSE(query.overlap);

  FakeWindow covering;
  covering.processId = 102;
  covering.rect = kOverDock;
  system.AddWindow(covering);
  FindOverlappingWindow(system, query);
  EXPECT_TRUE(query.overlap);
}

}  // namespace
}  // namespace orvane::testing
