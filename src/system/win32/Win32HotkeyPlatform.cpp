#include "system/win32/Win32HotkeyPlatform.h"

#include "system/HotkeyManager.h"
#include "system/win32/Win32WindowSystem.h"

namespace orvane {
namespace {

bool KeyHeld(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM message, LPARAM data) {
  HotkeyManager* manager = HotkeyManager::Designated();
  if (code == HC_ACTION && manager != nullptr) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    if (down || up) {
      HookKeyEvent event;
      event.virtualKey = key->vkCode;
      event.keyDown = down;
      event.altDown = (key->flags & LLKHF_ALTDOWN) != 0;
      // Only a Tab press needs the other modifiers; skip the reads otherwise
      // so the hook stays cheap for every other key.
      if (down && key->vkCode == VK_TAB) {
        event.controlDown = KeyHeld(VK_CONTROL);
        event.shiftDown = KeyHeld(VK_SHIFT);
        event.leftWinDown = KeyHeld(VK_LWIN);
        event.rightWinDown = KeyHeld(VK_RWIN);
      }
      if (manager->OnHookKey(event).swallow) return 1;
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

Win32HotkeyPlatform::~Win32HotkeyPlatform() { RemoveKeyboardHook(); }

bool Win32HotkeyPlatform::RegisterHotkey(WindowHandle window, const HotkeyRegistration& hotkey) {
  return RegisterHotKey(ToHwnd(window), hotkey.id, hotkey.modifiers, hotkey.virtualKey) != FALSE;
}

void Win32HotkeyPlatform::UnregisterHotkey(WindowHandle window, int id) { UnregisterHotKey(ToHwnd(window), id); }

bool Win32HotkeyPlatform::InstallKeyboardHook() {
  if (hook_ == nullptr) hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboardProc, GetModuleHandleW(nullptr), 0);
  return hook_ != nullptr;
}

void Win32HotkeyPlatform::RemoveKeyboardHook() {
  if (hook_ == nullptr) return;
  UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
}

void Win32HotkeyPlatform::PostSwitcherMessage(WindowHandle window, std::uintptr_t wParam) {
  PostMessageW(ToHwnd(window), kSwitcherHookMessage, static_cast<WPARAM>(wParam), 0);
}

std::optional<CursorPoint> Win32HotkeyPlatform::CursorPosition() {
  POINT point{};
  if (!GetCursorPos(&point)) return std::nullopt;
  return CursorPoint{point.x, point.y};
}

std::optional<ScreenRect> Win32HotkeyPlatform::MonitorRect(MonitorHandle monitor) {
  HMONITOR handle = reinterpret_cast<HMONITOR>(monitor);
  if (handle == nullptr) handle = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (handle == nullptr || !GetMonitorInfoW(handle, &info)) return std::nullopt;
  return ScreenRect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

}  // namespace orvane
