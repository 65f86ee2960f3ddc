#pragma once
// The window actions every surface shares: bring a window to the front
// against the foreground lock, toggle an app between front and minimised
// (cycling through its windows), place a window in its monitor's work area,
// and open the system quick-settings flyout.

#include <optional>
#include <vector>

#include "system/WindowSystem.h"

namespace orvane {

enum class WindowArrangement {
  Centered = 0,
  LeftHalf = 1,
  RightHalf = 2,
  Maximized = 3,
};

// Restores a minimised window and makes it the foreground window, attaching
// to the foreground thread's input for the call. The SetForegroundWindow result.
bool ActivateWindow(WindowSystem& system, WindowHandle window);

// A click on a running app; windows are the app's, topmost first. Its only
// window in front is minimised; with several, the one after the front one is
// activated; an app in the background comes forward with its first window
// that is not minimised. Returns the window it minimised, else kNoWindow.
WindowHandle ToggleAppWindows(WindowSystem& system, const std::vector<WindowHandle>& windows);

// Where the window stands, or, when it is minimised (and its own rectangle
// lies far off screen), where it stood: its restored rectangle, or its
// monitor's work area when it comes back maximised. nullopt when unknown.
std::optional<ScreenRect> RestingWindowRect(WindowSystem& system, WindowHandle window);

// The centred size: 82% of the work area but no larger than the window is
// now, and never below 420 x 300.
struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};
WindowSize CenteredWindowSize(const ScreenRect& workArea, const WindowSize& current);

// Where a window goes for an arrangement other than Maximized.
ScreenRect ArrangedRect(const ScreenRect& workArea, WindowArrangement mode, const WindowSize& current);

void ArrangeWindow(WindowSystem& system, WindowHandle window, WindowArrangement mode);

// Win+A; the number of inputs the system accepted (4 on success).
unsigned OpenQuickSettings(WindowSystem& system);

}  // namespace orvane
