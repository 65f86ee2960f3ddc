#include "system/win32/Win32AppBarPlatform.h"

#include <windows.h>
#include <shellapi.h>

#include "system/win32/Win32WindowSystem.h"

namespace orvane {
namespace {

static_assert(static_cast<UINT>(AppBarEdge::Left) == ABE_LEFT && static_cast<UINT>(AppBarEdge::Top) == ABE_TOP &&
              static_cast<UINT>(AppBarEdge::Right) == ABE_RIGHT &&
              static_cast<UINT>(AppBarEdge::Bottom) == ABE_BOTTOM);
static_assert(kAppBarStateChanged == ABN_STATECHANGE && kAppBarPosChanged == ABN_POSCHANGED &&
              kAppBarFullScreenApp == ABN_FULLSCREENAPP && kAppBarWindowArrange == ABN_WINDOWARRANGE);

APPBARDATA DataFor(WindowHandle window) {
  APPBARDATA data{};
  data.cbSize = sizeof(data);
  data.hWnd = ToHwnd(window);
  return data;
}

// ABM_QUERYPOS and ABM_SETPOS both answer in the rectangle they were given.
ScreenRect Position(DWORD message, WindowHandle window, AppBarEdge edge, const ScreenRect& proposed) {
  APPBARDATA data = DataFor(window);
  data.uEdge = static_cast<UINT>(edge);
  data.rc = RECT{proposed.left, proposed.top, proposed.right, proposed.bottom};
  SHAppBarMessage(message, &data);
  return ScreenRect{data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
}

}  // namespace

bool Win32AppBarPlatform::New(WindowHandle window, std::uint32_t callbackMessage) {
  APPBARDATA data = DataFor(window);
  data.uCallbackMessage = callbackMessage;
  return SHAppBarMessage(ABM_NEW, &data) != FALSE;
}

ScreenRect Win32AppBarPlatform::QueryPos(WindowHandle window, AppBarEdge edge, const ScreenRect& proposed) {
  return Position(ABM_QUERYPOS, window, edge, proposed);
}

ScreenRect Win32AppBarPlatform::SetPos(WindowHandle window, AppBarEdge edge, const ScreenRect& proposed) {
  return Position(ABM_SETPOS, window, edge, proposed);
}

void Win32AppBarPlatform::Remove(WindowHandle window) {
  APPBARDATA data = DataFor(window);
  SHAppBarMessage(ABM_REMOVE, &data);
}

}  // namespace orvane
