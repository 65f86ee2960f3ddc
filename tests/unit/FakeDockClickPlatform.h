#pragma once
// The system calls behind the dock's clicks and file drops, recorded as one
// line each, for tests of the dock and its hub.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dock/DockController.h"

namespace orvane::testing {

// Every system call a click or drop makes, as one line each.
class RecordingClickPlatform final : public DockClickPlatform {
 public:
  std::vector<std::wstring> calls;
  bool launchSucceeds = true;
  bool shift = false;
  WindowHandle minimises = kNoWindow;
  std::set<std::wstring> directories{L"D:\\Projects"};
  // Where windows stand (or stood before they were minimised); others at 400, 200.
  std::map<WindowHandle, ScreenRect> windowRects;
  int memoryReleases = 0;

  bool Launch(const std::wstring& target, const std::wstring& arguments) override {
    calls.push_back(L"launch " + target + (arguments.empty() ? L"" : L" " + arguments));
    return launchSucceeds;
  }
  void ActivateWindow(WindowHandle window) override { calls.push_back(L"activate " + std::to_wstring(window)); }
  WindowHandle ToggleAppWindows(const std::vector<WindowHandle>& windows) override {
    std::wstring line = L"toggle";
    for (const WindowHandle w : windows) line += L" " + std::to_wstring(w);
    calls.push_back(line);
    return minimises;
  }
  std::optional<ScreenRect> RestingWindowRect(WindowHandle window) override {
    const auto found = windowRects.find(window);
    return found != windowRects.end() ? found->second : ScreenRect{400, 200, 1200, 700};
  }
  bool ShiftHeld() override { return shift; }
  std::wstring ExpandEnvironment(const std::wstring& text) override { return text; }
  bool IsDirectory(const std::wstring& path) override { return directories.contains(path); }
  void RecycleFiles(const std::vector<std::wstring>& paths) override {
    std::wstring line = L"recycle";
    for (const auto& path : paths) line += L" " + path;
    calls.push_back(line);
  }
  void ReleaseMemory() override { ++memoryReleases; }
};

}  // namespace orvane::testing
