#pragma once
// The dock's view of the desktop on Windows: the monitor it stands on, the
// system calls behind clicks and file drops, and what the automatic hiding
// asks of the foreground window and the windows over the dock.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "dock/DockController.h"
#include "dock/DockHub.h"
#include "dock/DockReveal.h"
#include "platform/DisplayService.h"
#include "system/Launcher.h"
#include "system/WindowSystem.h"

namespace orvane {

// The monitor's rectangle and DPI scale as the display service read them at
// its last refresh; 0, or a monitor that has gone, is the primary one.
DockMonitorInfo DescribeDockMonitor(const DisplayService& display, MonitorHandle monitor);
// The monitor under the pointer (the nearest one).
MonitorHandle MonitorUnderPointer(const DisplayService& display);

class Win32DockClickPlatform final : public DockClickPlatform {
 public:
  // Recycling runs after the drop has returned to the program that started
  // the drag, so a question from the shell never holds that program up:
  // `queueRecycle` hands the paths to the window procedure.
  Win32DockClickPlatform(Launcher& launcher, WindowSystem& system,
                         std::function<void(std::vector<std::wstring>)> queueRecycle);

  bool Launch(const std::wstring& target, const std::wstring& arguments) override;
  void ActivateWindow(WindowHandle window) override;
  WindowHandle ToggleAppWindows(const std::vector<WindowHandle>& windows) override;
  std::optional<ScreenRect> RestingWindowRect(WindowHandle window) override;
  bool ShiftHeld() override;
  std::wstring ExpandEnvironment(const std::wstring& text) override;
  bool IsDirectory(const std::wstring& path) override;
  void RecycleFiles(const std::vector<std::wstring>& paths) override;
  void ReleaseMemory() override;

 private:
  Launcher& launcher_;
  WindowSystem& system_;
  std::function<void(std::vector<std::wstring>)> queueRecycle_;
};

// Full screen: the shell's notification state, else a foreground window of
// another program that covers the whole monitor. Overlap: another
// program's window over the dock rectangle.
class Win32DockHideProbe final : public DockHideProbe {
 public:
  Win32DockHideProbe(WindowSystem& system, HMONITOR monitor, const ScreenRect& monitorRect, const ScreenRect& dockRect);
  bool FullScreen() override;
  bool Overlapping() override;

 private:
  WindowSystem& system_;
  HMONITOR monitor_;
  ScreenRect monitorRect_;
  ScreenRect dockRect_;
};

}  // namespace orvane
