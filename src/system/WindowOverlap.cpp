#include "system/WindowOverlap.h"

#include <optional>

#include "system/WindowFilters.h"

namespace orvane {
namespace {

// The visible frame (DWM's bounds leave out the invisible resize borders),
// else the window rectangle; nullopt when neither is known or it is empty.
std::optional<ScreenRect> VisibleBounds(WindowSystem& system, WindowHandle window) {
  std::optional<ScreenRect> bounds = system.ExtendedFrameBounds(window);
  if (!bounds) bounds = system.WindowRect(window);
  if (!bounds || bounds->IsEmpty()) return std::nullopt;
  return bounds;
}

bool CountsForOverlap(WindowSystem& system, WindowHandle window, std::uint32_t ownProcessId) {
  if (!system.IsVisible(window)) return false;
  if (system.IsIconic(window)) return false;
  const std::uint32_t processId = system.ProcessIdOf(window);
  if (processId == 0 || processId == ownProcessId) return false;
  const std::uint32_t exStyle = system.ExtendedStyle(window);
  if ((exStyle & kExStyleToolWindow) != 0 && (exStyle & kExStyleAppWindow) == 0) return false;
  const std::optional<std::uint32_t> cloaked = system.CloakedState(window);
  if (cloaked && *cloaked != 0) return false;
  return !IsShellSurfaceWindow(system, window);
}

}  // namespace

void FindOverlappingWindow(WindowSystem& system, OverlapQuery& query) {
  query.overlap = false;
  system.EnumerateTopLevelWindows([&](WindowHandle window) {
    if (!CountsForOverlap(system, window, query.ownProcessId)) return true;
    const std::optional<ScreenRect> bounds = VisibleBounds(system, window);
    if (!bounds || !RectsIntersect(*bounds, query.dockRect)) return true;
    query.overlap = true;
    return false;
  });
}

}  // namespace orvane
