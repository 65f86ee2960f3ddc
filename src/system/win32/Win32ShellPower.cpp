#include <windows.h>
#include <powrprof.h>
#include <shellapi.h>
#include <shlobj.h>

#include "system/win32/Win32SystemControls.h"

namespace orvane {
namespace {

// Sleeping needs the shutdown privilege, which a user's token holds but
// keeps disabled. Best effort: SetSuspendState reports the failure if this
// does not help.
void EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  }
  CloseHandle(token);
}

}  // namespace

std::optional<RecycleBinInfo> Win32SystemControlsPlatform::QueryRecycleBin() {
  SHQUERYRBINFO info{};
  info.cbSize = sizeof(info);
  if (FAILED(SHQueryRecycleBinW(nullptr, &info))) return std::nullopt;
  return RecycleBinInfo{info.i64NumItems, info.i64Size};
}

bool Win32SystemControlsPlatform::EmptyRecycleBin(WindowHandle owner) {
  return SUCCEEDED(SHEmptyRecycleBinW(reinterpret_cast<HWND>(owner), nullptr, 0));
}

void Win32SystemControlsPlatform::DeregisterShellNotify(std::uint32_t registration) {
  SHChangeNotifyDeregister(registration);
}

std::optional<PowerStatusInfo> Win32SystemControlsPlatform::PowerStatus() {
  SYSTEM_POWER_STATUS status{};
  if (!GetSystemPowerStatus(&status)) return std::nullopt;
  return PowerStatusInfo{status.ACLineStatus, status.BatteryFlag, status.BatteryLifePercent};
}

bool Win32SystemControlsPlatform::LockWorkStation() { return ::LockWorkStation() != FALSE; }

bool Win32SystemControlsPlatform::Suspend() {
  EnableShutdownPrivilege();
  return SetSuspendState(FALSE, FALSE, FALSE) != FALSE;
}

bool Win32SystemControlsPlatform::LogOff() { return ExitWindowsEx(EWX_LOGOFF, 0) != FALSE; }

bool Win32SystemControlsPlatform::RunHidden(const std::wstring& file, const std::wstring& parameters) {
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), parameters.c_str(), nullptr, SW_HIDE);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace orvane
