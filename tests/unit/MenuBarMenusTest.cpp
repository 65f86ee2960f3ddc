#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "CapturedLog.h"
#include "MenuRowsText.h"
#include "RecordingShellCommands.h"
#include "ui/menubar/MenuBarMenus.h"

namespace orvane {
namespace {

using testing::DescribeRows;
using testing::RecordingShellCommands;

// The system side of both interfaces as one record of calls.
class FakeBarSystem final : public MenuPlatform, public MenuBarMenuPlatform {
 public:
  std::vector<std::wstring> calls;
  std::vector<TrackedApp> apps;
  std::set<WindowHandle> gone;
  std::map<KnownFolder, std::wstring> folders;
  bool confirm = false;
  bool shutdownStarts = true;

  bool WindowExists(WindowHandle window) override { return window != kNoWindow && !gone.contains(window); }
  void PostClose(WindowHandle window) override { calls.push_back(L"close " + std::to_wstring(window)); }
  bool Launch(const std::wstring& target, const std::wstring& arguments) override {
    calls.push_back(L"launch " + target + (arguments.empty() ? L"" : L" " + arguments));
    return !target.empty();
  }
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

  const std::vector<TrackedApp>& TrackedApps() override { return apps; }
  void Minimize(WindowHandle window) override { calls.push_back(L"minimize " + std::to_wstring(window)); }
  void Arrange(WindowHandle window, WindowArrangement mode) override {
    calls.push_back(L"arrange " + std::to_wstring(window) + L" " + std::to_wstring(static_cast<int>(mode)));
  }
  std::wstring FolderPath(KnownFolder folder) override { return folders[folder]; }
  void ShowInformation(const std::wstring& text, const std::wstring& caption) override {
    calls.push_back(L"inform " + caption + L": " + text);
  }
};

TrackedApp App(const std::wstring& name, std::vector<WindowHandle> windows) {
  TrackedApp app;
  app.key = L"exe:c:\\" + name + L".exe";
  app.displayName = name;
  for (WindowHandle window : windows) app.windows.push_back({window, 40, name, false, false});
  return app;
}

// Two applications as the tracker lists them: the editor's two windows
// above the player's one. The desktop, the taskbar and the program's own
// windows are never listed.
constexpr WindowHandle kEditorFront = 101;
constexpr WindowHandle kEditorBack = 102;
constexpr WindowHandle kPlayer = 201;
constexpr WindowHandle kDesktop = 11;
constexpr WindowHandle kTaskbar = 12;
constexpr WindowHandle kOwnMenuWindow = 13;

std::vector<TrackedApp> TwoApps() { return {App(L"Editor", {kEditorFront, kEditorBack}), App(L"Player", {kPlayer})}; }

class MenuBarMenusTest : public ::testing::Test {
 protected:
  MenuBarMenusTest() {
    system.apps = TwoApps();
    system.folders = {{KnownFolder::Desktop, L"C:\\Users\\Ann\\Desktop"},
                      {KnownFolder::Documents, L"C:\\Users\\Ann\\Documents"},
                      {KnownFolder::Downloads, L"C:\\Users\\Ann\\Downloads"}};
  }

