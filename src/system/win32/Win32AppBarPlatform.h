#pragma once
// AppBar's platform on Windows: SHAppBarMessage with an APPBARDATA per call.
// The shell posts its notifications to the registered window with the
// callback message given at registration.

#include "system/AppBar.h"

namespace orvane {

class Win32AppBarPlatform : public AppBarPlatform {
 public:
  bool New(WindowHandle window, std::uint32_t callbackMessage) override;
  ScreenRect QueryPos(WindowHandle window, AppBarEdge edge, const ScreenRect& proposed) override;
  ScreenRect SetPos(WindowHandle window, AppBarEdge edge, const ScreenRect& proposed) override;
  void Remove(WindowHandle window) override;
};

}  // namespace orvane
