#include "dock/win32/Win32DockPlatform.h"

#include <objbase.h>
#include <shellapi.h>

#include "app/TextUtil.h"
#include "system/WindowActions.h"
#include "system/WindowFilters.h"
#include "system/WindowOverlap.h"
#include "system/win32/Win32WindowSystem.h"

namespace orvane {
namespace {

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

DockMonitorInfo DescribeDockMonitor(const DisplayService& display, MonitorHandle monitor) {
  const DisplayMonitor found = display.Find(monitor);
  return DockMonitorInfo{found.handle, found.rect, found.scale};
}

MonitorHandle MonitorUnderPointer(const DisplayService& display) { return display.UnderPointer().handle; }

// --- clicks and drops ---------------------------------------------------------------------

Win32DockClickPlatform::Win32DockClickPlatform(Launcher& launcher, WindowSystem& system,
                                               std::function<void(std::vector<std::wstring>)> queueRecycle)
    : launcher_(launcher), system_(system), queueRecycle_(std::move(queueRecycle)) {}

bool Win32DockClickPlatform::Launch(const std::wstring& target, const std::wstring& arguments) {
  return launcher_.Launch(target, arguments);
}

void Win32DockClickPlatform::ActivateWindow(WindowHandle window) { orvane::ActivateWindow(system_, window); }

WindowHandle Win32DockClickPlatform::ToggleAppWindows(const std::vector<WindowHandle>& windows) {
  return orvane::ToggleAppWindows(system_, windows);
}

std::optional<ScreenRect> Win32DockClickPlatform::RestingWindowRect(WindowHandle window) {
  return orvane::RestingWindowRect(system_, window);
}

bool Win32DockClickPlatform::ShiftHeld() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

std::wstring Win32DockClickPlatform::ExpandEnvironment(const std::wstring& text) {
  return text.find(L'%') == std::wstring::npos ? text : orvane::ExpandEnvironment(text);
}

bool Win32DockClickPlatform::IsDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void Win32DockClickPlatform::RecycleFiles(const std::vector<std::wstring>& paths) {
  if (queueRecycle_) queueRecycle_(paths);
}

void Win32DockClickPlatform::ReleaseMemory() {
  CoFreeUnusedLibraries();
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

// --- automatic hiding -------------------------------------------------------------------------

Win32DockHideProbe::Win32DockHideProbe(WindowSystem& system, HMONITOR monitor, const ScreenRect& monitorRect,
                                       const ScreenRect& dockRect)
    : system_(system), monitor_(monitor), monitorRect_(monitorRect), dockRect_(dockRect) {}

bool Win32DockHideProbe::FullScreen() {
  QUERY_USER_NOTIFICATION_STATE state{};
  const int notificationState = SUCCEEDED(SHQueryUserNotificationState(&state)) ? static_cast<int>(state) : 0;

  DockForegroundWindow foreground;
  const HWND window = GetForegroundWindow();
  if (window != nullptr) {
    const WindowHandle handle = FromHwnd(window);
    foreground.present = true;
    foreground.ownProcess = system_.ProcessIdOf(handle) == GetCurrentProcessId();
    foreground.minimised = IsIconic(window) != FALSE;
    // With nothing else in front the desktop window itself can hold the
    // foreground; it covers the monitor but is no application.
    foreground.shellSurface = window == GetDesktopWindow() || IsShellSurfaceWindow(system_, handle);
    RECT rect{};
    if (GetWindowRect(window, &rect)) foreground.rect = ToScreenRect(rect);
    foreground.onDockMonitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST) == monitor_;
  }
  return DockFullScreenDetected(notificationState, foreground, monitorRect_);
}

bool Win32DockHideProbe::Overlapping() {
  OverlapQuery query;
  query.ownProcessId = GetCurrentProcessId();
  query.monitor = reinterpret_cast<MonitorHandle>(monitor_);
  query.monitorRect = monitorRect_;
  query.dockRect = dockRect_;
  FindOverlappingWindow(system_, query);
  return query.overlap;
}

}  // namespace orvane
