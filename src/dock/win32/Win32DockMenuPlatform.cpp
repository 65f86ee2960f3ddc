#include "dock/win32/Win32DockMenuPlatform.h"

#include <commdlg.h>
#include <powrprof.h>
#include <shellapi.h>

#include <utility>
#include <vector>

#include "app/Log.h"
#include "system/AppIdentity.h"
#include "system/WindowActions.h"

namespace orvane {
namespace {

constexpr std::size_t kPickerBufferChars = 520;

}  // namespace

Win32DockMenuPlatform::Win32DockMenuPlatform(HWND owner, Launcher& launcher, WindowSystem& system,
                                             DockMenuHooks hooks)
    : owner_(owner), launcher_(launcher), system_(system), hooks_(std::move(hooks)) {}

void Win32DockMenuPlatform::ActivateWindow(WindowHandle window) { orvane::ActivateWindow(system_, window); }

bool Win32DockMenuPlatform::WindowExists(WindowHandle window) { return system_.IsWindow(window); }

void Win32DockMenuPlatform::PostClose(WindowHandle window) { system_.PostWindowMessage(window, WM_CLOSE); }

std::uint32_t Win32DockMenuPlatform::OwnProcessId() { return GetCurrentProcessId(); }

ProcessIdentity Win32DockMenuPlatform::DescribeProcess(std::uint32_t processId) {
  const RunningProcessIdentity process = ReadProcessIdentity(system_, processId);
  return ProcessIdentity{process.exePathLower, system_.LowerCase(process.aumid)};
}

void Win32DockMenuPlatform::Terminate(std::uint32_t processId) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
  if (process == nullptr) return;
  TerminateProcess(process, 1);  // a failure leaves the program running; nothing more to do
  CloseHandle(process);
}

bool Win32DockMenuPlatform::Launch(const std::wstring& target, const std::wstring& arguments) {
  return launcher_.Launch(target, arguments);
}

void Win32DockMenuPlatform::RevealInExplorer(const std::wstring& target) { launcher_.RevealInExplorer(target); }

void Win32DockMenuPlatform::EmptyRecycleBin() {
  // The shell asks the user first; a refusal or an empty bin is not an error.
  SHEmptyRecycleBinW(owner_, nullptr, 0);
}

std::optional<std::wstring> Win32DockMenuPlatform::PickCustomIcon() {
  std::vector<wchar_t> path(kPickerBufferChars, L'\0');
  // Pairs of display text and pattern, each ending in a NUL, the list in two.
  static const wchar_t kFilter[] =
      L"图标与图片 (*.png;*.ico;*.jpg;*.bmp)\0*.png;*.ico;*.jpg;*.jpeg;*.bmp\0所有文件 (*.*)\0*.*\0";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = kFilter;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = L"选择自定义图标";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return std::wstring(path.data());
}

void Win32DockMenuPlatform::Media(MediaKey key) {
  if (hooks_.media) hooks_.media(key);
}

bool Win32DockMenuPlatform::Confirm(const std::wstring& text, const std::wstring& caption, bool warning) {
  const UINT icon = warning ? MB_ICONWARNING : MB_ICONQUESTION;
  return MessageBoxW(owner_, text.c_str(), caption.c_str(), icon | MB_YESNO) == IDYES;
}

void Win32DockMenuPlatform::LockScreen() {
  if (!LockWorkStation()) Log(L"DockMenus: LockWorkStation failed (%u)", static_cast<unsigned>(GetLastError()));
}

void Win32DockMenuPlatform::Sleep() {
  // No hibernation, not forced, wake events allowed.
  if (!SetSuspendState(FALSE, FALSE, FALSE)) {
    Log(L"DockMenus: SetSuspendState failed (%u)", static_cast<unsigned>(GetLastError()));
  }
}

void Win32DockMenuPlatform::SignOut() {
  if (!ExitWindowsEx(EWX_LOGOFF, 0)) Log(L"DockMenus: ExitWindowsEx failed (%u)", static_cast<unsigned>(GetLastError()));
}

bool Win32DockMenuPlatform::RunShutdownCommand(const std::wstring& parameters) {
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", L"shutdown.exe", parameters.c_str(), nullptr, SW_HIDE);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32DockMenuPlatform::EditConfig(const std::function<void(DockConfig&)>& edit) {
  if (hooks_.editConfig) hooks_.editConfig(edit);
}

void Win32DockMenuPlatform::ReloadConfig() {
  if (hooks_.reloadConfig) hooks_.reloadConfig();
}

}  // namespace orvane
