#include "system/WindowFilters.h"

#include <array>

namespace orvane {
namespace {

constexpr std::array<std::wstring_view, 9> kShellWindowClasses = {
    L"Shell_TrayWnd",
    L"Shell_SecondaryTrayWnd",
    L"Progman",
    L"WorkerW",
    L"Windows.UI.Core.CoreWindow",
    L"ApplicationManager_DesktopShellWindow",
    L"MultitaskingViewFrame",
    L"ForegroundStaging",
    L"Xaml_WindowedPopupClass",
};

constexpr std::array<std::wstring_view, 4> kShellSurfaceClasses = {
    L"Progman",
    L"WorkerW",
    L"Shell_TrayWnd",
    L"Shell_SecondaryTrayWnd",
};

constexpr std::array<std::wstring_view, 8> kExcludedProcesses = {
    L"searchhost.exe",
    L"searchapp.exe",
    L"startmenuexperiencehost.exe",
    L"shellexperiencehost.exe",
    L"textinputhost.exe",
    L"lockapp.exe",
    L"widgets.exe",
    L"screencapturehost.exe",
};

template <std::size_t N>
bool IsOneOf(std::wstring_view value, const std::array<std::wstring_view, N>& list) {
  for (const std::wstring_view entry : list) {
    if (value == entry) return true;
  }
  return false;
}

bool HasFlag(std::uint32_t style, std::uint32_t flag) { return (style & flag) != 0; }

}  // namespace

bool IsTrackableWindow(WindowSystem& system, WindowHandle window, std::uint32_t ownProcessId) {
  if (!system.IsVisible(window)) return false;

  const std::uint32_t processId = system.ProcessIdOf(window);
  if (processId == 0 || processId == ownProcessId) return false;

  // WS_EX_APPWINDOW forces a taskbar button, so it overrides the three
  // "not an application window" signs.
  const std::uint32_t exStyle = system.ExtendedStyle(window);
  const bool appWindow = HasFlag(exStyle, kExStyleAppWindow);
  if (HasFlag(exStyle, kExStyleToolWindow) && !appWindow) return false;
  if (HasFlag(exStyle, kExStyleNoActivate) && !appWindow) return false;
  if (system.Owner(window) != kNoWindow && !appWindow) return false;

  // Cloaked windows live on another virtual desktop or are suspended store apps.
  const std::optional<std::uint32_t> cloaked = system.CloakedState(window);
  if (cloaked && *cloaked != 0) return false;

  const std::wstring className = system.ClassName(window, kTrackerClassNameBuffer);
  if (className.starts_with(kOwnWindowPrefix)) return false;
  if (IsOneOf(std::wstring_view(className), kShellWindowClasses)) return false;

  // A minimised window sits far off-screen, which must not count against it.
  if (system.IsIconic(window)) return true;
  const std::optional<ScreenRect> rect = system.WindowRect(window);
  return !(rect && rect->IsEmpty());
}

bool IsShellSurfaceWindow(WindowSystem& system, WindowHandle window) {
  const std::wstring className = system.ClassName(window, kShellSurfaceClassNameBuffer);
  return className.starts_with(kOwnWindowPrefix) || IsOneOf(std::wstring_view(className), kShellSurfaceClasses);
}

bool IsExcludedShellProcess(std::wstring_view fileNameLower) { return IsOneOf(fileNameLower, kExcludedProcesses); }

}  // namespace orvane
