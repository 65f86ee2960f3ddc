#include "ui/PopupStack.h"

#include <algorithm>
#include <utility>

namespace orvane {

bool PopupClosesOnOpen(PopupKind opening, PopupKind other) {
  if (opening == other) return false;
  const auto either = [&](PopupKind a, PopupKind b) {
    return (opening == a && other == b) || (opening == b && other == a);
  };
  // Each pair shares a place on the screen or a purpose.
  if (either(PopupKind::WindowPreview, PopupKind::Music)) return true;
  if (either(PopupKind::ControlCenter, PopupKind::NotificationCenter)) return true;
  if (either(PopupKind::Launchpad, PopupKind::MissionControl)) return true;
  switch (opening) {
    // Hover popups give way to what the user opened on purpose.
    case PopupKind::ContextMenu:
    case PopupKind::Stack:
    case PopupKind::Tray:
      return other == PopupKind::WindowPreview || other == PopupKind::Music;
    case PopupKind::ControlCenter:
    case PopupKind::NotificationCenter:
    case PopupKind::Launchpad:
      return other == PopupKind::Tray;
    default:
      return false;
  }
}

PopupStack::PopupStack(std::function<void()> requestFrame) : requestFrame_(std::move(requestFrame)) {}

void PopupStack::Register(PopupKind kind, std::function<void()> hide, std::function<void(PopupEvent)> outside) {
  hide_[Index(kind)] = std::move(hide);
  outside_[Index(kind)] = std::move(outside);
}

void PopupStack::Broadcast(PopupEvent event) {
  // A copy: a popup that closes on the event reports back through Closed.
  const std::vector<PopupKind> open = open_;
  for (PopupKind kind : open) {
    if (const auto outside = outside_[Index(kind)]) outside(event);
  }
}

void PopupStack::Opened(PopupKind kind) {
  // A copy: hiding a popup reports back through Closed.
  const std::vector<PopupKind> before = open_;
  for (PopupKind other : before) {
    if (PopupClosesOnOpen(kind, other)) Close(other);
  }
  Forget(kind);
  open_.push_back(kind);
  if (requestFrame_) requestFrame_();
}

void PopupStack::Closed(PopupKind kind) { Forget(kind); }

void PopupStack::Close(PopupKind kind) {
  if (!IsOpen(kind)) return;
  // Forgotten first, so a hide that reports Closed finds nothing to do and
  // a hide that does not report leaves no stale entry.
  Forget(kind);
  if (const auto& hide = hide_[Index(kind)]) hide();
}

void PopupStack::CloseAllExcept(std::initializer_list<PopupKind> keep) {
  const std::vector<PopupKind> before = open_;
  for (PopupKind kind : before) {
    if (std::find(keep.begin(), keep.end(), kind) == keep.end()) Close(kind);
  }
}

bool PopupStack::IsOpen(PopupKind kind) const { return std::find(open_.begin(), open_.end(), kind) != open_.end(); }

void PopupStack::SetPointerInside(PopupKind kind, bool inside) {
  pointerInside_[Index(kind)] = inside && IsOpen(kind);
}

bool PopupStack::PointerInside(PopupKind kind) const { return pointerInside_[Index(kind)]; }

void PopupStack::Forget(PopupKind kind) {
  open_.erase(std::remove(open_.begin(), open_.end(), kind), open_.end());
  pointerInside_[Index(kind)] = false;
}

}  // namespace orvane
