#include <gtest/gtest.h>

#include <vector>

#include "ui/PopupDismissal.h"

namespace orvane {
namespace {

using Event = PopupEvent;
using Reason = PopupCloseReason;

TEST(PopupDismissalTest, WhatClosesAPopupWithAndWithoutTheForeground) {
  struct Case {
    const char* name;
    bool foregroundTaken;
    std::vector<Event> before;  // events that must leave it open
    Event closing;
    Reason reason;
  };
  const Case cases[] = {
      {"outside click", true, {}, Event::OutsideClick, Reason::OutsideClick},
      {"escape", true, {}, Event::Escape, Reason::Escape},
      {"activation loss", true, {}, Event::ActivationLost, Reason::ActivationLost},
      {"an active popup outlives foreground notices and dock presses", true,
       {Event::ForegroundChanged, Event::DockPress}, Event::ActivationLost, Reason::ActivationLost},
      {"refused: the next foreground change", false, {Event::ActivationLost}, Event::ForegroundChanged,
       Reason::ForegroundChanged},
      {"refused: a dock press", false, {}, Event::DockPress, Reason::DockPress},
      {"refused: an outside click", false, {}, Event::OutsideClick, Reason::OutsideClick},
      {"refused, then activated: the usual rules", false, {Event::Activated, Event::ForegroundChanged},
       Event::ActivationLost, Reason::ActivationLost},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PopupDismissal dismissal;
    dismissal.Shown(c.foregroundTaken);
    for (Event e : c.before) EXPECT_EQ(dismissal.On(e), Reason::None);
    EXPECT_TRUE(dismissal.open());
    EXPECT_EQ(dismissal.On(c.closing), c.reason);
    EXPECT_FALSE(dismissal.open());
    // Closed popups hear nothing.
    EXPECT_EQ(dismissal.On(Event::Escape), Reason::None);
  }
}

TEST(PopupDismissalTest, RefusedForegroundIsReportedOncePerShow) {
  PopupDismissal dismissal;
  dismissal.Shown(false);
  EXPECT_TRUE(dismissal.withoutForeground());
  EXPECT_TRUE(dismissal.TakeRefusalNotice());
  EXPECT_FALSE(dismissal.TakeRefusalNotice());
  dismissal.On(Event::ForegroundChanged);

  dismissal.Shown(true);
  EXPECT_FALSE(dismissal.withoutForeground());
  EXPECT_FALSE(dismissal.TakeRefusalNotice());

  // A popup hidden before anyone read the notice leaves none behind.
  dismissal.Shown(false);
  dismissal.Hidden();
  EXPECT_FALSE(dismissal.TakeRefusalNotice());
}

}  // namespace
}  // namespace orvane
