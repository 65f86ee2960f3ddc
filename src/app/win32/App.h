#pragma once
// The application object: prepares the data folders and the log, loads the
// configuration, creates the dock and runs the one message loop.
#include <windows.h>

#include "app/win32/FramePlatformWin32.h"
#include "shell/win32/DockWindow.h"

namespace orvane {

class App {
 public:
  // Returns the exit code: the WM_QUIT value, or 1 when GetMessage failed.
  // Exceptions from creating or running the dock propagate to the caller.
  int Run(HINSTANCE instance);

  CompositorClockWait waitForCompositorClock = nullptr;
  double secondsPerTick = 0.0;
  DockWindow dock;
  bool framesRequested = true;  // the first pass after Create runs a frame
};

}  // namespace orvane
