#include "system/AppBar.h"

#include <algorithm>

namespace orvane {
namespace {

// rect cut down to `thickness` pixels, measured inwards from its side on edge.
ScreenRect StripAlong(ScreenRect rect, AppBarEdge edge, int thickness) {
  switch (edge) {
    case AppBarEdge::Left:
      rect.right = rect.left + thickness;
      break;
    case AppBarEdge::Top:
      rect.bottom = rect.top + thickness;
      break;
    case AppBarEdge::Right:
      rect.left = rect.right - thickness;
      break;
    case AppBarEdge::Bottom:
      rect.top = rect.bottom - thickness;
      break;
  }
  return rect;
}

}  // namespace

AppBar::AppBar(AppBarPlatform& platform, std::uint32_t callbackMessage)
    : platform_(platform), callbackMessage_(callbackMessage) {}

AppBar::~AppBar() { Release(); }

std::optional<ScreenRect> AppBar::Reserve(WindowHandle window, AppBarEdge edge, const ScreenRect& monitor,
                                          int thickness) {
  if (registered_ && window != window_) Release();
  if (!registered_) {
    if (!platform_.New(window, callbackMessage_)) return std::nullopt;
    registered_ = true;
    window_ = window;
  }
  edge_ = edge;
  monitor_ = monitor;
  thickness_ = std::max(thickness, 0);
  return Place();
}

void AppBar::Release() {
  if (!registered_) return;
  platform_.Remove(window_);
  registered_ = false;
  window_ = kNoWindow;
}

AppBarNotice AppBar::OnNotify(std::uintptr_t wParam, std::intptr_t lParam) {
  if (!registered_) return {};
  switch (wParam) {
    case kAppBarPosChanged:
      return {AppBarNotice::Kind::Moved, Place()};
    case kAppBarFullScreenApp:
      return {lParam != 0 ? AppBarNotice::Kind::FullScreenOpened : AppBarNotice::Kind::FullScreenClosed, {}};
    default:
      return {};
  }
}

// The shell answers the query with the place left on that edge once the
// other bars are counted; the strip keeps its thickness from the side the
// shell moved, and SETPOS may still trim it.
ScreenRect AppBar::Place() {
  const ScreenRect offered = platform_.QueryPos(window_, edge_, StripAlong(monitor_, edge_, thickness_));
  return platform_.SetPos(window_, edge_, StripAlong(offered, edge_, thickness_));
}

}  // namespace orvane
