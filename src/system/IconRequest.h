#pragma once
// What a surface asks the icon service for: one icon of a target, a picture
// file, a running app or a stock shell icon, at a size in physical pixels.

#include <compare>
#include <cstdint>
#include <string>

#include "system/WindowHandle.h"

namespace orvane {

enum class IconRequestKind : std::uint8_t { Target, CustomImage, RunningApp, Stock };

// One icon at a size in physical pixels.
struct IconRequest {
  IconRequestKind kind = IconRequestKind::Target;
  std::wstring path;                // the target, the picture file or the executable
  std::wstring aumid;               // a running app's
  WindowHandle window = kNoWindow;  // a running app without executable and AUMID
  int stockId = 0;
  unsigned size = 0;

  bool operator==(const IconRequest&) const = default;
  auto operator<=>(const IconRequest&) const = default;
};

inline IconRequest TargetIconRequest(const std::wstring& target, unsigned size) {
  return IconRequest{IconRequestKind::Target, target, {}, kNoWindow, 0, size};
}
inline IconRequest CustomImageRequest(const std::wstring& path, unsigned size) {
  return IconRequest{IconRequestKind::CustomImage, path, {}, kNoWindow, 0, size};
}
// The window counts only when the app has neither executable nor AUMID, so
// the windows of one app share one request.
inline IconRequest RunningAppIconRequest(WindowHandle window, const std::wstring& exePath,
                                         const std::wstring& aumid, unsigned size) {
  const bool byWindow = exePath.empty() && aumid.empty();
  return IconRequest{IconRequestKind::RunningApp, exePath, aumid, byWindow ? window : kNoWindow, 0, size};
}
inline IconRequest StockIconRequest(int stockId, unsigned size) {
  return IconRequest{IconRequestKind::Stock, {}, {}, kNoWindow, stockId, size};
}

}  // namespace orvane
