#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "system/AppBar.h"

namespace orvane {
namespace {

using Calls = std::vector<std::string>;

constexpr std::uint32_t kCallback = 0x801F;
constexpr WindowHandle kBar = 0x10;
constexpr ScreenRect kMonitor{0, 0, 1920, 1080};

std::string Describe(const ScreenRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// A shell where other bars (a native taskbar) already hold `taken` pixels
// along every edge of the monitor. Like the real one, it moves only the
// proposal's side on the edge and leaves the far side to the caller; SETPOS
// may grant `shave` pixels less on top of that.
class FakeAppBarShell : public AppBarPlatform {
 public:
  int taken = 40;
  int shave = 0;
  bool refuseNew = false;
  Calls calls;

  bool New(WindowHandle window, std::uint32_t callbackMessage) override {
    calls.push_back("new " + std::to_string(window) + " " + std::to_string(callbackMessage));
    return !refuseNew;
  }
  ScreenRect QueryPos(WindowHandle window, AppBarEdge edge, const ScreenRect& proposed) override {
    calls.push_back("query " + std::to_string(window) + " " + Describe(proposed));
    return Offer(edge, proposed, taken);
  }
  ScreenRect SetPos(WindowHandle window, AppBarEdge edge, const ScreenRect& proposed) override {
    calls.push_back("set " + std::to_string(window) + " " + Describe(proposed));
    ScreenRect granted = Offer(edge, proposed, taken);
    switch (edge) {
      case AppBarEdge::Left: granted.right -= shave; break;
      case AppBarEdge::Top: granted.bottom -= shave; break;
      case AppBarEdge::Right: granted.left += shave; break;
      case AppBarEdge::Bottom: granted.top += shave; break;
    }
    return granted;
  }
  void Remove(WindowHandle window) override { calls.push_back("remove " + std::to_string(window)); }

 private:
  static ScreenRect Offer(AppBarEdge edge, ScreenRect rect, int taken) {
    switch (edge) {
      case AppBarEdge::Left: rect.left = std::max(rect.left, kMonitor.left + taken); break;
      case AppBarEdge::Top: rect.top = std::max(rect.top, kMonitor.top + taken); break;
      case AppBarEdge::Right: rect.right = std::min(rect.right, kMonitor.right - taken); break;
      case AppBarEdge::Bottom: rect.bottom = std::min(rect.bottom, kMonitor.bottom - taken); break;
    }
    return rect;
  }
};

class AppBarTest : public ::testing::Test {
 protected:
  FakeAppBarShell shell_;
  AppBar bar_{shell_, kCallback};
};

TEST_F(AppBarTest, KeepsItsThicknessFromTheEdgeTheShellGrantsOnEverySide) {
  const struct {
    AppBarEdge edge;
    const char* proposed;  // the strip along the monitor's edge
    const char* set;       // moved clear of the 40 px already taken, thickness kept
    ScreenRect granted;
  } cases[] = {
      {AppBarEdge::Top, "0,0,1920,28", "0,40,1920,68", {0, 40, 1920, 68}},
      {AppBarEdge::Bottom, "0,1052,1920,1080", "0,1012,1920,1040", {0, 1012, 1920, 1040}},
      {AppBarEdge::Left, "0,0,28,1080", "40,0,68,1080", {40, 0, 68, 1080}},
      {AppBarEdge::Right, "1892,0,1920,1080", "1852,0,1880,1080", {1852, 0, 1880, 1080}},
  };
  for (const auto& c : cases) {
    FakeAppBarShell shell;
    AppBar bar(shell, kCallback);
    EXPECT_EQ(bar.Reserve(kBar, c.edge, kMonitor, 28), c.granted) << c.proposed;
    EXPECT_EQ(shell.calls, (Calls{"new 16 32799", std::string("query 16 ") + c.proposed,
                                  std::string("set 16 ") + c.set}));
  }
}

TEST_F(AppBarTest, ReturnsWhatSetPosGrantsNotWhatWasProposed) {
  shell_.shave = 6;
  EXPECT_EQ(bar_.Reserve(kBar, AppBarEdge::Top, kMonitor, 28), (ScreenRect{0, 40, 1920, 62}));
}

TEST_F(AppBarTest, RegistersOnceAndRetriesARefusedRegistration) {
  shell_.refuseNew = true;
  EXPECT_EQ(bar_.Reserve(kBar, AppBarEdge::Top, kMonitor, 28), std::nullopt);
  EXPECT_FALSE(bar_.Registered());
  EXPECT_EQ(shell_.calls, (Calls{"new 16 32799"}));

  shell_.refuseNew = false;
  shell_.calls.clear();
  EXPECT_TRUE(bar_.Reserve(kBar, AppBarEdge::Top, kMonitor, 28));
  EXPECT_TRUE(bar_.Registered());
  EXPECT_EQ(shell_.calls.front(), "new 16 32799");

  shell_.calls.clear();
  EXPECT_TRUE(bar_.Reserve(kBar, AppBarEdge::Top, kMonitor, 30));
  EXPECT_EQ(shell_.calls, (Calls{"query 16 0,0,1920,30", "set 16 0,40,1920,70"}));
}

TEST_F(AppBarTest, AnotherWindowReplacesTheRegistration) {
  ASSERT_TRUE(bar_.Reserve(kBar, AppBarEdge::Top, kMonitor, 28));
  shell_.calls.clear();
  ASSERT_TRUE(bar_.Reserve(0x20, AppBarEdge::Top, kMonitor, 28));
  EXPECT_EQ(shell_.calls, (Calls{"remove 16", "new 32 32799", "query 32 0,0,1920,28", "set 32 0,40,1920,68"}));
}

TEST_F(AppBarTest, PositionChangeRepeatsTheReservationAndReportsTheNewPlace) {
  ASSERT_TRUE(bar_.Reserve(kBar, AppBarEdge::Top, kMonitor, 28));
  shell_.calls.clear();
  shell_.taken = 0;  // the native taskbar went away

  EXPECT_EQ(bar_.OnNotify(kAppBarPosChanged, 0), (AppBarNotice{AppBarNotice::Kind::Moved, {0, 0, 1920, 28}}));
  EXPECT_EQ(shell_.calls, (Calls{"query 16 0,0,1920,28", "set 16 0,0,1920,28"}));
}

TEST_F(AppBarTest, ReportsFullScreenApplicationsAndIgnoresOtherNotices) {
  ASSERT_TRUE(bar_.Reserve(kBar, AppBarEdge::Top, kMonitor, 28));
  shell_.calls.clear();
  const struct {
    std::uintptr_t code;
    std::intptr_t lParam;
    AppBarNotice::Kind kind;
  } cases[] = {
      {kAppBarFullScreenApp, 1, AppBarNotice::Kind::FullScreenOpened},
      {kAppBarFullScreenApp, 0, AppBarNotice::Kind::FullScreenClosed},
      {kAppBarStateChanged, 0, AppBarNotice::Kind::None},
      {kAppBarWindowArrange, 1, AppBarNotice::Kind::None},
      {77, 0, AppBarNotice::Kind::None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(bar_.OnNotify(c.code, c.lParam).kind, c.kind) << c.code << " " << c.lParam;
  }
  EXPECT_TRUE(shell_.calls.empty());
}

TEST_F(AppBarTest, NoticesAfterReleaseAskNothing) {
  ASSERT_TRUE(bar_.Reserve(kBar, AppBarEdge::Top, kMonitor, 28));
  bar_.Release();
  shell_.calls.clear();
  EXPECT_EQ(bar_.OnNotify(kAppBarPosChanged, 0).kind, AppBarNotice::Kind::None);
  EXPECT_EQ(bar_.OnNotify(kAppBarFullScreenApp, 1).kind, AppBarNotice::Kind::None);
  EXPECT_TRUE(shell_.calls.empty());
}

TEST(AppBarReleaseTest, RemovesTheRegistrationOnceWhateverCallsIt) {
  FakeAppBarShell shell;
  {
    AppBar bar(shell, kCallback);
    bar.Release();  // never registered
    ASSERT_TRUE(bar.Reserve(kBar, AppBarEdge::Top, kMonitor, 28));
    bar.Release();
    bar.Release();
  }
  {
    AppBar bar(shell, kCallback);
    ASSERT_TRUE(bar.Reserve(kBar, AppBarEdge::Top, kMonitor, 28));
  }  // destroyed while registered
  int removes = 0;
  for (const std::string& call : shell.calls) removes += call.starts_with("remove") ? 1 : 0;
  EXPECT_EQ(removes, 2);
  EXPECT_EQ(shell.calls.back(), "remove 16");
}

}  // namespace
}  // namespace orvane
