#pragma once
// Smart hide's question: does any application window cover the dock?

#include <cstdint>

#include "system/WindowSystem.h"

namespace orvane {

struct OverlapQuery {
  std::uint32_t ownProcessId = 0;
  MonitorHandle monitor = 0;
  ScreenRect monitorRect;
  ScreenRect dockRect;       // screen pixels
  bool fullscreen = false;   // filled by the caller
  bool overlap = false;      // set by FindOverlappingWindow
};

// Walks the top-level windows and sets query.overlap at the first application
// window whose bounds intersect the dock rectangle. Unlike the tracking
// filter, owned and no-activate windows count: a dialog over the dock covers it.
void FindOverlappingWindow(WindowSystem& system, OverlapQuery& query);

}  // namespace orvane
