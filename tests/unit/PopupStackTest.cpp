#include <gtest/gtest.h>

#include <vector>

#include "dock/DockHoverPopups.h"
#include "ui/PopupStack.h"

namespace orvane {
namespace {

using Kind = PopupKind;

// A stack whose popups hide the way windows do: they report Closed.
class PopupStackTest : public ::testing::Test {
 protected:
  PopupStackTest() {
    for (std::size_t i = 0; i < kPopupKindCount; ++i) {
      const auto kind = static_cast<Kind>(i);
      stack.Register(kind, [this, kind] {
        hidden.push_back(kind);
        stack.Closed(kind);
      });
    }
  }

  int frames = 0;
  std::vector<Kind> hidden;
  PopupStack stack{[this] { ++frames; }};
};

TEST_F(PopupStackTest, OpeningClosesThePopupsThatMustNotStayBesideIt) {
  struct Case {
    const char* name;
    std::vector<Kind> open;
    Kind opening;
    std::vector<Kind> closed;
  };
  const Case cases[] = {
      {"control center and notification center", {Kind::NotificationCenter, Kind::Tray}, Kind::ControlCenter,
       {Kind::NotificationCenter, Kind::Tray}},
      {"notification center and control center", {Kind::ControlCenter, Kind::Tray}, Kind::NotificationCenter,
       {Kind::ControlCenter, Kind::Tray}},
      {"launchpad and mission control", {Kind::MissionControl, Kind::Tray, Kind::Music}, Kind::Launchpad,
       {Kind::MissionControl, Kind::Tray}},
      {"mission control leaves the tray", {Kind::Launchpad, Kind::Tray}, Kind::MissionControl, {Kind::Launchpad}},
      {"preview and music", {Kind::Music}, Kind::WindowPreview, {Kind::Music}},
      {"a menu closes the hover popups", {Kind::WindowPreview, Kind::ControlCenter}, Kind::ContextMenu,
       {Kind::WindowPreview}},
      {"the tray closes the hover popups", {Kind::Stack, Kind::Music}, Kind::Tray, {Kind::Music}},
      {"reopening keeps the others", {Kind::Stack, Kind::ContextMenu}, Kind::Stack, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    stack.CloseAll();
    for (Kind k : c.open) stack.Opened(k);
    hidden.clear();
    frames = 0;
    stack.Opened(c.opening);
    EXPECT_EQ(hidden, c.closed);
    EXPECT_EQ(stack.OpenPopups().back(), c.opening);
    for (Kind k : c.closed) EXPECT_FALSE(stack.IsOpen(k));
    EXPECT_EQ(stack.OpenPopups().size(), c.open.size() + 1 - c.closed.size() - (c.opening == Kind::Stack ? 1 : 0));
    EXPECT_EQ(frames, 1);
  }
}

TEST_F(PopupStackTest, CloseAllExceptAndCloseHideOnlyWhatIsOpen) {
  stack.Opened(Kind::ContextMenu);
  stack.Opened(Kind::Stack);
  stack.Opened(Kind::ControlCenter);
  stack.CloseAllExcept({Kind::ControlCenter});
  EXPECT_EQ(hidden, (std::vector<Kind>{Kind::ContextMenu, Kind::Stack}));
  EXPECT_EQ(stack.OpenPopups(), std::vector<Kind>{Kind::ControlCenter});

  hidden.clear();
  stack.Close(Kind::Tray);  // not open
  stack.Closed(Kind::ControlCenter);  // hid itself
  stack.Close(Kind::ControlCenter);
  EXPECT_TRUE(hidden.empty());
  EXPECT_TRUE(stack.OpenPopups().empty());
}

TEST(PopupStackAloneTest, APopupWhoseHideDoesNotReportIsStillForgotten) {
  PopupStack stack;
  int hides = 0;
  stack.Register(Kind::Music, [&] { ++hides; });
  stack.Opened(Kind::Music);
  stack.Opened(Kind::WindowPreview);  // no frame callback: nothing to call
  EXPECT_EQ(hides, 1);
  EXPECT_FALSE(stack.IsOpen(Kind::Music));
  // Unregistered popups are tracked all the same.
  EXPECT_TRUE(stack.IsOpen(Kind::WindowPreview));
}

TEST_F(PopupStackTest, DockViewShowsOpenPopupsAndThePointer) {
  stack.Opened(Kind::WindowPreview);
  stack.SetPointerInside(Kind::WindowPreview, true);
  stack.SetPointerInside(Kind::Music, true);  // not open: ignored
  stack.Opened(Kind::Tray);                   // closes the preview

  DockPopupState state = stack.DockView<DockPopupState>();
  EXPECT_TRUE(state.trayPopupOpen);
  EXPECT_FALSE(state.previewVisible);
  EXPECT_FALSE(state.pointerInPreview);
  EXPECT_FALSE(state.pointerInMusic);

  stack.Opened(Kind::Music);
  stack.SetPointerInside(Kind::Music, true);
  stack.Opened(Kind::ContextMenu);  // closes the music popup
  stack.Opened(Kind::Music);
  stack.Opened(Kind::Stack);
  state = stack.DockView<DockPopupState>();
  EXPECT_TRUE(state.contextMenuOpen);
  EXPECT_TRUE(state.stackPopupOpen);
  EXPECT_FALSE(state.musicVisible);
  EXPECT_FALSE(state.pointerInMusic);
}

}  // namespace
}  // namespace orvane
