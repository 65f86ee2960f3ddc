#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CapturedLog.h"
#include "FakeDockClickPlatform.h"
#include "FakeDockServices.h"
#include "MenuRowsText.h"
#include "RecordingShellCommands.h"
#include "app/TextUtil.h"
#include "dock/DockController.h"
#include "dock/DockItem.h"
#include "dock/DockMenuHost.h"
#include "dock/DockMenus.h"
#include "render/SoftCompositor.h"

namespace orvane {
namespace {

using namespace dock_menu;
using testing::DescribeRows;
using testing::ExeApp;
using testing::FakeDockServices;
using testing::RecordingClickPlatform;
using testing::RecordingShellCommands;

std::vector<TrackedWindow> Windows(int count, int foreground) {
  std::vector<TrackedWindow> windows;
  for (int i = 0; i < count; ++i) {
    windows.push_back({static_cast<WindowHandle>(100 + i), 7, L"Doc " + std::to_wstring(i), false, i == foreground});
  }
  return windows;
}

TEST(DockMenusTest, ItemMenusByKind) {
  const auto subject = [](DockItemKind kind) {
    ItemMenuSubject s;
    s.kind = kind;
    s.config = {L"Edit", L"C:\\Tools\\edit.exe", L"", L""};
    return s;
  };
  struct Case {
    const char* what;
    ItemMenuSubject subject;
    std::vector<std::wstring> rows;
  };
  ItemMenuSubject binFull = subject(DockItemKind::RecycleBin);
  binFull.recycleBinHasFiles = true;
  ItemMenuSubject pinnedCustom = subject(DockItemKind::Pinned);
  pinnedCustom.config.customIcon = L"C:\\Pictures\\edit.png";
  pinnedCustom.targetExists = true;
  ItemMenuSubject running = subject(DockItemKind::Running);
  running.windows = Windows(9, 2);
  running.processIds = {7};
  running.targetExists = true;
  ItemMenuSubject runningNoIds = running;
  runningNoIds.windows = Windows(1, -1);
  runningNoIds.processIds.clear();

  const Case cases[] = {
      {"launcher", subject(DockItemKind::LauncherButton), {L"100 打开启动台 (全部应用)", L"2000 偏好设置…"}},
      {"music",
       subject(DockItemKind::Music),
       {L"121 播放 / 暂停", L"120 上一首", L"122 下一首", L"|", L"2000 Dock 偏好设置…"}},
      {"empty bin", subject(DockItemKind::RecycleBin), {L"100 打开回收站", L"105 清空回收站 - !"}},
      {"full bin", binFull, {L"100 打开回收站", L"105 清空回收站 !"}},
      {"downloads", subject(DockItemKind::DownloadsStack), {L"100 展开文件夹堆栈", L"108 在资源管理器中打开"}},
      {"minimised", subject(DockItemKind::MinimisedWindow), {L"100 恢复窗口", L"103 关闭窗口 !"}},
      {"pinned, target missing",
       subject(DockItemKind::Pinned),
       {L"100 打开", L"101 从 Dock 中移除", L"106 更改自定义图标…", L"102 打开文件所在位置 -"}},
      {"pinned with its own picture",
       pinnedCustom,
       {L"100 打开", L"101 从 Dock 中移除", L"106 更改自定义图标…", L"107 恢复默认图标", L"102 打开文件所在位置"}},
      {"running with nine windows",
       running,
       {L"1000 Doc 0", L"1001 Doc 1", L"1002 Doc 2 *", L"1003 Doc 3", L"1004 Doc 4", L"1005 Doc 5", L"|",
        L"100 新建窗口 / 打开", L"101 在 Dock 中保留", L"102 打开文件所在位置", L"|", L"103 关闭窗口",
        L"104 强制退出 !"}},
      {"running without process ids",
       runningNoIds,
       {L"1000 Doc 0", L"|", L"100 新建窗口 / 打开", L"101 在 Dock 中保留", L"102 打开文件所在位置", L"|",
        L"103 关闭窗口", L"104 强制退出 - !"}},
      {"separator", subject(DockItemKind::Separator), {}},
      {"notification area", subject(DockItemKind::NotificationArea), {}},
      {"power", subject(DockItemKind::Power), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DescribeRows(BuildItemMenu(c.subject)), c.rows);
  }
}

TEST(DockMenusTest, GlobalMenuChecksFollowTheConfiguration) {
  DockConfig config;
  config.desktopWidgetsEnabled = true;
  config.stageManagerEnabled = false;
  config.menuBarEnabled = true;
  config.smartHide = true;
  config.taskbarMode = L"appbar";
  const std::vector<std::wstring> rows = {
      L"2000 偏好设置… (Orvane v3.0)",
      L"2012 桌面小组件管理… *",
      L"|",
      L"2005 启动台 (全部应用)",
      L"2001 台前调度 (Stage Manager)",
      L"2004 调度中心 (Mission Control)",
      L"2013 Orvane 通知中心",
      L"2003 控制中心",
      L"2002 顶部 macOS 菜单栏 *",
      L"|",
      L"2006 任务栏：恢复并保留原生任务栏",
      L"2007 任务栏：避让工作区 (AppBar) *",
      L"2008 任务栏：彻底隐藏（禁止底部唤起）",
      L"2009 Dock 智能自动隐藏 *",
      L"|",
      L"2010 重新加载配置",
      L"2011 退出 Orvane !",
  };
  EXPECT_EQ(DescribeRows(BuildGlobalMenu(config)), rows);

  // Any text but "hide" and "appbar" keeps the taskbar.
  for (const auto& [text, checked] : std::map<std::wstring, int>{
           {L"hide", kTaskbarHide}, {L"appbar", kTaskbarAppBar}, {L"keep", kTaskbarKeep}, {L"HIDE", kTaskbarKeep},
           {L"", kTaskbarKeep}}) {
    config.taskbarMode = text;
    for (const MenuItem& row : BuildGlobalMenu(config)) {
      if (row.id >= kTaskbarKeep && row.id <= kTaskbarHide) {
        EXPECT_EQ(row.checked, row.id == checked) << WideToUtf8(text);
      }
    }
  }

  EXPECT_EQ(DescribeRows(BuildPowerMenu()), (std::vector<std::wstring>{L"1 锁定屏幕", L"2 睡眠", L"3 注销当前账户…", L"|",
                                                                   L"4 重新启动… !", L"5 关机… !"}));
}

TEST(DockMenusTest, ForceQuitNeedsTheItemsOwnApplication) {
  const LaunchTargetInfo exe{L"Edit", L"C:\\Tools\\edit.exe", L"c:\\tools\\edit.exe", L"edit.exe", L""};
  const LaunchTargetInfo store{L"Calc", L"shell:AppsFolder\\Calc_8w!App", L"", L"", L"calc_8w!app"};
  struct Case {
    const char* what;
    LaunchTargetInfo item;
    ProcessIdentity process;
    bool runs;
  } cases[] = {
      {"same executable", exe, {L"c:\\tools\\edit.exe", L""}, true},
      {"same name elsewhere", exe, {L"d:\\other\\edit.exe", L""}, false},
      {"image unreadable", exe, {L"", L""}, false},
      {"same app id", store, {L"c:\\program files\\windowsapps\\calc.exe", L"calc_8w!app"}, true},
      {"another app of the package", store, {L"", L"calc_8w!widget"}, true},
      {"another package", store, {L"", L"notes_8w!app"}, false},
      {"item without identity", LaunchTargetInfo{}, {L"", L""}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(ProcessRunsItem(c.item, c.process), c.runs) << c.what;
}

// The system side as a record of calls.
class FakeMenuPlatform final : public DockMenuPlatform, public MenuPlatform {
 public:
  std::vector<std::wstring> calls;
  std::set<WindowHandle> closed;
  std::map<std::uint32_t, ProcessIdentity> processes;
  std::uint32_t own = 1;
  std::optional<std::wstring> picked;
  bool confirm = false;
  bool shutdownStarts = true;
  DockConfig* config = nullptr;

  void ActivateWindow(WindowHandle window) override { calls.push_back(L"activate " + std::to_wstring(window)); }
  bool WindowExists(WindowHandle window) override { return !closed.contains(window); }
  void PostClose(WindowHandle window) override { calls.push_back(L"close " + std::to_wstring(window)); }
  std::uint32_t OwnProcessId() override { return own; }
  ProcessIdentity DescribeProcess(std::uint32_t id) override { return processes[id]; }
  void Terminate(std::uint32_t id) override { calls.push_back(L"terminate " + std::to_wstring(id)); }
  bool Launch(const std::wstring& target, const std::wstring& arguments) override {
    calls.push_back(L"launch " + target + (arguments.empty() ? L"" : L" " + arguments));
    return true;
  }
  void RevealInExplorer(const std::wstring& target) override { calls.push_back(L"reveal " + target); }
  void EmptyRecycleBin() override { calls.push_back(L"empty bin"); }
  std::optional<std::wstring> PickCustomIcon() override {
    calls.push_back(L"pick");
    return picked;
  }
  void Media(MediaKey key) override { calls.push_back(L"media " + std::to_wstring(static_cast<int>(key))); }
  bool Confirm(const std::wstring& text, const std::wstring& caption, bool warning) override {
    calls.push_back(L"ask " + caption + (warning ? L" warning: " : L": ") + text);
    return confirm;
  }
  void LockScreen() override { calls.push_back(L"lock"); }
  void Sleep() override { calls.push_back(L"sleep"); }
  void SignOut() override { calls.push_back(L"sign out"); }
  bool RunShutdownCommand(const std::wstring& parameters) override {
    calls.push_back(L"shutdown.exe " + parameters);
    return shutdownStarts;
  }
  void EditConfig(const std::function<void(DockConfig&)>& edit) override {
    edit(*config);
    calls.push_back(L"edit config");
  }
  void ReloadConfig() override { calls.push_back(L"reload config"); }
};

// A dock with two pinned items of one target (told apart by name), a third
// pinned item and a running one with two windows.
class DockMenuActionsTest : public ::testing::Test {
 protected:
  DockMenuActionsTest() {
    config.pinned = {{L"First", L"C:\\a.exe", L"", L""},
                     {L"Second", L"C:\\a.exe", L"", L""},
                     {L"Tool", L"C:\\tool.exe", L"--x", L"C:\\Pictures\\tool.png"}};
    services.apps = {ExeApp(L"C:\\d.exe", {31, 32})};
    menus.config = &config;
    dock.Place({0, 0, 1920, 1080}, 1.0f);
    dock.Rebuild();
    services.saved.clear();
    services.iconRequests.clear();
  }
  int IndexOf(const std::wstring& name) const {
    for (std::size_t i = 0; i < dock.items().size(); ++i) {
      if (dock.items()[i].config.name == name) return static_cast<int>(i);
    }
    return -1;
  }
  ItemMenuSubject Subject(const std::wstring& name) const {
    const int index = IndexOf(name);
    return CaptureItemMenuSubject(dock.items()[static_cast<std::size_t>(index)], index, true, false);
  }
  std::vector<std::wstring> Pinned() const {
    std::vector<std::wstring> names;
    for (const DockItemConfig& pinned : config.pinned) names.push_back(pinned.name);
    return names;
  }

  DockConfig config;
  FakeDockServices services;
  RecordingClickPlatform clicks;
  RecordingShellCommands shell;
  DockController dock{config, services, clicks, shell, [] {}};
  FakeMenuPlatform menus;
  DockMenuActions actions{dock, shell, menus, menus};
};

TEST_F(DockMenuActionsTest, RemoveActsOnTheItemTheMenuOpenedOn) {
  // Of two items with one target, the second one's menu removes the second.
  const ItemMenuSubject second = Subject(L"Second");
  actions.RunItemChoice(second, kRemoveOrKeep);
  EXPECT_EQ(Pinned(), (std::vector<std::wstring>{L"First", L"Tool"}));
  ASSERT_EQ(services.saved.size(), 1u);

  // Gone meanwhile: nothing happens.
  actions.RunItemChoice(second, kRemoveOrKeep);
  actions.RunItemChoice(second, kRemoveOrKeep);
  EXPECT_EQ(Pinned(), (std::vector<std::wstring>{L"Tool"})) << "the second call found First by target; then nothing";

  // A running item is kept in the dock.
  actions.RunItemChoice(Subject(L"d.exe"), kRemoveOrKeep);
  EXPECT_EQ(Pinned(), (std::vector<std::wstring>{L"Tool", L"d.exe"}));
}

TEST_F(DockMenuActionsTest, CustomIconIsChosenAndReset) {
  const ItemMenuSubject tool = Subject(L"Tool");
  actions.RunItemChoice(tool, kCustomIcon);  // cancelled
  EXPECT_EQ(menus.calls, std::vector<std::wstring>{L"pick"});
  EXPECT_TRUE(services.saved.empty());

  menus.picked = L"C:\\Pictures\\new.png";
  actions.RunItemChoice(tool, kCustomIcon);
  EXPECT_EQ(config.pinned[2].customIcon, L"C:\\Pictures\\new.png");
  EXPECT_EQ(services.iconRequests, std::vector<std::wstring>{L"custom C:\\Pictures\\new.png @128"});

  actions.RunItemChoice(tool, kDefaultIcon);
  EXPECT_EQ(config.pinned[2].customIcon, L"");
  EXPECT_EQ(services.iconRequests.back(), L"target C:\\tool.exe @128");
  EXPECT_EQ(services.saved.size(), 2u);
}

TEST_F(DockMenuActionsTest, WindowsAndProcessesOfAnApp) {
  ItemMenuSubject d = Subject(L"d.exe");
  ASSERT_EQ(d.windows.size(), 2u);
  // ExeApp gives window n the process 10 n.
  menus.processes[310] = {L"c:\\d.exe", L""};
  menus.processes[320] = {L"c:\\elsewhere\\d.exe", L""};  // the id went to another program
  struct Case {
    int id;
    std::vector<std::wstring> calls;
  } cases[] = {
      {kFirstWindow + 1, {L"activate 32"}},
      {kFirstWindow + 5, {}},
      {kOpen, {L"launch C:\\d.exe"}},
      {kReveal, {L"reveal C:\\d.exe"}},
      {kCloseWindows, {L"close 31", L"close 32"}},
      {kForceQuit, {L"terminate 310"}},
  };
  for (const Case& c : cases) {
    menus.calls.clear();
    actions.RunItemChoice(d, c.id);
    EXPECT_EQ(menus.calls, c.calls) << c.id;
  }

  // Windows closed since the menu opened are left alone; this program never
  // ends itself.
  menus.closed = {31};
  menus.processes[320] = {L"c:\\d.exe", L""};
  menus.calls.clear();
  actions.RunItemChoice(d, kCloseWindows);
  actions.RunItemChoice(d, kForceQuit);
  EXPECT_EQ(menus.calls, (std::vector<std::wstring>{L"close 32", L"terminate 320"}));
  menus.own = 320;
  menus.calls.clear();
  actions.RunItemChoice(d, kForceQuit);
  EXPECT_TRUE(menus.calls.empty());
}

TEST_F(DockMenuActionsTest, BuiltInItemsAndTheGlobalMenu) {
  const auto kindSubject = [&](DockItemKind kind) {
    for (std::size_t i = 0; i < dock.items().size(); ++i) {
      if (dock.items()[i].kind == kind) return CaptureItemMenuSubject(dock.items()[i], static_cast<int>(i), true, true);
    }
    return ItemMenuSubject{};
  };
  actions.RunItemChoice(kindSubject(DockItemKind::RecycleBin), kOpen);
  actions.RunItemChoice(kindSubject(DockItemKind::RecycleBin), kEmptyRecycleBin);
  actions.RunItemChoice(kindSubject(DockItemKind::DownloadsStack), kOpenInExplorer);
  actions.RunItemChoice(kindSubject(DockItemKind::Music), kNextTrack);
  EXPECT_EQ(menus.calls, (std::vector<std::wstring>{L"launch shell:RecycleBinFolder", L"empty bin",
                                                    L"launch C:\\Users\\u\\Downloads", L"media 2"}));
  actions.RunItemChoice(kindSubject(DockItemKind::DownloadsStack), kOpen, ShellAnchor{5, 6});
  actions.RunItemChoice(kindSubject(DockItemKind::LauncherButton), kSettings);
  for (const int id : {kSettings, kDesktopWidgets, kStageManager, kControlCenter, kWindowOverview, kLauncherGrid,
                       kNotificationCenter, kQuit}) {
    actions.RunGlobalChoice(id);
  }
  EXPECT_EQ(shell.calls, (std::vector<std::wstring>{L"stack 下载 C:\\Users\\u\\Downloads", L"settings", L"settings",
                                                    L"settings", L"stage manager", L"control center 0",
                                                    L"window overview", L"launcher grid", L"notification center",
                                                    L"quit"}));
  EXPECT_EQ(shell.args[0].anchor, (ShellAnchor{5, 6}));
  EXPECT_EQ(shell.args[3].page, kSettingsWidgetsPage);

  // The toggles edit the live configuration.
  config.smartHide = false;
  config.menuBarEnabled = true;
  menus.calls.clear();
  for (const int id : {kSmartHide, kMenuBar, kTaskbarAppBar, kReloadConfig}) actions.RunGlobalChoice(id);
  EXPECT_TRUE(config.smartHide);
  EXPECT_FALSE(config.menuBarEnabled);
  EXPECT_EQ(config.taskbarMode, L"appbar");
  EXPECT_EQ(menus.calls.back(), L"reload config");
}

TEST_F(DockMenuActionsTest, PowerChoicesAskFirst) {
  struct Case {
    int id;
    bool confirm;
    bool starts;
    std::vector<std::wstring> calls;
    bool logged;
  } cases[] = {
      {kLock, false, true, {L"lock"}, false},
      {kSleep, false, true, {L"sleep"}, false},
      {kSignOut, false, true, {L"ask Orvane 电源中心: 确定要注销当前 Windows 登录账户吗？"}, false},
      {kSignOut, true, true, {L"ask Orvane 电源中心: 确定要注销当前 Windows 登录账户吗？", L"sign out"}, false},
      {kRestart, false, true, {L"ask Orvane 电源中心 warning: 确定要立即重新启动电脑吗？请先保存未保存的工作。"}, false},
      {kShutDown,
       true,
       true,
       {L"ask Orvane 电源中心 warning: 确定要立即关闭电脑吗？请先保存未保存的工作。", L"shutdown.exe /s /t 0"},
       false},
      {kRestart,
       true,
       false,
       {L"ask Orvane 电源中心 warning: 确定要立即重新启动电脑吗？请先保存未保存的工作。", L"shutdown.exe /r /t 0"},
       true},
  };
  for (const Case& c : cases) {
    CapturedLog log;
    menus.calls.clear();
    menus.confirm = c.confirm;
    menus.shutdownStarts = c.starts;
    actions.RunPowerChoice(c.id);
    EXPECT_EQ(menus.calls, c.calls) << c.id;
    bool logged = false;
    for (const std::wstring& line : log.lines) logged |= line.find(L"could not be started") != std::wstring::npos;
    EXPECT_EQ(logged, c.logged) << c.id;
  }
}

TEST_F(DockMenuActionsTest, TheHostOpensTheMenuOfEachCommandAndActsOnTheChoice) {
  struct Shown {
    ShellAnchor at;
    std::vector<MenuItem> rows;
    std::function<void(int)> choice;
  };
  std::vector<Shown> shown;
  DockMenuProbes probes;
  probes.pathExists = [](const std::wstring& path) { return path == L"C:\\tool.exe"; };
  probes.recycleBinHasFiles = [] { return true; };
  probes.cursor = [] { return ShellAnchor{7, 8}; };
  DockMenuHost host(dock, shell, config, actions, probes,
                    [&](ShellAnchor at, std::vector<MenuItem> rows, std::function<void(int)> choice) {
                      shown.push_back({at, std::move(rows), std::move(choice)});
                      return true;
                    });
  const auto open = [&](int item) {
    ShellCommandArgs args;
    args.item = item;
    args.anchor = ShellAnchor{1, 2};
    host.Run(ShellCommand::OpenItemMenu, args);
  };
  const auto indexOfKind = [&](DockItemKind kind) {
    for (std::size_t i = 0; i < dock.items().size(); ++i) {
      if (dock.items()[i].kind == kind) return static_cast<int>(i);
    }
    return -1;
  };

  open(IndexOf(L"Tool"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].at, (ShellAnchor{1, 2}));
  const std::vector<std::wstring> toolRows = {L"100 打开", L"101 从 Dock 中移除", L"106 更改自定义图标…",
                                              L"107 恢复默认图标", L"102 打开文件所在位置"};
  EXPECT_EQ(DescribeRows(shown[0].rows), toolRows);
  open(indexOfKind(DockItemKind::RecycleBin));
  EXPECT_EQ(DescribeRows(shown[1].rows).back(), L"105 清空回收站 !");

  // The notification area opens its popup, the power item its menu, a
  // separator or an index out of range nothing.
  open(indexOfKind(DockItemKind::NotificationArea));
  open(indexOfKind(DockItemKind::Power));
  open(indexOfKind(DockItemKind::Separator));
  open(-1);
  open(100);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shell.calls, std::vector<std::wstring>{L"tray popup"});
  EXPECT_EQ(DescribeRows(shown[2].rows), DescribeRows(BuildPowerMenu()));
  host.Run(ShellCommand::OpenDockMenu, {});
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[3].at, (ShellAnchor{7, 8})) << "without an anchor the menu opens at the pointer";
  EXPECT_EQ(shown[3].rows.size(), BuildGlobalMenu(config).size());

  // The choice acts on the item the menu opened on, even after the dock changed.
  actions.RunItemChoice(Subject(L"First"), kRemoveOrKeep);
  shown[0].choice(kRemoveOrKeep);
  EXPECT_EQ(Pinned(), std::vector<std::wstring>{L"Second"});
  shown[3].choice(kSmartHide);
  EXPECT_TRUE(config.smartHide);
}

}  // namespace
}  // namespace orvane
