#pragma once
// WindowTracker: which applications run, as the user sees them. A refresh
// enumerates the top-level windows, keeps the ordinary application windows,
// resolves each to an app identity and groups them into TrackedApp records,
// ordered by their topmost window. System window events only mark the list
// stale: the first event after a refresh posts one kTrackerChangedMessage to
// the host, which refreshes on its own timer.
//
// Everything runs on the UI thread; the pending flag and the minimising slot
// are atomic anyway so a hook callback delivered elsewhere stays correct.

#include <array>
#include <atomic>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "system/TrackedApp.h"
#include "system/TrackerEvents.h"
#include "system/WindowSystem.h"

namespace orvane {

// Shown as the frontmost app's name when no tracked window has the focus.
inline constexpr const wchar_t* kDesktopAppName = L"桌面";

class WindowTracker {
 public:
  explicit WindowTracker(WindowSystem& system);
  ~WindowTracker();
  WindowTracker(const WindowTracker&) = delete;
  WindowTracker& operator=(const WindowTracker&) = delete;

  // Points the process-wide event target at this tracker and hooks the three
  // event ranges, replacing any earlier installation. notifyWindow receives
  // kTrackerChangedMessage. The host calls Refresh right after.
  void Install(WindowHandle notifyWindow);
  // Removes the hooks; releases the event target if it is still this tracker.
  void Uninstall();

  // Rebuilds the app list synchronously.
  void Refresh();

  // The list of the last refresh; valid until the next one.
  const std::vector<TrackedApp>& Apps() const { return apps_; }
  // The app whose window is in front, or kDesktopAppName. Our own windows
  // (menus, panels) and moments with no foreground window leave the app
  // that was in front before them in front.
  std::wstring FrontmostAppName() const;
  WindowHandle LastForegroundWindow() const { return lastForeground_; }
  // The foreground window as the menu bar sees it: the last one of another
  // program (an application's or the desktop's), kNoWindow at first.
  WindowHandle FrontmostWindow() const { return frontmost_; }
  // The last window that began minimising (kNoWindow if none); clears the slot.
  WindowHandle TakeMinimizingWindow() { return minimizingWindow_.exchange(kNoWindow); }

  // One system window event for this tracker.
  void HandleWinEvent(std::uint32_t event, WindowHandle window, std::int32_t objectId, std::int32_t childId);

  // The hook callback's entry point: the system passes no context, so events
  // go to the tracker installed last (none: ignored).
  static void DispatchWinEvent(std::uint32_t event, WindowHandle window, std::int32_t objectId, std::int32_t childId);
  static WindowTracker* EventTarget();

 private:
  void NotifyHost();

  WindowSystem& system_;
  WindowHandle notifyWindow_ = kNoWindow;
  std::uint32_t notifyMessage_ = 0;
  std::array<WinEventHookHandle, std::size(kTrackerHookRanges)> hooks_{};
  std::atomic<std::uint8_t> pending_{0};
  std::atomic<WindowHandle> minimizingWindow_{kNoWindow};
  WindowHandle lastForeground_ = kNoWindow;
  WindowHandle frontmost_ = kNoWindow;
  std::vector<TrackedApp> apps_;
};

}  // namespace orvane
