#include "system/win32/Win32Connectivity.h"

#include <windows.h>
#include <wininet.h>

namespace orvane {

bool InternetConnected() {
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace orvane
