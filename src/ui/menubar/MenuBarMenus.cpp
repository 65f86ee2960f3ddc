#include "ui/menubar/MenuBarMenus.h"

#include <algorithm>
#include <utility>

#include "app/Log.h"

namespace orvane {
namespace {

MenuItem Row(int id, std::wstring text, bool enabled = true, bool destructive = false, bool checked = false) {
  MenuItem row = MenuItem::Row(id, std::move(text));
  row.enabled = enabled;
  row.destructive = destructive;
  row.checked = checked;
  return row;
}

const wchar_t* FolderName(KnownFolder folder) {
  switch (folder) {
    case KnownFolder::Desktop: return L"Desktop";
    case KnownFolder::Documents: return L"Documents";
    case KnownFolder::Downloads: return L"Downloads";
  }
  return L"?";
}

}  // namespace

std::vector<MenuItem> BuildLogoMenu(const std::wstring& userName, bool taskbarHidden) {
  using namespace logo_menu;
  return {
      Row(kAbout, L"关于 Orvane v3.0 (" + userName + L")"),
      Row(kPreferences, L"偏好设置…"),
      MenuItem::Separator(),
      Row(kNativeTaskbar, taskbarHidden ? L"恢复显示 Windows 任务栏" : L"隐藏 Windows 任务栏（防底部唤起）", true, false,
          taskbarHidden),
      Row(kSystemSettings, L"Windows 系统设置"),
      Row(kTaskManager, L"任务管理器"),
      MenuItem::Separator(),
      Row(kLock, L"锁定屏幕"),
      Row(kSleep, L"睡眠"),
      Row(kSignOut, L"注销当前账户"),
      Row(kRestart, L"重新启动…", true, true),
      Row(kShutDown, L"关机…", true, true),
      MenuItem::Separator(),
      Row(kQuit, L"退出 Orvane", true, true),
  };
}

std::vector<MenuItem> BuildAppMenu(bool targetValid) {
  using namespace app_menu;
  return {
      Row(kMinimize, L"最小化当前窗口", targetValid),
      Row(kClose, L"关闭当前窗口", targetValid, true),
      MenuItem::Separator(),
      Row(kPreferences, L"Orvane 偏好设置…"),
  };
}

std::vector<MenuItem> BuildWindowMenu(bool targetValid, bool stageManagerOn) {
  using namespace window_menu;
  return {
      Row(kCenter, L"窗口居中", targetValid),
      Row(kLeftHalf, L"贴靠左半屏", targetValid),
      Row(kRightHalf, L"贴靠右半屏", targetValid),
      Row(kMaximize, L"最大化", targetValid),
      Row(kMinimize, L"最小化", targetValid),
      MenuItem::Separator(),
      Row(kStageManager, L"台前调度 (Stage Manager)", true, false, stageManagerOn),
      Row(kWindowOverview, L"调度中心 (Mission Control)"),
  };
}

std::vector<MenuItem> BuildGoMenu() {
  using namespace go_menu;
  return {
      Row(kLauncherGrid, L"启动台 (Launchpad)"),
      MenuItem::Separator(),
      Row(kDesktop, L"桌面"),
      Row(kDocuments, L"文档"),
      Row(kDownloads, L"下载"),
      Row(kThisPc, L"此电脑"),
      Row(kRecycleBin, L"回收站"),
      MenuItem::Separator(),
      Row(kWifiSettings, L"Wi-Fi 与网络设置"),
      Row(kBluetoothSettings, L"蓝牙与设备"),
      Row(kSoundSettings, L"声音设置"),
      Row(kControlPanel, L"控制面板"),
  };
}

MenuBarTarget CaptureMenuTarget(const std::vector<TrackedApp>& apps, WindowHandle lastForeground) {
  // The raw foreground window is no target: it may be the desktop (whose
  // WM_CLOSE asks to shut Windows down), the taskbar or the menu window
  // itself. Only a window the tracker lists as an application's counts, as
  // it does for the bar's application name.
  if (lastForeground == kNoWindow) return {};
  for (const TrackedApp& app : apps) {
    for (const TrackedWindow& window : app.windows) {
      if (window.hwnd == lastForeground) return {window.hwnd};
    }
  }
  return {};
}

MenuBarMenuActions::MenuBarMenuActions(ShellCommands& commands, MenuPlatform& system, MenuBarMenuPlatform& platform)
    : commands_(commands), system_(system), platform_(platform) {}

bool MenuBarMenuActions::CanActOn(const MenuBarTarget& target) {
  if (!target.valid() || !system_.WindowExists(target.window)) return false;
  // A handle the tracker no longer lists may have been closed and reused.
  const std::vector<TrackedApp>& apps = platform_.TrackedApps();
  return std::any_of(apps.begin(), apps.end(), [&](const TrackedApp& app) {
    return std::any_of(app.windows.begin(), app.windows.end(),
                       [&](const TrackedWindow& window) { return window.hwnd == target.window; });
  });
}

bool MenuBarMenuActions::StillThere(const MenuBarTarget& target) {
  if (CanActOn(target)) return true;
  Log(L"Menu bar: the window the menu was opened for has gone; nothing done");
  return false;
}

void MenuBarMenuActions::LogoChosen(int id) {
  using namespace logo_menu;
  switch (id) {
    case kAbout:
      platform_.ShowInformation(kAboutText, kAboutCaption);
      return;
    case kPreferences:
      commands_.Run(ShellCommand::OpenSettings);
      return;
    case kNativeTaskbar:
      commands_.Run(ShellCommand::ToggleTaskbar);
      return;
    case kSystemSettings:
      system_.Launch(L"ms-settings:", L"");
      return;
    case kTaskManager:
      system_.Launch(L"%WINDIR%\\System32\\Taskmgr.exe", L"");
      return;
    case kLock:
      system_.LockScreen();
      return;
    case kSleep:
      system_.Sleep();
      return;
    case kSignOut:
      if (system_.Confirm(L"确定要注销当前 Windows 登录账户吗？", L"注销确认", false)) system_.SignOut();
      return;
    case kRestart:
      ConfirmShutdown(system_, ShutdownKind::Restart, L"确定要立即重新启动电脑吗？未保存的工作可能会丢失。", L"重新启动");
      return;
    case kShutDown:
      ConfirmShutdown(system_, ShutdownKind::PowerOff, L"确定要立即关闭电脑吗？未保存的工作可能会丢失。", L"关机确认");
      return;
    case kQuit:
      commands_.Run(ShellCommand::Quit);
      return;
    default:
      return;
  }
}

void MenuBarMenuActions::AppChosen(const MenuBarTarget& target, int id) {
  using namespace app_menu;
  switch (id) {
    case kMinimize:
      if (StillThere(target)) platform_.Minimize(target.window);
      return;
    case kClose:
      if (StillThere(target)) system_.PostClose(target.window);
      return;
    case kPreferences:
      commands_.Run(ShellCommand::OpenSettings);
      return;
    default:
      return;
  }
}

void MenuBarMenuActions::WindowChosen(const MenuBarTarget& target, int id) {
  using namespace window_menu;
  switch (id) {
    case kCenter:
    case kLeftHalf:
    case kRightHalf:
    case kMaximize: {
      if (!StillThere(target)) return;
      const WindowArrangement mode = id == kCenter      ? WindowArrangement::Centered
                                     : id == kLeftHalf  ? WindowArrangement::LeftHalf
                                     : id == kRightHalf ? WindowArrangement::RightHalf
                                                        : WindowArrangement::Maximized;
      platform_.Arrange(target.window, mode);
      return;
    }
    case kMinimize:
      if (StillThere(target)) platform_.Minimize(target.window);
      return;
    case kStageManager:
      commands_.Run(ShellCommand::ToggleStageManager);
      return;
    case kWindowOverview:
      commands_.Run(ShellCommand::OpenWindowOverview);
      return;
    default:
      return;
  }
}

void MenuBarMenuActions::OpenFolder(KnownFolder folder) {
  const std::wstring path = platform_.FolderPath(folder);
  if (path.empty()) {
    Log(L"MenuBarMenus: the %s folder could not be resolved", FolderName(folder));
    return;
  }
  system_.Launch(path, L"");
}

void MenuBarMenuActions::GoChosen(int id) {
  using namespace go_menu;
  switch (id) {
    case kLauncherGrid:
      commands_.Run(ShellCommand::OpenLauncherGrid);
      return;
    case kDesktop:
      OpenFolder(KnownFolder::Desktop);
      return;
    case kDocuments:
      OpenFolder(KnownFolder::Documents);
      return;
    case kDownloads:
      OpenFolder(KnownFolder::Downloads);
      return;
    case kThisPc:
      system_.Launch(L"shell:MyComputerFolder", L"");
      return;
    case kRecycleBin:
      system_.Launch(L"shell:RecycleBinFolder", L"");
      return;
    case kWifiSettings:
      system_.Launch(L"ms-settings:network-wifi", L"");
      return;
    case kBluetoothSettings:
      system_.Launch(L"ms-settings:bluetooth", L"");
      return;
    case kSoundSettings:
      system_.Launch(L"ms-settings:sound", L"");
      return;
    case kControlPanel:
      system_.Launch(L"control.exe", L"");
      return;
    default:
      return;
  }
}

}  // namespace orvane
