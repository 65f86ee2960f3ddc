#pragma once
// Screen coordinates and the opaque handles of windows and monitors as
// portable code sees them: the platform handle's bits in an integer (HWND
// and HMONITOR on Windows, ids in the headless fakes). Zero means none.

#include <cstdint>

namespace orvane {

using WindowHandle = std::uintptr_t;

inline constexpr WindowHandle kNoWindow = 0;

// A display monitor. Zero means none (callers take it as the primary).
using MonitorHandle = std::uintptr_t;

// A point in screen pixels (POINT).
struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// A rectangle in screen pixels, right and bottom exclusive (RECT).
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(ScreenPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const ScreenRect&) const = default;
};

// IntersectRect's answer: true when the overlap has a positive area.
inline bool RectsIntersect(const ScreenRect& a, const ScreenRect& b) {
  const int left = a.left > b.left ? a.left : b.left;
  const int right = a.right < b.right ? a.right : b.right;
  const int top = a.top > b.top ? a.top : b.top;
  const int bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
  return left < right && top < bottom;
}

}  // namespace orvane
