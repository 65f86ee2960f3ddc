#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RecordingShellCommands.h"
#include "dock/DockCommand.h"

namespace orvane {
namespace {

using testing::RecordingShellCommands;

// The item side of the command message: marks running, anchors.
class RecordingItems final : public DockCommandItems {
 public:
  std::vector<std::wstring> calls;
  void MarkItemRunning(int index, int hops) override {
    calls.push_back(L"running " + std::to_wstring(index) + L" hops " + std::to_wstring(hops));
  }
  ShellAnchor AnchorOf(int index) const override { return {index * 100, 1000}; }
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
  std::wstring call;  // empty: nothing happens
};

TEST(DockCommandTest, EachActionReachesItsTarget) {
  const std::vector<CommandCase> cases = {
      {0, 3, 0, L"settings"},
      {0, 4, 0, L"control center 0"},
      {0, 5, 0, L"notification center"},
      {0, 6, 0, L"window overview"},
      {0, 7, 0, L"launcher grid"},
      {0, 8, 0, L"stage manager"},
      {0, 9, 0, L"music popup"},
      {0, 10, 0, L"tray popup"},
      {0, 11, 0, L"stage switcher"},
      {0, 12, 0, L"desktop widgets"},
      {0, 13, 1, L""},
      {0, 14, 41, L""},
      {0, 15, 3, L""},
      {0, 16, 0, L"control center 1"},
      {0, 19, 0, L"control center 4"},
      // Item actions: 2 opens the menu, 1 bounces, anything else only marks running.
      {1, 2, 0, L"item menu 1"},
      {3, 1, 0, L"running 3 hops 3"},
      {1, 0, 0, L"running 1 hops 0"},
      {0, 20, 0, L"running 0 hops 0"},
      {1, -7, 0, L"running 1 hops 0"},
  };
  const auto items = Items();
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "wParam " << c.wParam << " lParam " << c.lParam);
    RecordingShellCommands shell;
    shell.answers = {{ShellQuery::HasUserPicture, 1}, {ShellQuery::LauncherAppCount, 41},
                     {ShellQuery::DesktopWidgetCount, 3}};
    RecordingItems dock;
    EXPECT_EQ(DispatchDockCommand(shell, dock, items, c.wParam, c.lParam), c.result);
    std::vector<std::wstring> calls = shell.calls;
    calls.insert(calls.end(), dock.calls.begin(), dock.calls.end());
    EXPECT_EQ(calls, c.call.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{c.call});
  }
}

// Popups opened by the message stand at their item: the item menu at its
// item, the tray at the notification-area item; without such an item there
// is no anchor and the surface places itself.
TEST(DockCommandTest, ItemPopupsAreAnchoredAtTheirItem) {
  RecordingShellCommands shell;
  RecordingItems dock;
  DispatchDockCommand(shell, dock, Items(), 1, 2);
  ASSERT_EQ(shell.args.size(), 1u);
  EXPECT_EQ(shell.args[0].anchor, (ShellAnchor{100, 1000}));
  DispatchDockCommand(shell, dock, Items(), 0, 10);
  ASSERT_EQ(shell.args.size(), 2u);
  EXPECT_FALSE(shell.args[1].anchor.has_value());
}

TEST(DockCommandTest, QueriesAnswerZeroWhenNothingAnswers) {
  RecordingShellCommands shell;
  RecordingItems dock;
  for (std::int64_t query : {13, 14, 15}) EXPECT_EQ(DispatchDockCommand(shell, dock, Items(), 0, query), 0);
}

// Another process may send any wParam: indices outside the list, negative
// values seen as unsigned, and the separator all do nothing.
TEST(DockCommandTest, ItemIndexOutsideTheListOrOnTheSeparatorDoesNothing) {
  const auto items = Items();
  for (std::uint64_t wParam : {std::uint64_t{2}, std::uint64_t{4}, std::uint64_t{1000},
                               static_cast<std::uint64_t>(-1), static_cast<std::uint64_t>(1) << 32}) {
    for (std::int64_t lParam : {1, 2, 0, 99}) {
      SCOPED_TRACE(::testing::Message() << "wParam " << wParam << " lParam " << lParam);
      RecordingShellCommands shell;
      RecordingItems dock;
      EXPECT_EQ(DispatchDockCommand(shell, dock, items, wParam, lParam), 0);
      EXPECT_TRUE(shell.calls.empty());
      EXPECT_TRUE(dock.calls.empty());
    }
  }
  RecordingShellCommands shell;
  RecordingItems dock;
  EXPECT_EQ(DispatchDockCommand(shell, dock, {}, 0, 1), 0);
  EXPECT_TRUE(shell.calls.empty() && dock.calls.empty());
}

}  // namespace
}  // namespace orvane
