#pragma once
// The menu bar's four menus — the logo menu behind the user's name, the
// frontmost application's menu, "窗口" and "前往" — as rows for the shared
// context menu, and what each choice does. The rows are built afresh each
// time a menu opens, from the state of that moment.
//
// The application and window menus act on a window captured when the menu
// opens, before the menu window takes the focus: the frontmost application's
// window, never the desktop, the taskbar or one of this program's windows.
// A choice acts on it only if it is still there.

#include <string>
#include <vector>

#include "system/TrackedApp.h"
#include "system/WindowActions.h"
#include "system/WindowHandle.h"
#include "ui/ShellCommands.h"
#include "ui/menu/MenuItem.h"
#include "ui/menu/MenuPlatform.h"

namespace orvane {

// Row ids, one set per menu.
namespace logo_menu {
inline constexpr int kAbout = 1;
inline constexpr int kPreferences = 2;
inline constexpr int kSystemSettings = 3;
inline constexpr int kTaskManager = 4;
inline constexpr int kNativeTaskbar = 5;
inline constexpr int kLock = 6;
inline constexpr int kSleep = 7;
inline constexpr int kQuit = 8;
inline constexpr int kSignOut = 10;
inline constexpr int kRestart = 11;
inline constexpr int kShutDown = 12;
}  // namespace logo_menu

namespace app_menu {
inline constexpr int kMinimize = 1;
inline constexpr int kClose = 2;
inline constexpr int kPreferences = 3;
}  // namespace app_menu

namespace window_menu {
inline constexpr int kCenter = 1;
inline constexpr int kLeftHalf = 2;
inline constexpr int kRightHalf = 3;
inline constexpr int kMaximize = 4;
inline constexpr int kMinimize = 5;
inline constexpr int kStageManager = 6;
inline constexpr int kWindowOverview = 7;
}  // namespace window_menu

namespace go_menu {
inline constexpr int kLauncherGrid = 1;
inline constexpr int kDesktop = 2;
inline constexpr int kDocuments = 3;
inline constexpr int kDownloads = 4;
inline constexpr int kThisPc = 5;
inline constexpr int kRecycleBin = 6;
inline constexpr int kWifiSettings = 7;
inline constexpr int kBluetoothSettings = 8;
inline constexpr int kSoundSettings = 9;
inline constexpr int kControlPanel = 10;
}  // namespace go_menu

inline constexpr wchar_t kAboutCaption[] = L"关于 Orvane v3.0";
inline constexpr wchar_t kAboutText[] =
    L"Orvane v3.0 — 原生 C++20 / DirectComposition macOS 桌面体验套件\n"
    L"开发者与署名：Lumaro\n"
    L"\n"
    L"快捷键：\n"
    L"• Alt+Space / Ctrl+Alt+L：启动台 (Launchpad)\n"
    L"• Ctrl+Alt+↑：调度中心 (Mission Control)\n"
    L"• Ctrl+Alt+S：开关台前调度 (Stage Manager)\n"
    L"• Ctrl+Alt+T：一键恢复 / 隐藏系统任务栏\n"
    L"• Ctrl+Alt+C / N：控制中心 / Orvane 自有通知中心";

// The rows of each menu. taskbarHidden: the program keeps the native
// taskbar hidden now; targetValid: the captured target window exists.
std::vector<MenuItem> BuildLogoMenu(const std::wstring& userName, bool taskbarHidden);
std::vector<MenuItem> BuildAppMenu(bool targetValid);
std::vector<MenuItem> BuildWindowMenu(bool targetValid, bool stageManagerOn);
std::vector<MenuItem> BuildGoMenu();

// The window the application and window menus act on.
struct MenuBarTarget {
  WindowHandle window = kNoWindow;
  bool valid() const { return window != kNoWindow; }
  bool operator==(const MenuBarTarget&) const = default;
};

// Takes the target as the menu opens, from the tracker's last refresh
// (WindowTracker::Apps and FrontmostWindow): the tracked window last in
// front, the same window that names the bar's application slot. Our own
// windows (this menu, the bar) never count as in front; the tracker lists
// no desktop or taskbar, so when one of those was in front there is no
// target and the bar reads "桌面".
MenuBarTarget CaptureMenuTarget(const std::vector<TrackedApp>& apps, WindowHandle lastForeground);

enum class KnownFolder { Desktop, Documents, Downloads };

// What the menu bar's menus ask of the system beyond the calls every menu
// shares (MenuPlatform). Windows: win32/Win32MenuBarMenuPlatform.
class MenuBarMenuPlatform {
 public:
  virtual ~MenuBarMenuPlatform() = default;

  // The tracker's apps as of its last refresh.
  virtual const std::vector<TrackedApp>& TrackedApps() = 0;
  virtual void Minimize(WindowHandle window) = 0;
  // ArrangeWindow: restores, places in the window's work area, activates.
  virtual void Arrange(WindowHandle window, WindowArrangement mode) = 0;
  // The folder's path, created if missing; "" when it cannot be resolved.
  virtual std::wstring FolderPath(KnownFolder folder) = 0;
  // An information box owned by the bar.
  virtual void ShowInformation(const std::wstring& text, const std::wstring& caption) = 0;
};

// Carries out the menus' choices. The surface opens a menu with the rows
// built above and hands the chosen id back here; the application and window
// menus also hand back the target captured when they opened.
class MenuBarMenuActions {
 public:
  MenuBarMenuActions(ShellCommands& commands, MenuPlatform& system, MenuBarMenuPlatform& platform);

  // Whether the target is still a window and still one the tracker lists:
  // the builders' targetValid when a menu opens, checked again by each
  // choice that acts on the window.
  bool CanActOn(const MenuBarTarget& target);

  void LogoChosen(int id);
  void AppChosen(const MenuBarTarget& target, int id);
  void WindowChosen(const MenuBarTarget& target, int id);
  void GoChosen(int id);

 private:
  void OpenFolder(KnownFolder folder);
  // CanActOn for a choice: says in the log when the window has gone.
  bool StillThere(const MenuBarTarget& target);

  ShellCommands& commands_;
  MenuPlatform& system_;
  MenuBarMenuPlatform& platform_;
};

}  // namespace orvane
