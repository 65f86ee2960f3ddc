#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <set>

#include "ConfigTestProbe.h"
#include "config/ConfigDefaults.h"

namespace orvane {
namespace {

using testing::FakeMachine;
using testing::ProbeOf;

std::vector<std::wstring> Names(const std::vector<DockItemConfig>& items) {
  std::vector<std::wstring> names;
  for (const DockItemConfig& item : items) names.push_back(item.name);
  return names;
}

struct PinCase {
  const char* label;
  std::set<std::wstring> files;
  std::vector<std::wstring> expected;
};

TEST(ConfigDefaultsTest, FirstRunPinsOnlyWhatExists) {
  const std::vector<PinCase> cases = {
      {"everything installed",
       {FakeMachine::kExplorer, FakeMachine::kEdge, FakeMachine::kChrome, FakeMachine::kTerminal,
        FakeMachine::kNotepad},
       {L"文件资源管理器", L"Microsoft Edge", L"Google Chrome", L"Windows 终端", L"记事本", L"计算器", L"设置"}},
      {"no Chrome",
       {FakeMachine::kExplorer, FakeMachine::kEdge, FakeMachine::kTerminal, FakeMachine::kNotepad},
       {L"文件资源管理器", L"Microsoft Edge", L"Windows 终端", L"记事本", L"计算器", L"设置"}},
      // The shell path and the URI are never checked, so they always stay.
      {"no files at all", {}, {L"计算器", L"设置"}},
  };
  for (const PinCase& c : cases) {
    auto machine = std::make_shared<FakeMachine>();
    machine->files = c.files;
    EXPECT_EQ(Names(FirstRunPinned(ProbeOf(machine))), c.expected) << c.label;
  }
}

TEST(ConfigDefaultsTest, TargetsStayUnexpandedButExpandedPathsAreChecked) {
  auto machine = FakeMachine::Typical();
  const std::vector<DockItemConfig> pinned = FirstRunPinned(ProbeOf(machine));

  ASSERT_GE(pinned.size(), 1u);
  EXPECT_EQ(pinned.front().target, L"%WINDIR%\\explorer.exe");
  EXPECT_EQ(pinned.back().target, L"ms-settings:");
  for (const DockItemConfig& item : pinned) {
    EXPECT_TRUE(item.args.empty());
    EXPECT_TRUE(item.customIcon.empty());
  }
  // Five file candidates were looked up, by their expanded paths.
  EXPECT_EQ(machine->lookedUp,
            (std::vector<std::wstring>{FakeMachine::kExplorer, FakeMachine::kEdge, FakeMachine::kChrome,
                                       FakeMachine::kTerminal, FakeMachine::kNotepad}));
}

TEST(ConfigDefaultsTest, FallsBackToTwoItemsWhenNothingQualifies) {
  // An expansion that turns every target into a missing drive path.
  PinProbe probe{[](const std::wstring&) { return std::wstring(L"C:\\gone.exe"); },
                 [](const std::wstring&) { return false; }};
  const std::vector<DockItemConfig> pinned = FirstRunPinned(probe);
  ASSERT_EQ(pinned.size(), 2u);
  EXPECT_EQ(pinned[0], (DockItemConfig{L"资源管理器", L"%WINDIR%\\explorer.exe", L"", L""}));
  EXPECT_EQ(pinned[1], (DockItemConfig{L"记事本", L"%WINDIR%\\System32\\notepad.exe", L"", L""}));
}

TEST(ConfigDefaultsTest, ColonOutsideTheDrivePositionMarksShellPathsAndUris) {
  const struct {
    const wchar_t* target;
    bool nonFile;
  } cases[] = {
      {L"C:\\Windows\\explorer.exe", false},
      {L"notepad.exe", false},
      {L"C:", false},
      {L"", false},
      {L"shell:AppsFolder\\Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", true},
      {L"ms-settings:", true},
      {L":x", true},
      {L"C:\\a:b", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNonFileTarget(c.target), c.nonFile) << std::string(c.target, c.target + wcslen(c.target));
  }
}

TEST(ConfigDefaultsTest, FirstRunDefaultsAddNoteWidgetsAndPinsToBareDefaults) {
  const DockConfig config = FirstRunDefaults(ProbeOf(FakeMachine::Typical()));

  const std::vector<WidgetConfig> expectedWidgets = {
      {L"clock_1", L"clock", 36, 52, true},       {L"weather_1", L"weather", 300, 52, true},
      {L"calendar_1", L"calendar", 36, 224, false}, {L"sysmon_1", L"sysmon", 300, 224, true},
      {L"note_1", L"note", 36, 444, false},
  };
  EXPECT_EQ(config.widgets, expectedWidgets);
  EXPECT_EQ(config.pinned.size(), 6u);

  // Three lines, the first naming the release.
  EXPECT_EQ(config.quickNote.substr(0, config.quickNote.find(L'\n')), L"欢迎使用 Orvane v3.0（开发者：Lumaro）");
  EXPECT_EQ(std::count(config.quickNote.begin(), config.quickNote.end(), L'\n'), 2);
  EXPECT_NE(config.quickNote.find(L"Ctrl+Alt+T 随时恢复原生任务栏"), std::wstring::npos);

  DockConfig bare = config;
  bare.quickNote.clear();
  bare.widgets.clear();
  bare.pinned.clear();
  EXPECT_EQ(bare, DockConfig{});
}

}  // namespace
}  // namespace orvane
