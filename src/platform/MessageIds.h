#pragma once
// Every private window message, window timer and hotkey id the program uses,
// in one place so no two features pick the same number. Plain numbers: the
// portable code that decodes these messages must not see <windows.h>.

#include <cstdint>

namespace orvane {

// --- private messages (WM_APP + n) ------------------------------------------------

inline constexpr std::uint32_t kAppMessageBase = 0x8000;  // WM_APP

// The status-area icon's callback message.
inline constexpr std::uint32_t kStatusIconMessage = kAppMessageBase + 1;
// SHChangeNotifyRegister delivery for the recycle bin.
inline constexpr std::uint32_t kRecycleBinChangedMessage = kAppMessageBase + 2;
// The window tracker's hooks: the window list may be stale.
inline constexpr std::uint32_t kTrackerChangedMessage = kAppMessageBase + 3;
// The dock's command message; other programs send it by this value.
inline constexpr std::uint32_t kDockCommandMessage = kAppMessageBase + 10;
// Files dropped on the recycle bin, recycled once the drop has returned.
inline constexpr std::uint32_t kRecycleDroppedMessage = kAppMessageBase + 11;
// Render window: answers the number of frame steps run since start (for the
// cost measurements; a frame step at rest is a fault).
inline constexpr std::uint32_t kFrameCountQueryMessage = kAppMessageBase + 12;
// Render window: the icon service has icons for the dock.
inline constexpr std::uint32_t kIconsArrivedMessage = kAppMessageBase + 13;
// Menu bar window: where a slot is, for tests (wParam: the slot's kind;
// lParam 0: its left edge, 1: its width, in client pixels; -1 when absent).
inline constexpr std::uint32_t kMenuBarSlotQueryMessage = kAppMessageBase + 14;
// Render window: the brightness worker has a result for the menu bar.
inline constexpr std::uint32_t kBrightnessArrivedMessage = kAppMessageBase + 15;
// The taskbar controller's appbar notifications (ABM_NEW callback message).
inline constexpr std::uint32_t kAppBarCallbackMessage = kAppMessageBase + 20;
// The menu bar's appbar notifications.
inline constexpr std::uint32_t kMenuBarAppBarMessage = kAppMessageBase + 0x1F;
// The keyboard hook's switcher events (wParam: tab, shift+tab, Alt released).
inline constexpr std::uint32_t kSwitcherHookMessage = kAppMessageBase + 41;

// --- window timers ----------------------------------------------------------------

// The render window: the coalesced tracker refresh (one-shot; re-arming
// delays it) and the periodic duties.
inline constexpr std::uintptr_t kTrackerTimerId = 1;
inline constexpr unsigned kTrackerTimerDelayMs = 45;
inline constexpr std::uintptr_t kPeriodicTimerId = 2;
inline constexpr unsigned kPeriodicTimerIntervalMs = 260;

// The surfaces' own refresh timers, each on its own window.
inline constexpr std::uintptr_t kMenuBarTimerId = 101;
inline constexpr std::uintptr_t kNotificationPanelTimerId = 201;
inline constexpr std::uintptr_t kNotificationBannerTimerId = 202;
inline constexpr std::uintptr_t kWidgetsTimerId = 301;
inline constexpr std::uintptr_t kControlCenterTimerId = 501;

// --- hotkey ids (RegisterHotKey on the render window) -----------------------------

inline constexpr int kLauncherGridHotkeyId = 9101;
inline constexpr int kWindowOverviewHotkeyId = 9102;
inline constexpr int kStageManagerHotkeyId = 9103;
inline constexpr int kLauncherGridAltHotkeyId = 9104;
inline constexpr int kControlCenterHotkeyId = 9105;
inline constexpr int kNotificationCenterHotkeyId = 9106;
inline constexpr int kNativeTaskbarHotkeyId = 9107;
inline constexpr int kSwitcherHotkeyId = 9109;

}  // namespace orvane
