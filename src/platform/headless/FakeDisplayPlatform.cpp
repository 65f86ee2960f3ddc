#include "platform/headless/FakeDisplayPlatform.h"

#include <algorithm>
#include <cstdint>

namespace orvane {

MonitorHandle FakeDisplayPlatform::MonitorAtPoint(ScreenPoint point) {
  const auto index = NearestMonitorIndex(monitors, point);
  return index ? monitors[*index].handle : 0;
}

MonitorHandle FakeDisplayPlatform::MonitorOfWindow(WindowHandle window) {
  const auto found = windows.find(window);
  if (found == windows.end()) return 0;
  const ScreenRect& w = found->second;
  // The largest overlap wins; a window on no monitor goes to the one
  // nearest its centre.
  MonitorHandle best = 0;
  std::int64_t bestArea = 0;
  for (const DisplayMonitor& m : monitors) {
    const std::int64_t width = std::min(w.right, m.rect.right) - std::max(w.left, m.rect.left);
    const std::int64_t height = std::min(w.bottom, m.rect.bottom) - std::max(w.top, m.rect.top);
    if (width > 0 && height > 0 && width * height > bestArea) {
      best = m.handle;
      bestArea = width * height;
    }
  }
  if (best != 0) return best;
  return MonitorAtPoint(ScreenPoint{w.left + w.Width() / 2, w.top + w.Height() / 2});
}

}  // namespace orvane
