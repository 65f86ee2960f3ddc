#pragma once
// The dock's three menus — an item's menu, the dock's global menu and the
// power menu — as rows for the shared context menu, and what each choice
// does. The rows are built from a copy of the item taken when the menu
// opens; the choice acts on that copy and finds live items again, so the
// dock may change while the menu is open.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockItemKind.h"
#include "system/LaunchTarget.h"
#include "system/TrackedApp.h"
#include "system/WindowHandle.h"
#include "ui/ShellCommands.h"
#include "ui/menu/MenuItem.h"
#include "ui/menu/MenuPlatform.h"

namespace orvane {

struct DockItem;
class DockController;

// Row ids.
namespace dock_menu {
// Item menus.
inline constexpr int kOpen = 100;
inline constexpr int kRemoveOrKeep = 101;
inline constexpr int kReveal = 102;
inline constexpr int kCloseWindows = 103;
inline constexpr int kForceQuit = 104;
inline constexpr int kEmptyRecycleBin = 105;
inline constexpr int kCustomIcon = 106;
inline constexpr int kDefaultIcon = 107;
inline constexpr int kOpenInExplorer = 108;
inline constexpr int kPreviousTrack = 120;
inline constexpr int kPlayPause = 121;
inline constexpr int kNextTrack = 122;
inline constexpr int kFirstWindow = 1000;  // + the window's position
inline constexpr int kMaxWindowRows = 6;
// The global menu.
inline constexpr int kSettings = 2000;
inline constexpr int kStageManager = 2001;
inline constexpr int kMenuBar = 2002;
inline constexpr int kControlCenter = 2003;
inline constexpr int kWindowOverview = 2004;
inline constexpr int kLauncherGrid = 2005;
inline constexpr int kTaskbarKeep = 2006;
inline constexpr int kTaskbarAppBar = 2007;
inline constexpr int kTaskbarHide = 2008;
inline constexpr int kSmartHide = 2009;
inline constexpr int kReloadConfig = 2010;
inline constexpr int kQuit = 2011;
inline constexpr int kDesktopWidgets = 2012;
inline constexpr int kNotificationCenter = 2013;
// The power menu.
inline constexpr int kLock = 1;
inline constexpr int kSleep = 2;
inline constexpr int kSignOut = 3;
inline constexpr int kRestart = 4;
inline constexpr int kShutDown = 5;
}  // namespace dock_menu

inline constexpr wchar_t kPowerMenuCaption[] = L"Orvane 电源中心";
inline constexpr wchar_t kSignOutQuestion[] = L"确定要注销当前 Windows 登录账户吗？";
inline constexpr wchar_t kRestartQuestion[] = L"确定要立即重新启动电脑吗？请先保存未保存的工作。";
inline constexpr wchar_t kShutDownQuestion[] = L"确定要立即关闭电脑吗？请先保存未保存的工作。";
// The settings window's desktop-widgets page.
inline constexpr int kSettingsWidgetsPage = 3;

// What an item menu captured when it opened.
struct ItemMenuSubject {
  DockItemKind kind = DockItemKind::Pinned;
  int index = -1;  // the item's position then
  DockItemConfig config;
  LaunchTargetInfo launchInfo;
  std::wstring appKey;
  WindowHandle window = kNoWindow;  // a minimised-window item's
  std::vector<TrackedWindow> windows;
  std::vector<std::uint32_t> processIds;
  bool targetExists = false;        // "打开文件所在位置" can act
  bool recycleBinHasFiles = false;  // "清空回收站" can act
};

ItemMenuSubject CaptureItemMenuSubject(const DockItem& item, int index, bool targetExists, bool recycleBinHasFiles);

// The item's menu by kind; empty for kinds without one (separator, the
// notification area and power items, which open their own popups).
std::vector<MenuItem> BuildItemMenu(const ItemMenuSubject& subject);
std::vector<MenuItem> BuildGlobalMenu(const DockConfig& config);
std::vector<MenuItem> BuildPowerMenu();

enum class TaskbarMode { Keep, AppBar, Hide };
// "hide" and "appbar"; anything else keeps the taskbar.
TaskbarMode TaskbarModeOf(const std::wstring& text);

// A process as the force-quit check sees it.
struct ProcessIdentity {
  std::wstring imagePathLower;  // "" when it cannot be read
  std::wstring aumidLower;      // "" for desktop programs
};

// Whether the process runs the item's application: the same executable
// path, or the same store app (or package). The file name alone is not
// enough here: force quit must never end an unrelated program.
bool ProcessRunsItem(const LaunchTargetInfo& item, const ProcessIdentity& process);

enum class MediaKey { PlayPause, Previous, Next };

// What the dock's menus ask of the system and the rest of the program
// beyond the calls every menu shares (MenuPlatform).
class DockMenuPlatform {
 public:
  virtual ~DockMenuPlatform() = default;

  // --- windows and processes ----------------------------------------------------------
  virtual void ActivateWindow(WindowHandle window) = 0;
  virtual std::uint32_t OwnProcessId() = 0;
  virtual ProcessIdentity DescribeProcess(std::uint32_t processId) = 0;
  virtual void Terminate(std::uint32_t processId) = 0;  // failures ignored

  // --- files and targets --------------------------------------------------------------
  virtual void RevealInExplorer(const std::wstring& target) = 0;
  virtual void EmptyRecycleBin() = 0;  // the shell asks for confirmation
  // The custom-icon picker; nullopt when cancelled.
  virtual std::optional<std::wstring> PickCustomIcon() = 0;

  // --- media -------------------------------------------------------------------------------
  // Sends the key, then refreshes the media state and the music item.
  virtual void Media(MediaKey key) = 0;

  // --- the configuration --------------------------------------------------------------------
  // Applies the edit to the live configuration, saves it and lets every
  // surface follow.
  virtual void EditConfig(const std::function<void(DockConfig&)>& edit) = 0;
  // Loads config.json again and applies it.
  virtual void ReloadConfig() = 0;
};

// Carries out the menus' choices.
class DockMenuActions {
 public:
  DockMenuActions(DockController& dock, ShellCommands& commands, MenuPlatform& system, DockMenuPlatform& platform);

  void RunItemChoice(const ItemMenuSubject& subject, int id, std::optional<ShellAnchor> anchor = std::nullopt);
  void RunGlobalChoice(int id);
  void RunPowerChoice(int id);

 private:
  void ForceQuit(const ItemMenuSubject& subject);
  void CloseWindows(const ItemMenuSubject& subject);

  DockController& dock_;
  ShellCommands& commands_;
  MenuPlatform& system_;
  DockMenuPlatform& platform_;
};

}  // namespace orvane
