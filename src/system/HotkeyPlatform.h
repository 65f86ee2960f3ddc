#pragma once
// What HotkeyManager asks of the platform. Windows: win32/Win32HotkeyPlatform;
// tests: FakeHotkeyPlatform. Failures are reported, never thrown: a shortcut
// that cannot be had simply does nothing.

#include <cstdint>
#include <optional>

#include "system/HotCorners.h"
#include "system/WindowHandle.h"
#include "system/WindowSystem.h"

namespace orvane {

class HotkeyPlatform {
 public:
  virtual ~HotkeyPlatform() = default;

  // RegisterHotKey; false when the combination is taken.
  virtual bool RegisterHotkey(WindowHandle window, const HotkeyRegistration& hotkey) = 0;
  virtual void UnregisterHotkey(WindowHandle window, int id) = 0;

  // SetWindowsHookExW(WH_KEYBOARD_LL) for all threads; its events go to
  // HotkeyManager::Designated(). False when the hook could not be installed.
  virtual bool InstallKeyboardHook() = 0;
  virtual void RemoveKeyboardHook() = 0;
  // PostMessageW(window, kSwitcherHookMessage, wParam, 0).
  virtual void PostSwitcherMessage(WindowHandle window, std::uintptr_t wParam) = 0;

  virtual std::optional<CursorPoint> CursorPosition() = 0;  // GetCursorPos
  // The monitor's full rectangle (not the work area); the primary monitor
  // for 0. Nothing when it cannot be read.
  virtual std::optional<ScreenRect> MonitorRect(MonitorHandle monitor) = 0;
};

}  // namespace orvane
