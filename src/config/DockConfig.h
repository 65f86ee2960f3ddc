#pragma once
// Every user setting of the program. The dock owns the live copy, the
// settings window edits a copy of its own, config.json stores it.
//
// Member initialisers are the bare defaults: the base every loaded file is
// read onto. Lengths are device-independent pixels, times milliseconds.

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// One pinned dock item.
struct DockItemConfig {
  std::wstring name;        // tooltip and menu text
  std::wstring target;      // file path (may hold %VARS%), "shell:" path or URI; never empty
  std::wstring args;        // command-line arguments, empty for none
  std::wstring customIcon;  // image chosen by the user, empty for the extracted icon

  bool operator==(const DockItemConfig&) const = default;
};

// One desktop widget.
struct WidgetConfig {
  std::wstring id;                // "clock_1": type, "_" and a number; non-empty, unique
  std::wstring type = L"clock";  // "clock", "weather", "calendar", "sysmon", "note"
  float x = 40.0f;               // 0-3840
  float y = 56.0f;               // 0-2160
  bool enabled = true;

  bool operator==(const WidgetConfig&) const = default;
};

struct DockConfig {
  std::int32_t configVersion = 3;    // 1-100
  float iconSize = 48.0f;            // 28-96
  float magnification = 1.65f;       // 1-2.5; 1 turns magnification off
  float sigmaIcons = 1.45f;          // 0.8-3, in icon pitches
  float iconSpacing = 8.0f;          // 2-24
  float paddingX = 12.0f;            // 4-32
  float paddingY = 7.0f;             // 4-24
  float bottomMargin = 10.0f;        // 0-64
  float cornerRadius = 17.0f;        // 4-36
  float blurRadius = 22.0f;          // 6-44
  float glassOpacity = 0.56f;        // 0.2-0.92
  float springResponse = 0.2f;       // 0.06-0.6, seconds
  float springDamping = 0.82f;       // 0.4-1.3
  float separatorWidth = 14.0f;      // 8-28; stored only, the separator has a fixed size
  float tooltipDelayMs = 110.0f;     // 0-800
  float hideRevealDelayMs = 120.0f;  // 0-1000
  std::wstring dockPosition = L"bottom";  // "bottom", "left", "right"
  bool followMouseMonitor = false;
  std::wstring taskbarMode = L"hide";  // "keep", "hide", "appbar"
  bool showLaunchpadIcon = true;
  bool showDockMusic = true;
  bool showDockTray = true;
  bool showDockPower = true;
  bool showRecycleBin = true;
  bool showDownloadsStack = true;
  bool showRunningUnpinned = true;
  bool enableBounce = true;
  bool enableTooltip = true;
  bool enableWindowPreview = true;
  bool enableMinimizeAnim = true;
  bool smartHide = false;
  bool hideOnFullscreen = true;
  bool stageManagerEnabled = false;
  bool stageManagerAutoHide = true;
  std::int32_t stageManagerMaxGroups = 5;  // 3-7
  bool replaceAltTabWithStage = false;
  std::wstring stageSwitcherHotkey = L"alt+tab";  // "alt+tab", "ctrl+alt+tab", "alt+q", "ctrl+alt+s"
  bool menuBarEnabled = true;
  bool menuBarReserveTop = false;
  bool showNotificationBanners = true;
  bool desktopWidgetsEnabled = false;
  std::wstring weatherCity;
  std::vector<WidgetConfig> widgets;
  std::wstring quickNote;
  bool enableGlobalHotkeys = true;
  bool enableHotCorners = false;
  std::vector<DockItemConfig> pinned;  // in dock order

  // Lets the dock redo only what a settings change touched.
  bool operator==(const DockConfig&) const = default;
};

}  // namespace orvane
