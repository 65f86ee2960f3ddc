#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dock/DockCommand.h"

namespace orvane {
namespace {

// Records each call as text so a table can state what a message does.
class RecordingTarget final : public DockCommandTarget {
 public:
  std::vector<std::string> calls;
  void OpenSettings() override { calls.push_back("settings"); }
  void OpenControlCenter(int page) override { calls.push_back("control " + std::to_string(page)); }
  void ToggleNotificationCenter() override { calls.push_back("notifications"); }
  void OpenWindowOverview() override { calls.push_back("overview"); }
  void OpenLauncherGrid() override { calls.push_back("launcher"); }
  void ToggleStageManager() override { calls.push_back("stage manager"); }
  void OpenMusicPopup() override { calls.push_back("music"); }
  void ToggleTrayPopup() override { calls.push_back("tray"); }
  void OpenStageSwitcher() override { calls.push_back("switcher"); }
  void ToggleDesktopWidgets() override { calls.push_back("widgets"); }
  bool HasUserPicture() override { return userPicture; }
  int LauncherAppCount() override { return 41; }
  int DesktopWidgetCount() override { return 3; }
  void OpenItemMenu(int index) override { calls.push_back("menu " + std::to_string(index)); }
  void MarkItemRunning(int index, int hops) override {
    calls.push_back("running " + std::to_string(index) + " hops " + std::to_string(hops));
  }
  bool userPicture = true;
};

// Launcher button, pinned, separator, running.
std::vector<std::unique_ptr<DockItem>> Items() {
  std::vector<std::unique_ptr<DockItem>> items;
  for (DockItemKind kind : {DockItemKind::LauncherButton, DockItemKind::Pinned, DockItemKind::Separator,
                            DockItemKind::Running}) {
    items.push_back(std::make_unique<DockItem>());
    items.back()->kind = kind;
  }
  return items;
}

struct CommandCase {
  std::uint64_t wParam;
  std::int64_t lParam;
  std::int64_t result;
  std::string call;  // empty: nothing happens
};

TEST(DockCommandTest, EachActionReachesItsTarget) {
  const std::vector<CommandCase> cases = {
      {0, 3, 0, "settings"},
      {0, 4, 0, "control 0"},
      {0, 5, 0, "notifications"},
      {0, 6, 0, "overview"},
      {0, 7, 0, "launcher"},
      {0, 8, 0, "stage manager"},
      {0, 9, 0, "music"},
      {0, 10, 0, "tray"},
      {0, 11, 0, "switcher"},
      {0, 12, 0, "widgets"},
      {0, 13, 1, ""},
      {0, 14, 41, ""},
      {0, 15, 3, ""},
      {0, 16, 0, "control 1"},
      {0, 19, 0, "control 4"},
      // Item actions: 2 opens the menu, 1 bounces, anything else only marks running.
      {1, 2, 0, "menu 1"},
      {3, 1, 0, "running 3 hops 3"},
      {1, 0, 0, "running 1 hops 0"},
      {0, 20, 0, "running 0 hops 0"},
      {1, -7, 0, "running 1 hops 0"},
  };
  const auto items = Items();
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "wParam " << c.wParam << " lParam " << c.lParam);
    RecordingTarget target;
    EXPECT_EQ(DispatchDockCommand(target, items, c.wParam, c.lParam), c.result);
    EXPECT_EQ(target.calls, c.call.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.call});
  }
}

TEST(DockCommandTest, UserPictureQueryAnswersZeroWithoutOne) {
  RecordingTarget target;
  target.userPicture = false;
  EXPECT_EQ(DispatchDockCommand(target, Items(), 0, 13), 0);
}

// Another process may send any wParam: indices outside the list, negative
// values seen as unsigned, and the separator all do nothing.
TEST(DockCommandTest, ItemIndexOutsideTheListOrOnTheSeparatorDoesNothing) {
  const auto items = Items();
  for (std::uint64_t wParam : {std::uint64_t{2}, std::uint64_t{4}, std::uint64_t{1000},
                               static_cast<std::uint64_t>(-1), static_cast<std::uint64_t>(1) << 32}) {
    for (std::int64_t lParam : {1, 2, 0, 99}) {
      SCOPED_TRACE(testing::Message() << "wParam " << wParam << " lParam " << lParam);
      RecordingTarget target;
      EXPECT_EQ(DispatchDockCommand(target, items, wParam, lParam), 0);
      EXPECT_TRUE(target.calls.empty());
    }
  }
  RecordingTarget target;
  EXPECT_EQ(DispatchDockCommand(target, {}, 0, 1), 0);
  EXPECT_TRUE(target.calls.empty());
}

}  // namespace
}  // namespace orvane
