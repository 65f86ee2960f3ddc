#pragma once
// Asking a running main program to quit before its file is replaced or removed.

#include "SetupPlatform.h"

namespace orvane {

inline constexpr int kCloseWaitPolls = 20;
inline constexpr unsigned kCloseWaitStepMs = 100;

// Posts WM_CLOSE to the main program's render window, then polls every
// 100 ms, at most 20 times, until the window is gone and its process has
// ended. The window disappears during shutdown while the process is still
// restoring the taskbar and holding its executable open, so the window alone
// is not enough. A process that cannot be opened is not waited for. After the
// budget the setup goes on regardless.
void CloseRunningInstance(SetupPlatform& platform);

}  // namespace orvane
