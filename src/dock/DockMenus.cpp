#include "dock/DockMenus.h"

#include <algorithm>
#include <utility>

#include "app/Log.h"
#include "dock/DockController.h"
#include "dock/DockItem.h"

namespace orvane {

using namespace dock_menu;

ItemMenuSubject CaptureItemMenuSubject(const DockItem& item, int index, bool targetExists, bool recycleBinHasFiles) {
  ItemMenuSubject subject;
  subject.kind = item.kind;
  subject.index = index;
  subject.config = item.config;
  subject.launchInfo = item.launchInfo;
  subject.appKey = item.appKey;
  subject.window = item.window;
  subject.windows = item.windows;
  subject.processIds = item.processIds;
  subject.targetExists = targetExists;
  subject.recycleBinHasFiles = recycleBinHasFiles;
  return subject;
}

namespace {

MenuItem Row(int id, std::wstring text, bool enabled = true, bool destructive = false, bool checked = false) {
  MenuItem row = MenuItem::Row(id, std::move(text));
  row.enabled = enabled;
  row.destructive = destructive;
  row.checked = checked;
  return row;
}

std::vector<MenuItem> AppMenu(const ItemMenuSubject& subject) {
  const bool pinned = subject.kind == DockItemKind::Pinned;
  const bool hasWindows = !subject.windows.empty();
  std::vector<MenuItem> rows;
  if (hasWindows) {
    const std::size_t count = std::min<std::size_t>(subject.windows.size(), kMaxWindowRows);
    for (std::size_t i = 0; i < count; ++i) {
      const TrackedWindow& window = subject.windows[i];
      rows.push_back(Row(kFirstWindow + static_cast<int>(i), window.title, true, false, window.foreground));
    }
    rows.push_back(MenuItem::Separator());
  }
  rows.push_back(Row(kOpen, hasWindows ? L"新建窗口 / 打开" : L"打开"));
  rows.push_back(Row(kRemoveOrKeep, pinned ? L"从 Dock 中移除" : L"在 Dock 中保留"));
  if (pinned) {
    rows.push_back(Row(kCustomIcon, L"更改自定义图标…"));
    if (!subject.config.customIcon.empty()) rows.push_back(Row(kDefaultIcon, L"恢复默认图标"));
  }
  rows.push_back(Row(kReveal, L"打开文件所在位置", subject.targetExists));
  if (hasWindows) {
    rows.push_back(MenuItem::Separator());
    rows.push_back(Row(kCloseWindows, L"关闭窗口"));
    rows.push_back(Row(kForceQuit, L"强制退出", !subject.processIds.empty(), true));
  }
  return rows;
}

}  // namespace

std::vector<MenuItem> BuildItemMenu(const ItemMenuSubject& subject) {
  switch (subject.kind) {
    case DockItemKind::LauncherButton:
      return {Row(kOpen, L"打开启动台 (全部应用)"), Row(kSettings, L"偏好设置…")};
    case DockItemKind::Music:
      return {Row(kPlayPause, L"播放 / 暂停"), Row(kPreviousTrack, L"上一首"), Row(kNextTrack, L"下一首"),
              MenuItem::Separator(), Row(kSettings, L"Dock 偏好设置…")};
    case DockItemKind::RecycleBin:
      return {Row(kOpen, L"打开回收站"), Row(kEmptyRecycleBin, L"清空回收站", subject.recycleBinHasFiles, true)};
    case DockItemKind::DownloadsStack:
      return {Row(kOpen, L"展开文件夹堆栈"), Row(kOpenInExplorer, L"在资源管理器中打开")};
    case DockItemKind::MinimisedWindow:
      return {Row(kOpen, L"恢复窗口"), Row(kCloseWindows, L"关闭窗口", true, true)};
    case DockItemKind::Pinned:
    case DockItemKind::Running:
      return AppMenu(subject);
    case DockItemKind::Separator:
    case DockItemKind::NotificationArea:
    case DockItemKind::Power:
      break;
  }
  return {};
}

TaskbarMode TaskbarModeOf(const std::wstring& text) {
  if (text == L"hide") return TaskbarMode::Hide;
  if (text == L"appbar") return TaskbarMode::AppBar;
  return TaskbarMode::Keep;
}

std::vector<MenuItem> BuildGlobalMenu(const DockConfig& config) {
  const TaskbarMode taskbar = TaskbarModeOf(config.taskbarMode);
  const auto check = [](int id, const wchar_t* text, bool on) { return Row(id, text, true, false, on); };
  return {
      Row(kSettings, L"偏好设置… (Orvane v3.0)"),
      check(kDesktopWidgets, L"桌面小组件管理…", config.desktopWidgetsEnabled),
      MenuItem::Separator(),
      Row(kLauncherGrid, L"启动台 (全部应用)"),
      check(kStageManager, L"台前调度 (Stage Manager)", config.stageManagerEnabled),
      Row(kWindowOverview, L"调度中心 (Mission Control)"),
      Row(kNotificationCenter, L"Orvane 通知中心"),
      Row(kControlCenter, L"控制中心"),
      check(kMenuBar, L"顶部 macOS 菜单栏", config.menuBarEnabled),
      MenuItem::Separator(),
      check(kTaskbarKeep, L"任务栏：恢复并保留原生任务栏", taskbar == TaskbarMode::Keep),
      check(kTaskbarAppBar, L"任务栏：避让工作区 (AppBar)", taskbar == TaskbarMode::AppBar),
      check(kTaskbarHide, L"任务栏：彻底隐藏（禁止底部唤起）", taskbar == TaskbarMode::Hide),
      check(kSmartHide, L"Dock 智能自动隐藏", config.smartHide),
      MenuItem::Separator(),
      Row(kReloadConfig, L"重新加载配置"),
      Row(kQuit, L"退出 Orvane", true, true),
  };
}

std::vector<MenuItem> BuildPowerMenu() {
  return {Row(kLock, L"锁定屏幕"),          Row(kSleep, L"睡眠"), Row(kSignOut, L"注销当前账户…"),
          MenuItem::Separator(),            Row(kRestart, L"重新启动…", true, true),
          Row(kShutDown, L"关机…", true, true)};
}

bool ProcessRunsItem(const LaunchTargetInfo& item, const ProcessIdentity& process) {
  if (!item.aumidLower.empty()) return MatchesByAumid(item.aumidLower, process.aumidLower);
  return !item.exePathLower.empty() && item.exePathLower == process.imagePathLower;
}

DockMenuActions::DockMenuActions(DockController& dock, ShellCommands& commands, MenuPlatform& system,
                                 DockMenuPlatform& platform)
    : dock_(dock), commands_(commands), system_(system), platform_(platform) {}

void DockMenuActions::CloseWindows(const ItemMenuSubject& subject) {
  for (const TrackedWindow& window : subject.windows) {
    if (system_.WindowExists(window.hwnd)) system_.PostClose(window.hwnd);
  }
}

void DockMenuActions::ForceQuit(const ItemMenuSubject& subject) {
  // An id captured when the menu opened may belong to another program by
  // now. A window that still exists keeps its process alive, so only the
  // processes of captured windows still there are considered, and only when
  // they run the item's application; never this program.
  const std::uint32_t own = platform_.OwnProcessId();
  std::vector<std::uint32_t> ended;
  for (const TrackedWindow& window : subject.windows) {
    if (!system_.WindowExists(window.hwnd)) continue;
    const std::uint32_t id = window.processId;
    if (id == 0 || id == own || std::find(ended.begin(), ended.end(), id) != ended.end()) continue;
    if (!ProcessRunsItem(subject.launchInfo, platform_.DescribeProcess(id))) {
      Log(L"DockMenus: force quit skips process %u, which no longer runs %s", id, subject.config.name);
      continue;
    }
    platform_.Terminate(id);
    ended.push_back(id);
  }
}

void DockMenuActions::RunItemChoice(const ItemMenuSubject& s, int id, std::optional<ShellAnchor> anchor) {
  ShellCommandArgs at;
  at.anchor = anchor;
  switch (s.kind) {
    case DockItemKind::LauncherButton:
      if (id == kOpen) commands_.Run(ShellCommand::OpenLauncherGrid);
      if (id == kSettings) commands_.Run(ShellCommand::OpenSettings);
      return;
    case DockItemKind::Music:
      if (id == kPlayPause) platform_.Media(MediaKey::PlayPause);
      if (id == kPreviousTrack) platform_.Media(MediaKey::Previous);
      if (id == kNextTrack) platform_.Media(MediaKey::Next);
      if (id == kSettings) commands_.Run(ShellCommand::OpenSettings);
      return;
    case DockItemKind::RecycleBin:
      if (id == kOpen) system_.Launch(kRecycleBinItemTarget, L"");
      if (id == kEmptyRecycleBin) platform_.EmptyRecycleBin();
      return;
    case DockItemKind::DownloadsStack:
      if (id == kOpen) {
        ShellCommandArgs args = at;
        args.name = s.config.name;
        args.path = s.config.target;
        commands_.Run(ShellCommand::OpenStack, args);
      }
      if (id == kOpenInExplorer) system_.Launch(s.config.target, L"");
      return;
    case DockItemKind::MinimisedWindow:
      if (id == kOpen) platform_.ActivateWindow(s.window);
      if (id == kCloseWindows && system_.WindowExists(s.window)) system_.PostClose(s.window);
      return;
    case DockItemKind::Pinned:
    case DockItemKind::Running:
      break;
    case DockItemKind::Separator:
    case DockItemKind::NotificationArea:
    case DockItemKind::Power:
      return;
  }

  const bool pinned = s.kind == DockItemKind::Pinned;
  if (id >= kFirstWindow && id < kFirstWindow + kMaxWindowRows) {
    const auto i = static_cast<std::size_t>(id - kFirstWindow);
    if (i < s.windows.size()) platform_.ActivateWindow(s.windows[i].hwnd);
    return;
  }
  switch (id) {
    case kOpen:
      system_.Launch(s.config.target, s.config.args);
      return;
    case kRemoveOrKeep:
      if (pinned) {
        dock_.UnpinFromMenu(s.index, s.config);
      } else {
        dock_.KeepInDockFromMenu(s.appKey);
      }
      return;
    case kReveal:
      platform_.RevealInExplorer(s.launchInfo.target.empty() ? s.config.target : s.launchInfo.target);
      return;
    case kCustomIcon:
      if (!pinned) return;
      if (const std::optional<std::wstring> path = platform_.PickCustomIcon()) {
        dock_.SetCustomIconFromMenu(s.index, s.config, *path);
      }
      return;
    case kDefaultIcon:
      if (pinned) dock_.SetCustomIconFromMenu(s.index, s.config, L"");
      return;
    case kCloseWindows:
      CloseWindows(s);
      return;
    case kForceQuit:
      ForceQuit(s);
      return;
    default:
      return;
  }
}

void DockMenuActions::RunGlobalChoice(int id) {
  switch (id) {
    case kSettings:
      commands_.Run(ShellCommand::OpenSettings);
      return;
    case kDesktopWidgets: {
      ShellCommandArgs args;
      args.page = kSettingsWidgetsPage;
      commands_.Run(ShellCommand::OpenSettings, args);
      return;
    }
    case kStageManager:
      commands_.Run(ShellCommand::ToggleStageManager);
      return;
    case kMenuBar:
      platform_.EditConfig([](DockConfig& c) { c.menuBarEnabled = !c.menuBarEnabled; });
      return;
    case kControlCenter:
      commands_.Run(ShellCommand::OpenControlCenter);
      return;
    case kWindowOverview:
      commands_.Run(ShellCommand::OpenWindowOverview);
      return;
    case kLauncherGrid:
      commands_.Run(ShellCommand::OpenLauncherGrid);
      return;
    case kNotificationCenter:
      commands_.Run(ShellCommand::ToggleNotificationCenter);
      return;
    case kTaskbarKeep:
    case kTaskbarAppBar:
    case kTaskbarHide: {
      const wchar_t* mode = id == kTaskbarKeep ? L"keep" : id == kTaskbarAppBar ? L"appbar" : L"hide";
      platform_.EditConfig([mode](DockConfig& c) { c.taskbarMode = mode; });
      return;
    }
    case kSmartHide:
      platform_.EditConfig([](DockConfig& c) { c.smartHide = !c.smartHide; });
      return;
    case kReloadConfig:
      platform_.ReloadConfig();
      return;
    case kQuit:
      commands_.Run(ShellCommand::Quit);
      return;
    default:
      return;
  }
}

void DockMenuActions::RunPowerChoice(int id) {
  switch (id) {
    case kLock:
      system_.LockScreen();
      return;
    case kSleep:
      system_.Sleep();
      return;
    case kSignOut:
      if (system_.Confirm(kSignOutQuestion, kPowerMenuCaption, false)) system_.SignOut();
      return;
    case kRestart:
      ConfirmShutdown(system_, ShutdownKind::Restart, kRestartQuestion, kPowerMenuCaption);
      return;
    case kShutDown:
      ConfirmShutdown(system_, ShutdownKind::PowerOff, kShutDownQuestion, kPowerMenuCaption);
      return;
    default:
      return;
  }
}

}  // namespace orvane
