#include "render/win32/HostBackdrop.h"

#include <dwmapi.h>

namespace orvane {

// DWMWINDOWATTRIBUTE value of DWMWA_USE_HOSTBACKDROPBRUSH (Windows 11 SDK).
constexpr DWORD kDwmUseHostBackdropBrush = 17;

void EnableHostBackdrop(HWND window) {
  const BOOL enable = TRUE;
  DwmSetWindowAttribute(window, kDwmUseHostBackdropBrush, &enable, sizeof(enable));
}

}  // namespace orvane
