#pragma once
// Hotkeys, a keyboard hook, a pointer and monitors held in memory, for tests
// and the preview tool. Registration fails as RegisterHotKey does when the
// key combination is already registered, by any window or id.

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "system/HotkeyPlatform.h"

namespace orvane {

class FakeHotkeyPlatform : public HotkeyPlatform {
 public:
  struct Registered {
    WindowHandle window = kNoWindow;
    HotkeyRegistration hotkey;
  };

  bool RegisterHotkey(WindowHandle window, const HotkeyRegistration& hotkey) override;
  void UnregisterHotkey(WindowHandle window, int id) override;
  bool InstallKeyboardHook() override;
  void RemoveKeyboardHook() override;
  void PostSwitcherMessage(WindowHandle window, std::uintptr_t wParam) override;
  std::optional<CursorPoint> CursorPosition() override { return cursor; }
  std::optional<ScreenRect> MonitorRect(MonitorHandle monitor) override;

  // The registration for id on window, if any.
  std::optional<HotkeyRegistration> Find(WindowHandle window, int id) const;

  std::vector<Registered> registered;      // in registration order
  std::vector<HotkeyRegistration> refused;  // attempts that failed
  // Combinations another program holds.
  std::vector<HotkeyRegistration> takenElsewhere;
  bool hookInstalled = false;
  int hookInstalls = 0;
  bool hookInstallFails = false;
  std::vector<std::pair<WindowHandle, std::uintptr_t>> posted;
  std::optional<CursorPoint> cursor;  // nothing: GetCursorPos fails
  MonitorHandle primaryMonitor = 1;
  std::map<MonitorHandle, ScreenRect> monitors{{1, {0, 0, 1920, 1080}}};
};

}  // namespace orvane
