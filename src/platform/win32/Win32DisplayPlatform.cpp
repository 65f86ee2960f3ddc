#include "platform/win32/Win32DisplayPlatform.h"

#include "platform/win32/SystemProc.h"

namespace orvane {
namespace {

// MDT_EFFECTIVE_DPI of GetDpiForMonitor.
constexpr int kEffectiveDpi = 0;

using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Both are newer than some systems the program meets.
const OptionalProc<GetDpiForMonitorFn> kGetDpiForMonitor{L"shcore.dll", "GetDpiForMonitor"};
const OptionalProc<GetDpiForWindowFn> kGetDpiForWindow{L"user32.dll", "GetDpiForWindow"};

ScreenRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
  reinterpret_cast<std::vector<HMONITOR>*>(context)->push_back(monitor);
  return TRUE;
}

}  // namespace

std::optional<DisplayMonitor> Win32DisplayPlatform::Describe(HMONITOR monitor) const {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) return std::nullopt;
  DisplayMonitor out;
  out.handle = reinterpret_cast<MonitorHandle>(monitor);
  out.rect = FromRect(info.rcMonitor);
  out.workArea = FromRect(info.rcWork);
  out.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  std::optional<unsigned> monitorDpi;
  if (const auto getDpi = kGetDpiForMonitor.Get()) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y))) monitorDpi = x;
  }
  unsigned windowDpi = 0;
  if (const auto getDpi = kGetDpiForWindow.Get(); getDpi != nullptr && referenceWindow_ != nullptr) {
    windowDpi = getDpi(referenceWindow_);
  }
  out.scale = DpiScale(monitorDpi, windowDpi);
  return out;
}

std::vector<DisplayMonitor> Win32DisplayPlatform::EnumerateMonitors() {
  std::vector<HMONITOR> handles;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&handles));
  std::vector<DisplayMonitor> monitors;
  for (HMONITOR handle : handles) {
    if (auto monitor = Describe(handle)) monitors.push_back(*monitor);
  }
  if (monitors.empty()) {
    // Without a readable monitor the primary screen's size still places things.
    DisplayMonitor screen;
    screen.handle = reinterpret_cast<MonitorHandle>(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    screen.rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    screen.workArea = screen.rect;
    screen.primary = true;
    monitors.push_back(screen);
  }
  return monitors;
}

MonitorHandle Win32DisplayPlatform::MonitorAtPoint(ScreenPoint point) {
  return reinterpret_cast<MonitorHandle>(MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST));
}

MonitorHandle Win32DisplayPlatform::MonitorOfWindow(WindowHandle window) {
  return reinterpret_cast<MonitorHandle>(MonitorFromWindow(reinterpret_cast<HWND>(window), MONITOR_DEFAULTTONEAREST));
}

std::optional<ScreenPoint> Win32DisplayPlatform::PointerPosition() {
  POINT point{};
  if (!GetCursorPos(&point)) return std::nullopt;
  return ScreenPoint{point.x, point.y};
}

}  // namespace orvane
