#pragma once
// A desktop of monitors for tests and the preview tool. Lookups answer as
// the system does: a point or window off every monitor goes to the nearest
// one, an unknown window to none. Changing `monitors` is like plugging
// displays in or out: the service sees it at its next Refresh.

#include <map>
#include <optional>
#include <vector>

#include "platform/DisplayService.h"

namespace orvane {

class FakeDisplayPlatform final : public DisplayPlatform {
 public:
  std::vector<DisplayMonitor> EnumerateMonitors() override { return monitors; }
  MonitorHandle MonitorAtPoint(ScreenPoint point) override;
  MonitorHandle MonitorOfWindow(WindowHandle window) override;
  std::optional<ScreenPoint> PointerPosition() override { return pointer; }

  // One 1920 x 1080 primary monitor at scale 1, handle 1.
  std::vector<DisplayMonitor> monitors{{1, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1.0f, true}};
  std::optional<ScreenPoint> pointer = ScreenPoint{960, 540};
  std::map<WindowHandle, ScreenRect> windows;
};

}  // namespace orvane
