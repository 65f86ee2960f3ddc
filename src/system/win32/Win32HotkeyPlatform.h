#pragma once
// HotkeyManager's platform on Windows: RegisterHotKey, the WH_KEYBOARD_LL
// hook, PostMessageW to the render window, GetCursorPos and the monitor
// rectangle. The hook runs on the thread that installs it (the UI thread)
// and forwards each event to HotkeyManager::Designated().

#include <windows.h>

#include "system/HotkeyPlatform.h"

namespace orvane {

class Win32HotkeyPlatform : public HotkeyPlatform {
 public:
  Win32HotkeyPlatform() = default;
  ~Win32HotkeyPlatform() override;
  Win32HotkeyPlatform(const Win32HotkeyPlatform&) = delete;
  Win32HotkeyPlatform& operator=(const Win32HotkeyPlatform&) = delete;

  bool RegisterHotkey(WindowHandle window, const HotkeyRegistration& hotkey) override;
  void UnregisterHotkey(WindowHandle window, int id) override;
  bool InstallKeyboardHook() override;
  void RemoveKeyboardHook() override;
  void PostSwitcherMessage(WindowHandle window, std::uintptr_t wParam) override;
  std::optional<CursorPoint> CursorPosition() override;
  std::optional<ScreenRect> MonitorRect(MonitorHandle monitor) override;

 private:
  HHOOK hook_ = nullptr;
};

}  // namespace orvane
