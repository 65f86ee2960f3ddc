#pragma once
// When an open popup closes. A popup that took the foreground closes on a
// click outside it, on Escape and when it loses activation. One that could
// not take the foreground (the system refuses SetForegroundWindow to a
// process that was not in the foreground, e.g. when another process opened
// it through the command message) never gets activation to lose; it closes
// on the next foreground change, dock press or outside click instead of
// staying on top for good.

namespace orvane {

enum class PopupEvent {
  OutsideClick,       // a press outside the popup's window
  Escape,             // the Escape key reached the popup
  Activated,          // the popup's window became the active window
  ActivationLost,     // it stopped being the active window
  ForegroundChanged,  // another window became the foreground window
  DockPress,          // a press on the dock, whose windows never activate
};

enum class PopupCloseReason { None, OutsideClick, Escape, ActivationLost, ForegroundChanged, DockPress };

class PopupDismissal {
 public:
  // The popup was shown; `foregroundTaken` says whether it became the
  // foreground window.
  void Shown(bool foregroundTaken);
  // The popup was hidden (by the dismissal or otherwise).
  void Hidden();
  // What the event means for the popup: None keeps it open. A close also
  // hides it here.
  PopupCloseReason On(PopupEvent event);

  bool open() const { return open_; }
  // Shown without the foreground and not activated since.
  bool withoutForeground() const { return open_ && !active_; }
  // True once after a show that could not take the foreground, for the host's log.
  bool TakeRefusalNotice();

 private:
  bool open_ = false;
  bool active_ = false;
  bool refusalNotice_ = false;
};

}  // namespace orvane
