#include "dock/win32/Win32DockMenuPlatform.h"

#include <commdlg.h>
#include <shellapi.h>

#include <utility>
#include <vector>

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

void Win32DockMenuPlatform::EditConfig(const std::function<void(DockConfig&)>& edit) {
  if (hooks_.editConfig) hooks_.editConfig(edit);
}

void Win32DockMenuPlatform::ReloadConfig() {
  if (hooks_.reloadConfig) hooks_.reloadConfig();
}

}  // namespace orvane
