#pragma once
// One dock item: what it launches, the running application it stands for,
// its picture and its animation state. The dock's item list owns the items;
// the hub keeps each item's visuals beside it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockItemKind.h"
#include "dock/DockItemMotion.h"
#include "system/IconImage.h"
#include "system/IconRequest.h"
#include "system/LaunchTarget.h"
#include "system/TrackedApp.h"
#include "system/WindowHandle.h"

namespace orvane {

struct DockItem {
  DockItemKind kind = DockItemKind::Pinned;
  // What the item launches; built-in items carry their fixed name and target.
  DockItemConfig config;
  // config.target resolved, for matching with running applications.
  LaunchTargetInfo launchInfo;
  std::wstring appKey;               // running items: the TrackedApp key they stand for
  WindowHandle window = kNoWindow;   // minimised-window items: the window
  std::vector<TrackedWindow> windows;         // of the matched applications, topmost first
  std::vector<std::uint32_t> processIds;      // distinct
  IconImage icon;  // empty where the dock draws the picture itself
  // The icon asked for and not had yet; meanwhile `icon` is the one before
  // or the placeholder.
  std::optional<IconRequest> pendingIcon;
  DockItemMotion motion;
  bool running = false;      // drives the running indicator
  bool needsRedraw = true;   // the picture surface must be drawn again
};

// Names and targets of the built-in items.
inline constexpr const wchar_t* kLauncherButtonName = L"启动台 (全部应用)";
inline constexpr const wchar_t* kLauncherButtonTarget = L"orvane:launchpad";
inline constexpr const wchar_t* kMusicItemName = L"音乐与歌词";
inline constexpr const wchar_t* kMusicItemTarget = L"orvane:music";
inline constexpr const wchar_t* kDownloadsItemName = L"下载";
inline constexpr const wchar_t* kNotificationAreaItemName = L"系统托盘";
inline constexpr const wchar_t* kNotificationAreaItemTarget = L"orvane:tray";
inline constexpr const wchar_t* kPowerItemName = L"电源中心";
inline constexpr const wchar_t* kPowerItemTarget = L"orvane:power";
inline constexpr const wchar_t* kRecycleBinItemName = L"回收站";
inline constexpr const wchar_t* kRecycleBinItemTarget = L"shell:RecycleBinFolder";
inline constexpr const wchar_t* kMinimisedItemPrefix = L"已最小化：";
inline constexpr const wchar_t* kStoreAppTargetPrefix = L"shell:AppsFolder\\";

// Caps on the items one synchronisation keeps.
inline constexpr std::size_t kMaxRunningItems = 6;
inline constexpr std::size_t kMaxMinimisedItems = 4;

// Icons are requested at the largest size the dock draws them (fully
// magnified, in physical pixels), within what the extractor serves well.
unsigned IconRequestSize(float magnification, float iconSize, float dpiScale);

// A running application matches a pinned item by AUMID (or its package
// family), else by executable path, else by executable file name.
bool MatchesTrackedApp(const LaunchTargetInfo& info, const TrackedApp& app);
// Equal lower-cased AUMIDs, or two application ids of one package.
bool MatchesByAumid(const std::wstring& pinned, const std::wstring& running);

}  // namespace orvane
