#pragma once
// The monitors of the desktop: their rectangles, work areas and DPI scales,
// which monitor holds a point or a window, and the pointer. The service keeps
// the list read at the last Refresh; its owner calls Refresh after a display
// or DPI change and the listeners hear about it when anything changed.
//
// Monitor handles are only valid until the next change of the display
// layout, so nothing is kept by handle across a refresh: a lookup by a handle
// the latest list does not hold answers the primary monitor, never the data
// of a monitor that has gone. Windows: win32/Win32DisplayPlatform; tests and
// the preview tool: headless/FakeDisplayPlatform. UI thread only.

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/ScreenTypes.h"

namespace orvane {

struct DisplayMonitor {
  MonitorHandle handle = 0;
  ScreenRect rect;      // the whole monitor
  ScreenRect workArea;  // without the taskbar and appbars
  float scale = 1.0f;   // effective DPI / 96
  bool primary = false;
  bool operator==(const DisplayMonitor&) const = default;
};

// The effective DPI of the monitor / 96 when it is known (non-zero), else
// the window's DPI / 96, else 1.
float DpiScale(std::optional<unsigned> monitorDpi, unsigned windowDpi);

// The monitor MonitorFromPoint(MONITOR_DEFAULTTONEAREST) picks from a list:
// the one holding the point, else the one whose edge is closest (the first
// of equals). Nothing for an empty list.
std::optional<std::size_t> NearestMonitorIndex(const std::vector<DisplayMonitor>& monitors, ScreenPoint point);

// What the service asks of the system.
class DisplayPlatform {
 public:
  virtual ~DisplayPlatform() = default;
  // Every monitor in the system's order; the primary one is flagged.
  virtual std::vector<DisplayMonitor> EnumerateMonitors() = 0;
  // The monitor holding the point, else the nearest; 0 when unknown.
  virtual MonitorHandle MonitorAtPoint(ScreenPoint point) = 0;
  // The monitor holding most of the window, else the nearest; 0 when unknown.
  virtual MonitorHandle MonitorOfWindow(WindowHandle window) = 0;
  virtual std::optional<ScreenPoint> PointerPosition() = 0;
};

class DisplayService {
 public:
  using ListenerId = int;

  // Reads the monitors once.
  explicit DisplayService(DisplayPlatform& platform);
  DisplayService(const DisplayService&) = delete;
  DisplayService& operator=(const DisplayService&) = delete;

  // Reads the monitors again; true (and the listeners are told) when the
  // list differs from the one before.
  bool Refresh();

  const std::vector<DisplayMonitor>& Monitors() const { return monitors_; }
  // The flagged primary monitor, else the first; a 1920 x 1080 stand-in at
  // scale 1 when the system reported no monitor at all.
  DisplayMonitor Primary() const;
  // Handle 0, or a handle the latest list does not hold, is the primary.
  DisplayMonitor Find(MonitorHandle monitor) const;
  bool Holds(MonitorHandle monitor) const { return IndexOf(monitor).has_value(); }
  DisplayMonitor FromPoint(ScreenPoint point) const;
  // An unknown window is on the primary monitor.
  DisplayMonitor FromWindow(WindowHandle window) const;
  std::optional<ScreenPoint> PointerPosition() const { return platform_.PointerPosition(); }
  // The monitor under the pointer; the primary when the pointer is unknown.
  DisplayMonitor UnderPointer() const;

  ListenerId AddListener(std::function<void()> listener);
  void RemoveListener(ListenerId id);

 private:
  std::optional<std::size_t> IndexOf(MonitorHandle monitor) const;

  DisplayPlatform& platform_;
  std::vector<DisplayMonitor> monitors_;
  std::vector<std::pair<ListenerId, std::function<void()>>> listeners_;
  ListenerId nextListener_ = 1;
};

}  // namespace orvane
