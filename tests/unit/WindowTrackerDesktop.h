#pragma once
// A fake desktop for the window tracker tests: programs (processes with an
// image path and maybe an AUMID) and their top-level windows, added topmost
// first, plus a tracker over them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/FakeWindowSystem.h"
#include "system/WindowTracker.h"

namespace orvane::testing {

inline constexpr std::uint32_t kOwnProcessId = 4000;
inline constexpr const wchar_t* kNotepadPath = L"C:\\Windows\\System32\\notepad.exe";
inline constexpr const wchar_t* kFrameHostPath = L"C:\\Windows\\System32\\ApplicationFrameHost.exe";

class TrackerDesktop : public ::testing::Test {
 protected:
  TrackerDesktop() { system.SetCurrentProcessId(kOwnProcessId); }

  void Program(std::uint32_t processId, const std::wstring& path, const std::wstring& aumid = L"") {
    FakeProcess process;
    process.imagePath = path;
    process.aumid = aumid;
    system.AddProcess(processId, process);
  }

  // An ordinary application window below the ones added before.
  WindowHandle Window(std::uint32_t processId, const std::wstring& title) {
    FakeWindow window;
    window.processId = processId;
    window.text = title;
    return system.AddWindow(window);
  }

  std::vector<std::wstring> Keys() const {
    std::vector<std::wstring> keys;
    for (const TrackedApp& app : tracker.Apps()) keys.push_back(app.key);
    return keys;
  }

  std::vector<WindowHandle> TrackedHandles() const {
    std::vector<WindowHandle> handles;
    for (const TrackedApp& app : tracker.Apps()) {
      for (const TrackedWindow& window : app.windows) handles.push_back(window.hwnd);
    }
    return handles;
  }

  FakeWindowSystem system;
  WindowTracker tracker{system};
};

}  // namespace orvane::testing
