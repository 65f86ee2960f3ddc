#include "RunningInstance.h"

namespace orvane {

void CloseRunningInstance(SetupPlatform& platform) {
  const WindowHandle window = platform.FindWindowOfClass(kRunningInstanceClass);
  if (window == 0) return;
  // Open the owner before posting: once the window is gone it can no longer
  // be asked for its process.
  const std::unique_ptr<WatchedProcess> process = platform.OpenWindowProcess(window);
  platform.PostCloseMessage(window);
  for (int poll = 0; poll < kCloseWaitPolls; ++poll) {
    platform.SleepMilliseconds(kCloseWaitStepMs);
    if (platform.WindowExists(window)) continue;
    if (!process || process->HasExited()) return;
  }
}

}  // namespace orvane
