#pragma once
// Automatic hiding of the dock and its reveal state machine. The hub's
// periodic timer (and a tracker refresh, a configuration change, the dock
// menu) runs Evaluate; the frame step runs Step; the input window reports
// the pointer and file drags. A dock hidden by smart hide comes out when the
// pointer rests on the edge strip; one hidden for a full-screen application
// only for a file drag. UI thread only.

#include "config/DockConfig.h"
#include "dock/DockGeometry.h"
#include "dock/DockLayout.h"
#include "system/WindowSystem.h"

namespace orvane {

// A revealed dock slides away after the pointer was gone this long.
inline constexpr float kRevealHideDelaySeconds = 0.32f;

// Notification states that mean a full-screen application or a presentation.
inline constexpr int kNotificationStateD3dFullScreen = 3;
inline constexpr int kNotificationStatePresentation = 4;

// The foreground window as the full-screen test sees it.
struct DockForegroundWindow {
  bool present = false;
  bool ownProcess = false;
  bool minimised = false;
  bool shellSurface = false;  // desktop, taskbar and the like
  ScreenRect rect;
  bool onDockMonitor = false;
};

bool DockFullScreenDetected(int notificationState, const DockForegroundWindow& foreground, const ScreenRect& monitor);

// The strip the shown dock covers, in screen pixels: icons and padding plus
// the edge margin across, the plate along.
ScreenRect DockScreenRect(const DockConfig& config, const DockGeometry& geometry, const DockLayout& layout);

// What Evaluate needs to know of the desktop; asked only when an option
// needs it.
class DockHideProbe {
 public:
  virtual ~DockHideProbe() = default;
  virtual bool FullScreen() = 0;
  // Another application's window overlaps the dock rectangle.
  virtual bool Overlapping() = 0;
};

struct DockHideUpdate {
  bool frameRequested = false;
  bool fullScreenChanged = false;  // pass fullScreen to the taskbar controller
  bool fullScreen = false;
};

class DockReveal {
 public:
  DockHideUpdate Evaluate(const DockConfig& config, DockHideProbe& probe);

  // The pointer moved over the input window (the edge strip while hidden).
  void PointerMoved();
  void PointerLeft();
  // A file drag over the dock brings a hidden dock out.
  void FileDragOver() { revealed_ = true; }

  // One frame; busy: an item or file drag, or a popup is open. Returns
  // whether the dock should be hidden this frame.
  bool Step(float dt, bool hovering, bool busy, float revealDelayMs);

  bool hidable() const { return hidable_; }
  bool fullScreenDetected() const { return fullScreenDetected_; }
  bool revealed() const { return revealed_; }
  bool revealPending() const { return revealPending_; }

 private:
  bool hidable_ = false;
  bool fullScreenDetected_ = false;
  bool reportedFullScreen_ = false;
  bool revealed_ = false;
  bool revealPending_ = false;
  float revealWait_ = 0;
  float hideWait_ = 0;
};

}  // namespace orvane
