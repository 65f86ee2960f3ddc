#include "system/WindowTracker.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "system/AppIdentity.h"
#include "system/WindowFilters.h"

namespace orvane {
namespace {

std::atomic<WindowTracker*> g_eventTarget{nullptr};

// The apps of one refresh under construction, with their key lookup.
class AppListBuilder {
 public:
  AppListBuilder(WindowSystem& system, WindowHandle foreground) : system_(system), foreground_(foreground) {}

  void Add(WindowHandle window, WindowIdentity identity) {
    auto [slot, isNew] = index_.try_emplace(identity.key, apps_.size());
    if (isNew) apps_.push_back(NewApp(identity));
    TrackedApp& app = apps_[slot->second];
    // The topmost window decided the app's name and paths; later ones only join.
    app.windows.push_back(TrackedWindow{window, identity.processId, std::move(identity.title),
                                        system_.IsIconic(window), window == foreground_});
    if (std::find(app.processIds.begin(), app.processIds.end(), identity.processId) == app.processIds.end()) {
      app.processIds.push_back(identity.processId);
    }
  }

  std::vector<TrackedApp> Take() { return std::move(apps_); }

 private:
  TrackedApp NewApp(const WindowIdentity& identity) {
    TrackedApp app;
    app.key = identity.key;
    app.exePath = identity.exePath;
    app.exePathLower = identity.exePathLower;
    app.aumid = identity.aumid;
    app.aumidLower = identity.aumidLower;
    app.displayName = identity.exePath.empty() ? identity.title : DisplayNameFromPath(system_, identity.exePath);
    if (app.displayName.empty()) app.displayName = identity.title;
    return app;
  }

  WindowSystem& system_;
  WindowHandle foreground_;
  std::unordered_map<std::wstring, std::size_t> index_;
  std::vector<TrackedApp> apps_;
};

}  // namespace

WindowTracker::WindowTracker(WindowSystem& system) : system_(system) {}

WindowTracker::~WindowTracker() { Uninstall(); }

void WindowTracker::Install(WindowHandle notifyWindow) {
  Uninstall();
  notifyWindow_ = notifyWindow;
  notifyMessage_ = kTrackerChangedMessage;
  g_eventTarget.store(this);
  for (std::size_t i = 0; i < hooks_.size(); ++i) {
    hooks_[i] = system_.InstallWinEventHook(kTrackerHookRanges[i].first, kTrackerHookRanges[i].last);
  }
}

void WindowTracker::Uninstall() {
  for (WinEventHookHandle& hook : hooks_) {
    if (hook != 0) system_.RemoveWinEventHook(hook);
    hook = 0;
  }
  // A newer tracker may have taken over the target; leave it alone then.
  WindowTracker* self = this;
  g_eventTarget.compare_exchange_strong(self, nullptr);
}

void WindowTracker::Refresh() {
  // Cleared first, so that an event arriving during the refresh posts again.
  pending_.exchange(0);
  const std::uint32_t ownProcessId = system_.CurrentProcessId();
  lastForeground_ = system_.ForegroundWindow();
  if (lastForeground_ != kNoWindow && system_.ProcessIdOf(lastForeground_) != ownProcessId) {
    frontmost_ = lastForeground_;
  }

  AppListBuilder builder(system_, lastForeground_);
  system_.EnumerateTopLevelWindows([&](WindowHandle window) {
    if (!IsTrackableWindow(system_, window, ownProcessId)) return true;
    std::optional<WindowIdentity> identity = ResolveWindowIdentity(system_, window);
    if (identity) builder.Add(window, std::move(*identity));
    return true;
  });
  apps_ = builder.Take();
}

std::wstring WindowTracker::FrontmostAppName() const {
  if (frontmost_ == kNoWindow) return kDesktopAppName;
  for (const TrackedApp& app : apps_) {
    for (const TrackedWindow& window : app.windows) {
      if (window.hwnd == frontmost_) return app.displayName;
    }
  }
  return kDesktopAppName;
}

void WindowTracker::HandleWinEvent(std::uint32_t event, WindowHandle window, std::int32_t objectId,
                                   std::int32_t childId) {
  if (window == kNoWindow) return;
  switch (ClassifyWinEvent(event, objectId, childId)) {
    case WinEventReaction::Ignore:
      return;
    case WinEventReaction::RecordMinimizingAndNotify:
      minimizingWindow_.exchange(window);
      break;
    case WinEventReaction::Notify:
      break;
  }
  NotifyHost();
}

void WindowTracker::NotifyHost() {
  if (notifyWindow_ == kNoWindow) return;
  std::uint8_t expected = 0;
  if (!pending_.compare_exchange_strong(expected, 1)) return;  // a message is already on its way
  // A lost post would leave the flag set and the tracker deaf until some
  // other refresh; let the next event try again instead.
  if (!system_.PostWindowMessage(notifyWindow_, notifyMessage_)) pending_.store(0);
}

void WindowTracker::DispatchWinEvent(std::uint32_t event, WindowHandle window, std::int32_t objectId,
                                     std::int32_t childId) {
  WindowTracker* tracker = g_eventTarget.load();
  if (tracker != nullptr) tracker->HandleWinEvent(event, window, objectId, childId);
}

WindowTracker* WindowTracker::EventTarget() { return g_eventTarget.load(); }

}  // namespace orvane
