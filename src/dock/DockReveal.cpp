#include "dock/DockReveal.h"

#include <algorithm>
#include <cmath>

namespace orvane {

bool DockFullScreenDetected(int notificationState, const DockForegroundWindow& foreground, const ScreenRect& monitor) {
  if (notificationState == kNotificationStateD3dFullScreen || notificationState == kNotificationStatePresentation) {
    return true;
  }
  const DockForegroundWindow& w = foreground;
  if (!w.present || w.ownProcess || w.minimised || w.shellSurface || !w.onDockMonitor) return false;
  return w.rect.left <= monitor.left && w.rect.top <= monitor.top && w.rect.right >= monitor.right &&
         w.rect.bottom >= monitor.bottom;
}

ScreenRect DockScreenRect(const DockConfig& config, const DockGeometry& geometry, const DockLayout& layout) {
  const float scale = geometry.scale;
  const int thickness = static_cast<int>(std::ceil((2.0f * config.paddingY + config.iconSize) * scale)) +
                        static_cast<int>(std::lround(config.bottomMargin * scale));
  const ScreenRect& m = geometry.monitor;
  const ScreenRect& window = geometry.renderWindow;
  const DockRectF& plate = layout.plate;
  if (geometry.orientation == DockOrientation::Bottom) {
    return {window.left + static_cast<int>(std::floor(plate.x * scale)), m.bottom - thickness,
            window.left + static_cast<int>(std::ceil((plate.x + plate.width) * scale)), m.bottom};
  }
  const int top = window.top + static_cast<int>(std::floor(plate.y * scale));
  const int bottom = window.top + static_cast<int>(std::ceil((plate.y + plate.height) * scale));
  if (geometry.orientation == DockOrientation::Left) return {m.left, top, m.left + thickness, bottom};
  return {m.right - thickness, top, m.right, bottom};
}

DockHideUpdate DockReveal::Evaluate(const DockConfig& config, DockHideProbe& probe) {
  DockHideUpdate update;
  if (!config.smartHide && !config.hideOnFullscreen) {
    if (hidable_ || fullScreenDetected_) {
      hidable_ = fullScreenDetected_ = revealed_ = false;
      update.frameRequested = true;
    }
    return update;
  }
  const bool fullScreen = probe.FullScreen();
  // A full-screen window covers the dock as well. Windows are walked for an
  // overlap only when smart hiding asks for it.
  const bool overlap = fullScreen || (config.smartHide && probe.Overlapping());
  update.fullScreen = fullScreen;
  update.fullScreenChanged = fullScreen != reportedFullScreen_;
  reportedFullScreen_ = fullScreen;

  const bool hidable = (config.hideOnFullscreen && fullScreen) || (config.smartHide && overlap);
  if (hidable == hidable_ && fullScreen == fullScreenDetected_) return update;
  hidable_ = hidable;
  fullScreenDetected_ = fullScreen;
  if (!hidable) {
    revealed_ = revealPending_ = false;
    revealWait_ = hideWait_ = 0;
  }
  update.frameRequested = true;
  return update;
}

void DockReveal::PointerMoved() {
  // Resting on the edge brings back a smart-hidden dock, never one hidden
  // for a full-screen application.
  if (hidable_ && !revealed_ && !fullScreenDetected_) revealPending_ = true;
}

void DockReveal::PointerLeft() {
  revealPending_ = false;
  revealWait_ = 0;
}

bool DockReveal::Step(float dt, bool hovering, bool busy, float revealDelayMs) {
  const bool hide = hidable_ && !revealed_ && !busy;
  if (hidable_ && !revealed_ && revealPending_) {
    revealWait_ += dt;
    if (revealWait_ >= std::max(0.0f, revealDelayMs / 1000.0f)) {
      revealed_ = true;
      revealPending_ = false;
      revealWait_ = 0;
    }
  }
  if (revealed_) {
    if (hovering || busy) {
      hideWait_ = 0;
    } else {
      hideWait_ += dt;
      if (hideWait_ >= kRevealHideDelaySeconds) {
        revealed_ = false;
        hideWait_ = 0;
      }
    }
  } else {
    hideWait_ = 0;
  }
  return hide;
}

}  // namespace orvane
