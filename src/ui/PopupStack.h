#pragma once
// What is open: every popup registers here with the way to hide it, reports
// when it opens and closes, and the stack closes the popups that must not
// stay open beside one that opens. Opening asks for a frame, so a software
// presenter never shows a stale picture of the new window.

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <vector>

#include "ui/PopupDismissal.h"

namespace orvane {

enum class PopupKind {
  ContextMenu,
  WindowPreview,
  Music,
  Tray,
  Stack,
  ControlCenter,
  NotificationCenter,
  Launchpad,
  MissionControl,
};
inline constexpr std::size_t kPopupKindCount = 9;

// Whether `other` closes when `opening` opens.
bool PopupClosesOnOpen(PopupKind opening, PopupKind other);

class PopupStack {
 public:
  explicit PopupStack(std::function<void()> requestFrame = {});

  // How to hide the popup (it reports Closed when it has hidden), and what
  // it wants to hear of events outside its window while it is open.
  void Register(PopupKind kind, std::function<void()> hide, std::function<void(PopupEvent)> outside = {});
  // Tells every open popup of an event outside it (the foreground moved,
  // the dock was pressed); each decides by its own dismissal policy.
  void Broadcast(PopupEvent event);

  // The popup opened: closes the ones that must not stay with it, records it
  // on top and asks for a frame.
  void Opened(PopupKind kind);
  // The popup hid itself.
  void Closed(PopupKind kind);
  // Asks an open popup to hide.
  void Close(PopupKind kind);
  void CloseAll() { CloseAllExcept({}); }
  void CloseAllExcept(std::initializer_list<PopupKind> keep);

  bool IsOpen(PopupKind kind) const;
  // Open popups, the first opened first.
  const std::vector<PopupKind>& OpenPopups() const { return open_; }

  // Whether the pointer is over the popup's window (cleared when it closes).
  void SetPointerInside(PopupKind kind, bool inside);
  bool PointerInside(PopupKind kind) const;

  // The dock's view of the popups: any record with the dock's popup fields.
  template <typename State>
  State DockView() const {
    State state;
    state.contextMenuOpen = IsOpen(PopupKind::ContextMenu);
    state.stackPopupOpen = IsOpen(PopupKind::Stack);
    state.trayPopupOpen = IsOpen(PopupKind::Tray);
    state.previewVisible = IsOpen(PopupKind::WindowPreview);
    state.pointerInPreview = PointerInside(PopupKind::WindowPreview);
    state.musicVisible = IsOpen(PopupKind::Music);
    state.pointerInMusic = PointerInside(PopupKind::Music);
    return state;
  }

 private:
  static std::size_t Index(PopupKind kind) { return static_cast<std::size_t>(kind); }
  void Forget(PopupKind kind);

  std::function<void()> requestFrame_;
  std::array<std::function<void()>, kPopupKindCount> hide_;
  std::array<std::function<void(PopupEvent)>, kPopupKindCount> outside_;
  std::array<bool, kPopupKindCount> pointerInside_{};
  std::vector<PopupKind> open_;
};

}  // namespace orvane
