#pragma once
// The window tracker's records: one running application and its windows,
// topmost first. Apps are matched everywhere by their identity key.

#include <cstdint>
#include <string>
#include <vector>

#include "system/WindowHandle.h"

namespace orvane {

struct TrackedWindow {
  WindowHandle hwnd = kNoWindow;   // for hosted store apps the frame, not the core window
  std::uint32_t processId = 0;     // for hosted store apps the hosted process
  std::wstring title;              // window text, or the fallback name
  bool minimized = false;
  bool foreground = false;

  bool operator==(const TrackedWindow&) const = default;
};

struct TrackedApp {
  std::wstring key;  // "aumid:" + aumidLower, else "exe:" + exePathLower
  std::wstring displayName;
  std::wstring exePath;
  std::wstring exePathLower;  // environment-expanded, then lower-cased
  std::wstring aumid;
  std::wstring aumidLower;
  std::vector<TrackedWindow> windows;       // topmost first
  std::vector<std::uint32_t> processIds;    // distinct, in order of first appearance
};

}  // namespace orvane
