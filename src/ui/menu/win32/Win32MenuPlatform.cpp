#include "ui/menu/win32/Win32MenuPlatform.h"

#include <powrprof.h>
#include <shellapi.h>

#include "app/Log.h"

namespace orvane {

Win32MenuPlatform::Win32MenuPlatform(HWND owner, Launcher& launcher, WindowSystem& system)
    : owner_(owner), launcher_(launcher), system_(system) {}

bool Win32MenuPlatform::WindowExists(WindowHandle window) { return system_.IsWindow(window); }

void Win32MenuPlatform::PostClose(WindowHandle window) { system_.PostWindowMessage(window, WM_CLOSE); }

bool Win32MenuPlatform::Launch(const std::wstring& target, const std::wstring& arguments) {
  return launcher_.Launch(target, arguments);
}

bool Win32MenuPlatform::Confirm(const std::wstring& text, const std::wstring& caption, bool warning) {
  const UINT icon = warning ? MB_ICONWARNING : MB_ICONQUESTION;
  return MessageBoxW(owner_, text.c_str(), caption.c_str(), icon | MB_YESNO) == IDYES;
}

void Win32MenuPlatform::LockScreen() {
  if (!LockWorkStation()) Log(L"Menus: LockWorkStation failed (%u)", static_cast<unsigned>(GetLastError()));
}

void Win32MenuPlatform::Sleep() {
  // No hibernation, not forced, wake events allowed.
  if (!SetSuspendState(FALSE, FALSE, FALSE)) {
    Log(L"Menus: SetSuspendState failed (%u)", static_cast<unsigned>(GetLastError()));
  }
}

void Win32MenuPlatform::SignOut() {
  if (!ExitWindowsEx(EWX_LOGOFF, 0)) Log(L"Menus: ExitWindowsEx failed (%u)", static_cast<unsigned>(GetLastError()));
}

bool Win32MenuPlatform::RunShutdownCommand(const std::wstring& parameters) {
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", L"shutdown.exe", parameters.c_str(), nullptr, SW_HIDE);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace orvane
