#include "system/FakeHotkeyPlatform.h"

#include <algorithm>

namespace orvane {
namespace {

// MOD_NOREPEAT changes delivery, not the combination.
bool SameKeys(const HotkeyRegistration& a, const HotkeyRegistration& b) {
  return (a.modifiers & ~kModNoRepeat) == (b.modifiers & ~kModNoRepeat) && a.virtualKey == b.virtualKey;
}

}  // namespace

bool FakeHotkeyPlatform::RegisterHotkey(WindowHandle window, const HotkeyRegistration& hotkey) {
  const bool taken =
      std::any_of(registered.begin(), registered.end(), [&](const Registered& r) { return SameKeys(r.hotkey, hotkey); }) ||
      std::any_of(takenElsewhere.begin(), takenElsewhere.end(),
                  [&](const HotkeyRegistration& r) { return SameKeys(r, hotkey); });
  if (taken) {
    refused.push_back(hotkey);
    return false;
  }
  registered.push_back({window, hotkey});
  return true;
}

void FakeHotkeyPlatform::UnregisterHotkey(WindowHandle window, int id) {
  const auto it = std::find_if(registered.begin(), registered.end(),
                               [&](const Registered& r) { return r.window == window && r.hotkey.id == id; });
  if (it != registered.end()) registered.erase(it);
}

bool FakeHotkeyPlatform::InstallKeyboardHook() {
  if (hookInstallFails) return false;
  hookInstalled = true;
  ++hookInstalls;
  return true;
}

void FakeHotkeyPlatform::RemoveKeyboardHook() { hookInstalled = false; }

void FakeHotkeyPlatform::PostSwitcherMessage(WindowHandle window, std::uintptr_t wParam) {
  posted.emplace_back(window, wParam);
}

std::optional<ScreenRect> FakeHotkeyPlatform::MonitorRect(MonitorHandle monitor) {
  const auto it = monitors.find(monitor == 0 ? primaryMonitor : monitor);
  if (it == monitors.end()) return std::nullopt;
  return it->second;
}

std::optional<HotkeyRegistration> FakeHotkeyPlatform::Find(WindowHandle window, int id) const {
  for (const Registered& r : registered) {
    if (r.window == window && r.hotkey.id == id) return r.hotkey;
  }
  return std::nullopt;
}

}  // namespace orvane
