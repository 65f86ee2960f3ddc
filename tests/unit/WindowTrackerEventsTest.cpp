#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "WindowTrackerDesktop.h"

namespace orvane::testing {
namespace {

constexpr std::int32_t kObjectIdClient = -4;  // OBJID_CLIENT

struct EventCase {
  std::uint32_t event;
  std::int32_t objectId;
  std::int32_t childId;
  WinEventReaction reaction;
};

TEST(ClassifyWinEventTest, OnlyWindowLevelChangesCount) {
  const EventCase cases[] = {
      {kEventSystemForeground, 0, 0, WinEventReaction::Notify},
      {kEventSystemForeground, kObjectIdClient, 3, WinEventReaction::Notify},  // system events: ids not checked
      {kEventSystemMinimizeStart, 0, 0, WinEventReaction::RecordMinimizingAndNotify},
      {kEventSystemMinimizeEnd, 0, 0, WinEventReaction::Notify},
      {0x000A, 0, 0, WinEventReaction::Ignore},  // move/size start
      {0x0014, 0, 0, WinEventReaction::Ignore},  // end of a system switch
      {kEventObjectCreate, 0, 0, WinEventReaction::Notify},
      {kEventObjectDestroy, 0, 0, WinEventReaction::Notify},
      {kEventObjectShow, 0, 0, WinEventReaction::Notify},
      {kEventObjectHide, 0, 0, WinEventReaction::Notify},
      {kEventObjectNameChange, 0, 0, WinEventReaction::Notify},
      {kEventObjectCloaked, 0, 0, WinEventReaction::Notify},
      {kEventObjectUncloaked, 0, 0, WinEventReaction::Notify},
      {0x8004, 0, 0, WinEventReaction::Ignore},  // reorder
      {0x8005, 0, 0, WinEventReaction::Ignore},  // focus
      {0x800B, 0, 0, WinEventReaction::Ignore},  // location change
      {kEventObjectNameChange, kObjectIdClient, 0, WinEventReaction::Ignore},
      {kEventObjectShow, 0, 7, WinEventReaction::Ignore},
      {kEventObjectDestroy, -1, 0, WinEventReaction::Ignore},  // OBJID_SYSMENU
  };
  for (const EventCase& c : cases) {
    EXPECT_EQ(ClassifyWinEvent(c.event, c.objectId, c.childId), c.reaction)
        << std::hex << c.event << " " << std::dec << c.objectId << " " << c.childId;
  }
}

class WindowTrackerEventsTest : public TrackerDesktop {
 protected:
  WindowTrackerEventsTest() {
    FakeWindow host;
    host.processId = kOwnProcessId;
    host.className = L"OrvaneRenderWindow";
    hostWindow = system.AddWindow(host);
    Program(100, kNotepadPath);
    appWindow = Window(100, L"Notepad");
    tracker.Install(hostWindow);
  }

  std::size_t Posts() const { return system.PostedMessages().size(); }

