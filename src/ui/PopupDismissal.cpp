#include "ui/PopupDismissal.h"

namespace orvane {

void PopupDismissal::Shown(bool foregroundTaken) {
  open_ = true;
  active_ = foregroundTaken;
  refusalNotice_ = !foregroundTaken;
}

void PopupDismissal::Hidden() {
  open_ = false;
  active_ = false;
  refusalNotice_ = false;
}

bool PopupDismissal::TakeRefusalNotice() {
  const bool notice = refusalNotice_;
  refusalNotice_ = false;
  return notice;
}

PopupCloseReason PopupDismissal::On(PopupEvent event) {
  if (!open_) return PopupCloseReason::None;
  PopupCloseReason reason = PopupCloseReason::None;
  switch (event) {
    case PopupEvent::Activated:
      // From here on activation loss closes it like any other popup.
      active_ = true;
      break;
    case PopupEvent::OutsideClick: reason = PopupCloseReason::OutsideClick; break;
    case PopupEvent::Escape: reason = PopupCloseReason::Escape; break;
    case PopupEvent::ActivationLost:
      if (active_) reason = PopupCloseReason::ActivationLost;
      break;
    // An active popup hears of these through its activation loss, or keeps
    // standing while its owner handles the press (a dock item may toggle it).
    case PopupEvent::ForegroundChanged:
      if (!active_) reason = PopupCloseReason::ForegroundChanged;
      break;
    case PopupEvent::DockPress:
      if (!active_) reason = PopupCloseReason::DockPress;
      break;
  }
  if (reason != PopupCloseReason::None) Hidden();
  return reason;
}

}  // namespace orvane
