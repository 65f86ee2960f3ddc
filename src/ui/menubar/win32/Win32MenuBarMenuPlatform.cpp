#include "ui/menubar/win32/Win32MenuBarMenuPlatform.h"

#include <knownfolders.h>

#include "app/win32/KnownFolder.h"

namespace orvane {

Win32MenuBarMenuPlatform::Win32MenuBarMenuPlatform(HWND owner, WindowSystem& system, const WindowTracker& tracker)
    : owner_(owner), system_(system), tracker_(tracker) {}

const std::vector<TrackedApp>& Win32MenuBarMenuPlatform::TrackedApps() { return tracker_.Apps(); }

void Win32MenuBarMenuPlatform::Minimize(WindowHandle window) { system_.ShowWindowAsync(window, SW_MINIMIZE); }

void Win32MenuBarMenuPlatform::Arrange(WindowHandle window, WindowArrangement mode) {
  ArrangeWindow(system_, window, mode);
}

std::wstring Win32MenuBarMenuPlatform::FolderPath(KnownFolder folder) {
  switch (folder) {
    case KnownFolder::Desktop: return KnownFolderPath(FOLDERID_Desktop);
    case KnownFolder::Documents: return KnownFolderPath(FOLDERID_Documents);
    case KnownFolder::Downloads: return KnownFolderPath(FOLDERID_Downloads);
  }
  return {};
}

void Win32MenuBarMenuPlatform::ShowInformation(const std::wstring& text, const std::wstring& caption) {
  MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_ICONINFORMATION | MB_OK);
}

}  // namespace orvane