  WindowHandle hostWindow = kNoWindow;
  WindowHandle appWindow = kNoWindow;
};

TEST_F(WindowTrackerEventsTest, InstallHooksTheThreeRanges) {
  const auto hooks = system.InstalledHooks();
  ASSERT_EQ(hooks.size(), 3u);
  EXPECT_EQ(hooks[0].first, 0x0003u);
  EXPECT_EQ(hooks[0].last, 0x0017u);
  EXPECT_EQ(hooks[1].first, 0x8000u);
  EXPECT_EQ(hooks[1].last, 0x800Cu);
  EXPECT_EQ(hooks[2].first, 0x8017u);
  EXPECT_EQ(hooks[2].last, 0x8018u);
  EXPECT_EQ(WindowTracker::EventTarget(), &tracker);

  tracker.Install(hostWindow);  // a second installation replaces the first
  EXPECT_EQ(system.InstalledHooks().size(), 3u);

  tracker.Uninstall();
  EXPECT_TRUE(system.InstalledHooks().empty());
  EXPECT_EQ(WindowTracker::EventTarget(), nullptr);
}

TEST_F(WindowTrackerEventsTest, BurstPostsOneMessageUntilTheNextRefresh) {
  for (int i = 0; i < 500; ++i) system.RaiseWinEvent(kEventObjectNameChange, appWindow);
  ASSERT_EQ(Posts(), 1u);
  EXPECT_EQ(system.PostedMessages()[0].window, hostWindow);
  EXPECT_EQ(system.PostedMessages()[0].message, 0x8003u);

  tracker.Refresh();
  for (int i = 0; i < 300; ++i) {
    system.RaiseWinEvent(kEventObjectShow, appWindow);
    system.RaiseWinEvent(kEventSystemForeground, appWindow);
  }
  EXPECT_EQ(Posts(), 2u);
}

TEST_F(WindowTrackerEventsTest, IgnoredEventsNeverPost) {
  system.RaiseWinEvent(kEventObjectNameChange, kNoWindow);
  system.RaiseWinEvent(kEventObjectNameChange, appWindow, kObjectIdClient, 0);
  system.RaiseWinEvent(kEventObjectShow, appWindow, 0, 3);
  system.RaiseWinEvent(0x800B, appWindow);  // location change
  system.RaiseWinEvent(0x000A, appWindow);  // move/size start
  system.RaiseWinEvent(0x8010, appWindow);  // outside the hooked ranges
  system.RaiseWinEvent(kEventObjectShow, hostWindow);  // own process: the hook skips it
  EXPECT_EQ(Posts(), 0u);

  system.RaiseWinEvent(kEventObjectCloaked, appWindow);
  EXPECT_EQ(Posts(), 1u);
}

TEST_F(WindowTrackerEventsTest, EventDuringRefreshPostsAgain) {
  // Pending is cleared before enumerating, so a change that happens while the
  // list is being built is not lost.
  class ChangingDesktop : public FakeWindowSystem {
   public:
    void EnumerateTopLevelWindows(const std::function<bool(WindowHandle)>& visit) override {
      if (window != kNoWindow) RaiseWinEvent(kEventObjectDestroy, window);
      FakeWindowSystem::EnumerateTopLevelWindows(visit);
    }
    WindowHandle window = kNoWindow;
  };
  ChangingDesktop desktop;
  FakeWindow host;
  host.processId = desktop.CurrentProcessId();
  const WindowHandle hostHandle = desktop.AddWindow(host);
  FakeWindow app;
  app.processId = 100;
  desktop.window = desktop.AddWindow(app);
  WindowTracker changing(desktop);
  changing.Install(hostHandle);

  desktop.RaiseWinEvent(kEventObjectCreate, desktop.window);
  ASSERT_EQ(desktop.PostedMessages().size(), 1u);
  changing.Refresh();
  EXPECT_EQ(desktop.PostedMessages().size(), 2u);
}

TEST_F(WindowTrackerEventsTest, MinimizeStartRemembersTheWindow) {
  Program(200, L"C:\\Apps\\Editor.exe");
  const WindowHandle editor = Window(200, L"Editor");
  EXPECT_EQ(tracker.TakeMinimizingWindow(), kNoWindow);

  system.RaiseWinEvent(kEventSystemMinimizeStart, appWindow);
  system.RaiseWinEvent(kEventSystemMinimizeStart, editor);
  EXPECT_EQ(Posts(), 1u);
  EXPECT_EQ(tracker.TakeMinimizingWindow(), editor);  // the latest one
  EXPECT_EQ(tracker.TakeMinimizingWindow(), kNoWindow);
}

TEST_F(WindowTrackerEventsTest, WithoutNotifyWindowNothingIsPosted) {
  WindowTracker idle(system);  // never installed
  idle.HandleWinEvent(kEventSystemMinimizeStart, appWindow, 0, 0);
  idle.HandleWinEvent(kEventObjectCreate, appWindow, 0, 0);
  EXPECT_EQ(Posts(), 0u);
  EXPECT_EQ(idle.TakeMinimizingWindow(), appWindow);
}

TEST_F(WindowTrackerEventsTest, FailedPostIsRetriedByTheNextEvent) {
  system.SetPostsFail(true);
  system.RaiseWinEvent(kEventObjectCreate, appWindow);
  EXPECT_EQ(Posts(), 0u);

  system.SetPostsFail(false);
  system.RaiseWinEvent(kEventObjectCreate, appWindow);
  system.RaiseWinEvent(kEventObjectCreate, appWindow);
  EXPECT_EQ(Posts(), 1u);
}

TEST_F(WindowTrackerEventsTest, LatestInstalledTrackerReceivesEvents) {
  std::optional<WindowTracker> second(std::in_place, system);
  second->Install(hostWindow);
  EXPECT_EQ(WindowTracker::EventTarget(), &*second);

  // The first tracker leaves; the second keeps the events.
  tracker.Uninstall();
  EXPECT_EQ(WindowTracker::EventTarget(), &*second);
  system.RaiseWinEvent(kEventSystemMinimizeStart, appWindow);
  EXPECT_EQ(second->TakeMinimizingWindow(), appWindow);
  EXPECT_EQ(tracker.TakeMinimizingWindow(), kNoWindow);

  // Destroying a tracker uninstalls it.
  second.reset();
  EXPECT_EQ(WindowTracker::EventTarget(), nullptr);
  EXPECT_TRUE(system.InstalledHooks().empty());
  const std::size_t postsBefore = Posts();
  system.RaiseWinEvent(kEventObjectCreate, appWindow);
  WindowTracker::DispatchWinEvent(kEventObjectCreate, appWindow, 0, 0);  // a late callback
  EXPECT_EQ(Posts(), postsBefore);
}

}  // namespace
}  // namespace orvane::testing
