#pragma once
// A top-level window as portable code sees it: the platform handle's bits in
// an integer (HWND on Windows, an id in the headless window system). Zero
// means "no window".

#include <cstdint>

namespace orvane {

using WindowHandle = std::uintptr_t;

inline constexpr WindowHandle kNoWindow = 0;

// A display monitor: HMONITOR bits on Windows. Zero means none (the display
// controls take it as the primary monitor).
using MonitorHandle = std::uintptr_t;

}  // namespace orvane
