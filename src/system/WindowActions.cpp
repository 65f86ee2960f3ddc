#include "system/WindowActions.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr double kCenteredShare = 0.82;
constexpr int kCenteredMinWidth = 420;
constexpr int kCenteredMinHeight = 300;
constexpr std::uint16_t kVirtualKeyA = 0x41;

bool IsLiveWindow(WindowSystem& system, WindowHandle window) {
  return window != kNoWindow && system.IsWindow(window);
}

}  // namespace

bool ActivateWindow(WindowSystem& system, WindowHandle window) {
  if (!IsLiveWindow(system, window)) return false;
  if (system.IsIconic(window)) system.ShowWindowAsync(window, kShowRestore);

  const WindowHandle foreground = system.ForegroundWindow();
  if (foreground == kNoWindow) {
    system.BringWindowToTop(window);
    return system.SetForegroundWindow(window);
  }
  // Windows lets a thread that shares the foreground thread's input take
  // the foreground; without that the lock refuses a background process.
  const std::uint32_t ours = system.CurrentThreadId();
  const std::uint32_t theirs = system.WindowThreadId(foreground);
  const bool attached = theirs != 0 && theirs != ours && system.AttachThreadInput(ours, theirs, true);
  system.BringWindowToTop(window);
  const bool result = system.SetForegroundWindow(window);
  if (attached) system.AttachThreadInput(ours, theirs, false);
  return result;
}

WindowHandle ToggleAppWindows(WindowSystem& system, const std::vector<WindowHandle>& windows) {
  std::vector<WindowHandle> live;
  for (const WindowHandle window : windows) {
    if (IsLiveWindow(system, window)) live.push_back(window);
  }
  if (live.empty()) return kNoWindow;

  const auto front = std::find(live.begin(), live.end(), system.ForegroundWindow());
  if (front != live.end()) {
    if (live.size() == 1) {
      system.ShowWindowAsync(live.front(), kShowMinimize);
      return live.front();
    }
    const std::size_t next = (static_cast<std::size_t>(front - live.begin()) + 1) % live.size();
    ActivateWindow(system, live[next]);
    return kNoWindow;
  }
  const auto shown = std::find_if(live.begin(), live.end(), [&](WindowHandle w) { return !system.IsIconic(w); });
  ActivateWindow(system, shown != live.end() ? *shown : live.front());
  return kNoWindow;
}

WindowSize CenteredWindowSize(const ScreenRect& workArea, const WindowSize& current) {
  const int width = static_cast<int>(kCenteredShare * workArea.Width());
  const int height = static_cast<int>(kCenteredShare * workArea.Height());
  return WindowSize{std::max(std::min(width, current.width), kCenteredMinWidth),
                    std::max(std::min(height, current.height), kCenteredMinHeight)};
}

ScreenRect ArrangedRect(const ScreenRect& workArea, WindowArrangement mode, const WindowSize& current) {
  const int workWidth = workArea.Width();
  const int half = workWidth / 2;
  switch (mode) {
    case WindowArrangement::LeftHalf:
      return ScreenRect{workArea.left, workArea.top, workArea.left + half, workArea.bottom};
    case WindowArrangement::RightHalf:
      return ScreenRect{workArea.left + half, workArea.top, workArea.right, workArea.bottom};
    case WindowArrangement::Centered:
    case WindowArrangement::Maximized:
      break;
  }
  const WindowSize size = CenteredWindowSize(workArea, current);
  const int left = workArea.left + (workWidth - size.width) / 2;
  const int top = workArea.top + (workArea.Height() - size.height) / 2;
  return ScreenRect{left, top, left + size.width, top + size.height};
}

std::optional<ScreenRect> RestingWindowRect(WindowSystem& system, WindowHandle window) {
  if (!system.IsIconic(window)) return system.WindowRect(window);
  const std::optional<WindowPlacement> placement = system.Placement(window);
  if (!placement) return std::nullopt;
  if (placement->restoresMaximized) {
    if (std::optional<ScreenRect> workArea = system.MonitorWorkArea(window)) return workArea;
  }
  return placement->normal;
}

void ArrangeWindow(WindowSystem& system, WindowHandle window, WindowArrangement mode) {
  if (!IsLiveWindow(system, window)) return;
  if (system.IsIconic(window)) system.ShowWindow(window, kShowRestore);
  const std::optional<ScreenRect> workArea = system.MonitorWorkArea(window);
  if (!workArea) return;

  if (mode == WindowArrangement::Maximized) {
    system.ShowWindow(window, kShowMaximized);
  } else {
    if (system.IsZoomed(window)) system.ShowWindow(window, kShowRestore);
    // An unreadable size does not limit the centred size.
    const std::optional<ScreenRect> rect = system.WindowRect(window);
    const WindowSize current = rect ? WindowSize{rect->Width(), rect->Height()} : WindowSize{workArea->Width(), workArea->Height()};
    system.SetWindowPos(window, ArrangedRect(*workArea, mode, current), kSwpShowWindow | kSwpNoZOrder);
  }
  ActivateWindow(system, window);
}

unsigned OpenQuickSettings(WindowSystem& system) {
  return system.SendKeyInputs({KeyStroke{kVirtualKeyLeftWindows, false}, KeyStroke{kVirtualKeyA, false},
                               KeyStroke{kVirtualKeyA, true}, KeyStroke{kVirtualKeyLeftWindows, true}});
}

}  // namespace orvane