  FakeBarSystem system;
  RecordingShellCommands shell;
  MenuBarMenuActions actions{shell, system, system};
};

TEST(MenuBarMenuRowsTest, EachMenuByState) {
  EXPECT_EQ(DescribeRows(BuildLogoMenu(L"Ann", false)),
            (std::vector<std::wstring>{L"1 关于 Orvane v3.0 (Ann)", L"2 偏好设置…", L"|",
                                       L"5 隐藏 Windows 任务栏（防底部唤起）", L"3 Windows 系统设置", L"4 任务管理器", L"|",
                                       L"6 锁定屏幕", L"7 睡眠", L"10 注销当前账户", L"11 重新启动… !", L"12 关机… !",
                                       L"|", L"8 退出 Orvane !"}));
  // With the taskbar hidden the row offers it back, with a check mark.
  EXPECT_EQ(DescribeRows(BuildLogoMenu(L"Ann", true))[3], L"5 恢复显示 Windows 任务栏 *");

  EXPECT_EQ(DescribeRows(BuildAppMenu(true)),
            (std::vector<std::wstring>{L"1 最小化当前窗口", L"2 关闭当前窗口 !", L"|", L"3 Orvane 偏好设置…"}));
  EXPECT_EQ(DescribeRows(BuildAppMenu(false)),
            (std::vector<std::wstring>{L"1 最小化当前窗口 -", L"2 关闭当前窗口 - !", L"|", L"3 Orvane 偏好设置…"}));

  EXPECT_EQ(DescribeRows(BuildWindowMenu(true, false)),
            (std::vector<std::wstring>{L"1 窗口居中", L"2 贴靠左半屏", L"3 贴靠右半屏", L"4 最大化", L"5 最小化", L"|",
                                       L"6 台前调度 (Stage Manager)", L"7 调度中心 (Mission Control)"}));
  // Without a target only the placements go grey; stage manager and the
  // overview stay available.
  EXPECT_EQ(DescribeRows(BuildWindowMenu(false, true)),
            (std::vector<std::wstring>{L"1 窗口居中 -", L"2 贴靠左半屏 -", L"3 贴靠右半屏 -", L"4 最大化 -", L"5 最小化 -",
                                       L"|", L"6 台前调度 (Stage Manager) *", L"7 调度中心 (Mission Control)"}));

  EXPECT_EQ(DescribeRows(BuildGoMenu()),
            (std::vector<std::wstring>{L"1 启动台 (Launchpad)", L"|", L"2 桌面", L"3 文档", L"4 下载", L"5 此电脑",
                                       L"6 回收站", L"|", L"7 Wi-Fi 与网络设置", L"8 蓝牙与设备", L"9 声音设置",
                                       L"10 控制面板"}));
}

TEST_F(MenuBarMenusTest, LogoChoices) {
  struct Case {
    int id;
    std::vector<std::wstring> calls;
    std::vector<std::wstring> commands;
  } cases[] = {
      {logo_menu::kAbout, {L"inform 关于 Orvane v3.0: " + std::wstring(kAboutText)}, {}},
      {logo_menu::kPreferences, {}, {L"settings"}},
      {logo_menu::kNativeTaskbar, {}, {L"taskbar"}},
      {logo_menu::kSystemSettings, {L"launch ms-settings:"}, {}},
      {logo_menu::kTaskManager, {L"launch %WINDIR%\\System32\\Taskmgr.exe"}, {}},
      {logo_menu::kLock, {L"lock"}, {}},
      {logo_menu::kSleep, {L"sleep"}, {}},
      {logo_menu::kQuit, {}, {L"quit"}},
      {99, {}, {}},
  };
  for (const Case& c : cases) {
    system.calls.clear();
    shell.calls.clear();
    actions.LogoChosen(c.id);
    EXPECT_EQ(system.calls, c.calls) << c.id;
    EXPECT_EQ(shell.calls, c.commands) << c.id;
  }
}

TEST_F(MenuBarMenusTest, AboutBoxText) {
  // The box lists the shortcuts line by line.
  EXPECT_STREQ(kAboutCaption, L"关于 Orvane v3.0");
  EXPECT_EQ(std::wstring(kAboutText),
            L"Orvane v3.0 — 原生 C++20 / DirectComposition macOS 桌面体验套件\n开发者与署名：Lumaro\n\n快捷键：\n"
            L"• Alt+Space / Ctrl+Alt+L：启动台 (Launchpad)\n• Ctrl+Alt+↑：调度中心 (Mission Control)\n"
            L"• Ctrl+Alt+S：开关台前调度 (Stage Manager)\n• Ctrl+Alt+T：一键恢复 / 隐藏系统任务栏\n"
            L"• Ctrl+Alt+C / N：控制中心 / Orvane 自有通知中心");
}

TEST_F(MenuBarMenusTest, PowerChoicesActOnlyOnYes) {
  const std::wstring signOut = L"ask 注销确认: 确定要注销当前 Windows 登录账户吗？";
  const std::wstring restart = L"ask 重新启动 warning: 确定要立即重新启动电脑吗？未保存的工作可能会丢失。";
  const std::wstring shutDown = L"ask 关机确认 warning: 确定要立即关闭电脑吗？未保存的工作可能会丢失。";
  struct Case {
    int id;
    bool yes;
    bool starts;
    std::vector<std::wstring> calls;
    bool logged;
  } cases[] = {
      {logo_menu::kSignOut, false, true, {signOut}, false},
      {logo_menu::kSignOut, true, true, {signOut, L"sign out"}, false},
      {logo_menu::kRestart, false, true, {restart}, false},
      {logo_menu::kRestart, true, true, {restart, L"shutdown.exe /r /t 0"}, false},
      {logo_menu::kShutDown, false, true, {shutDown}, false},
      {logo_menu::kShutDown, true, true, {shutDown, L"shutdown.exe /s /t 0"}, false},
      {logo_menu::kShutDown, true, false, {shutDown, L"shutdown.exe /s /t 0"}, true},
  };
  for (const Case& c : cases) {
    CapturedLog log;
    system.calls.clear();
    system.confirm = c.yes;
    system.shutdownStarts = c.starts;
    actions.LogoChosen(c.id);
    EXPECT_EQ(system.calls, c.calls) << c.id << " yes=" << c.yes;
    bool logged = false;
    for (const std::wstring& line : log.lines) logged |= line.find(L"could not be started") != std::wstring::npos;
    EXPECT_EQ(logged, c.logged) << c.id;
  }
}

TEST_F(MenuBarMenusTest, GoChoices) {
  struct Case {
    int id;
    std::vector<std::wstring> calls;
    std::vector<std::wstring> commands;
  } cases[] = {
      {go_menu::kLauncherGrid, {}, {L"launcher grid"}},
      {go_menu::kDesktop, {L"launch C:\\Users\\Ann\\Desktop"}, {}},
      {go_menu::kDocuments, {L"launch C:\\Users\\Ann\\Documents"}, {}},
      {go_menu::kDownloads, {L"launch C:\\Users\\Ann\\Downloads"}, {}},
      {go_menu::kThisPc, {L"launch shell:MyComputerFolder"}, {}},
      {go_menu::kRecycleBin, {L"launch shell:RecycleBinFolder"}, {}},
      {go_menu::kWifiSettings, {L"launch ms-settings:network-wifi"}, {}},
      {go_menu::kBluetoothSettings, {L"launch ms-settings:bluetooth"}, {}},
      {go_menu::kSoundSettings, {L"launch ms-settings:sound"}, {}},
      {go_menu::kControlPanel, {L"launch control.exe"}, {}},
  };
  for (const Case& c : cases) {
    system.calls.clear();
    shell.calls.clear();
    actions.GoChosen(c.id);
    EXPECT_EQ(system.calls, c.calls) << c.id;
    EXPECT_EQ(shell.calls, c.commands) << c.id;
  }
}

TEST_F(MenuBarMenusTest, UnresolvedFolderIsLoggedNotLaunched) {
  CapturedLog log;
  system.folders[KnownFolder::Documents] = L"";
  actions.GoChosen(go_menu::kDocuments);
  EXPECT_TRUE(system.calls.empty());
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_NE(log.lines[0].find(L"Documents folder could not be resolved"), std::wstring::npos) << log.lines[0];
}

TEST_F(MenuBarMenusTest, WindowChoicesOnALiveTarget) {
  const MenuBarTarget target{kEditorFront};
  struct Case {
    bool windowMenu;
    int id;
    std::vector<std::wstring> calls;
    std::vector<std::wstring> commands;
  } cases[] = {
      {false, app_menu::kMinimize, {L"minimize 101"}, {}},
      {false, app_menu::kClose, {L"close 101"}, {}},
      {false, app_menu::kPreferences, {}, {L"settings"}},
      {true, window_menu::kCenter, {L"arrange 101 0"}, {}},
      {true, window_menu::kLeftHalf, {L"arrange 101 1"}, {}},
      {true, window_menu::kRightHalf, {L"arrange 101 2"}, {}},
      {true, window_menu::kMaximize, {L"arrange 101 3"}, {}},
      {true, window_menu::kMinimize, {L"minimize 101"}, {}},
      {true, window_menu::kStageManager, {}, {L"stage manager"}},
      {true, window_menu::kWindowOverview, {}, {L"window overview"}},
  };
  for (const Case& c : cases) {
    system.calls.clear();
    shell.calls.clear();
    if (c.windowMenu) {
      actions.WindowChosen(target, c.id);
    } else {
      actions.AppChosen(target, c.id);
    }
    EXPECT_EQ(system.calls, c.calls) << c.windowMenu << " " << c.id;
    EXPECT_EQ(shell.calls, c.commands) << c.windowMenu << " " << c.id;
  }
}

// From the foreground the tracker last saw to what "关闭当前窗口" does.
TEST_F(MenuBarMenusTest, TheTargetWindow) {
  enum class Before { Nothing, Closed, Untracked };
  struct Case {
    const char* what;
    WindowHandle foreground;
    Before beforeChoice;
    WindowHandle target;
    std::vector<std::wstring> calls;
  } cases[] = {
      {"the desktop", kDesktop, Before::Nothing, kNoWindow, {}},
      {"the taskbar", kTaskbar, Before::Nothing, kNoWindow, {}},
      {"the bar's own menu window", kOwnMenuWindow, Before::Nothing, kNoWindow, {}},
      {"no foreground window", kNoWindow, Before::Nothing, kNoWindow, {}},
      {"an application's front window", kEditorFront, Before::Nothing, kEditorFront, {L"close 101"}},
      {"an application's other window", kEditorBack, Before::Nothing, kEditorBack, {L"close 102"}},
      {"an application below another", kPlayer, Before::Nothing, kPlayer, {L"close 201"}},
      {"an application closed before the choice", kPlayer, Before::Closed, kPlayer, {}},
      {"a window the tracker dropped meanwhile", kPlayer, Before::Untracked, kPlayer, {}},
  };
  for (const Case& c : cases) {
    system.apps = TwoApps();
    system.gone.clear();
    system.calls.clear();

    const MenuBarTarget target = CaptureMenuTarget(system.apps, c.foreground);
    EXPECT_EQ(target.window, c.target) << c.what;
    // The menu opens with the rows the target allows.
    const bool valid = actions.CanActOn(target);
    EXPECT_EQ(valid, c.target != kNoWindow) << c.what;
    EXPECT_EQ(BuildAppMenu(valid)[1].enabled, valid) << c.what;

    if (c.beforeChoice == Before::Closed) system.gone.insert(c.foreground);
    if (c.beforeChoice == Before::Untracked) system.apps.pop_back();
    actions.AppChosen(target, app_menu::kClose);
    actions.AppChosen(target, app_menu::kMinimize);
    actions.WindowChosen(target, window_menu::kMaximize);
    std::vector<std::wstring> expected = c.calls;
    if (!expected.empty()) {
      expected.push_back(L"minimize " + std::to_wstring(c.target));
      expected.push_back(L"arrange " + std::to_wstring(c.target) + L" 3");
    }
    EXPECT_EQ(system.calls, expected) << c.what;
  }
}

}  // namespace
}  // namespace orvane
