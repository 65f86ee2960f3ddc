#pragma once
// The monitors as Windows reports them: EnumDisplayMonitors and
// GetMonitorInfoW for the rectangles, GetDpiForMonitor (shcore, bound at run
// time) for the scale, with the reference window's DPI where the monitor's
// cannot be read.

#include <windows.h>

#include "platform/DisplayService.h"

namespace orvane {

class Win32DisplayPlatform final : public DisplayPlatform {
 public:
  // The window whose DPI stands in for a monitor's unreadable one; may be
  // set later, once the window exists.
  explicit Win32DisplayPlatform(HWND referenceWindow = nullptr) : referenceWindow_(referenceWindow) {}
  void SetReferenceWindow(HWND window) { referenceWindow_ = window; }

  std::vector<DisplayMonitor> EnumerateMonitors() override;
  MonitorHandle MonitorAtPoint(ScreenPoint point) override;
  MonitorHandle MonitorOfWindow(WindowHandle window) override;
  std::optional<ScreenPoint> PointerPosition() override;

  // One monitor's description; nothing when GetMonitorInfoW fails.
  std::optional<DisplayMonitor> Describe(HMONITOR monitor) const;

 private:
  HWND referenceWindow_ = nullptr;
};

}  // namespace orvane
