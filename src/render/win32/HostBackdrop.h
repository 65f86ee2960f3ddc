#pragma once
#include <windows.h>

namespace orvane {

// DWMWA_USE_HOSTBACKDROPBRUSH = TRUE on a window, before its composition
// target is created. Older systems refuse it; the host backdrop brush then
// stays unavailable and the glass falls back to its tint, so the result is
// ignored.
void EnableHostBackdrop(HWND window);

}  // namespace orvane
