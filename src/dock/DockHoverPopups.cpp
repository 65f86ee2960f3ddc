#include "dock/DockHoverPopups.h"

#include <algorithm>

namespace orvane {

DockHoverRequests DockHoverPopups::Step(const DockHoverInput& input, const DockConfig& config) {
  DockHoverRequests out;
  out.anchor = input.anchor;
  bool previewVisible = input.popups.previewVisible;
  bool musicVisible = input.popups.musicVisible;
  if (!previewVisible) previewItem_ = -1;

  const bool blocked = input.dragging || input.popups.contextMenuOpen || input.popups.stackPopupOpen || input.popups.trayPopupOpen;
  StepPreview(input, config.enableWindowPreview && !blocked, previewVisible, musicVisible, out);
  StepMusic(input, config.showDockMusic && !blocked, previewVisible, musicVisible, out);

  DockTooltipRequest& tip = out.tooltip;
  if (config.enableTooltip && input.hovered >= 0 && input.hoveredKind != DockItemKind::Music && !previewVisible &&
      !musicVisible && !input.hoveredName.empty()) {
    tip.show = true;
    tip.name = input.hoveredName;
    tip.anchor = input.anchor;
    tip.delaySeconds = std::max(0.0f, config.tooltipDelayMs / 1000.0f);
    tip.windowLength = input.windowLength;
  }
  return out;
}

void DockHoverPopups::StepPreview(const DockHoverInput& input, bool enabled, bool& previewVisible,
                                  bool& musicVisible, DockHoverRequests& out) {
  if (!enabled) {
    previewDwell_ = previewLeave_ = 0;
    previewDwellItem_ = -1;
    if (previewVisible) {
      out.hidePreview = true;
      previewVisible = false;
      previewItem_ = -1;
    }
    return;
  }
  if (input.hovered >= 0 && input.hoveredHasWindows) {
    previewLeave_ = 0;
    if (input.hovered == previewItem_) return;
    // Each item earns its own dwell: sweeping across icons opens nothing.
    if (input.hovered != previewDwellItem_) {
      previewDwellItem_ = input.hovered;
      previewDwell_ = 0;
    }
    previewDwell_ += input.dt;
    out.timersRunning = true;
    if (previewDwell_ >= kPreviewDwellSeconds) {
      previewDwell_ = 0;
      previewDwellItem_ = -1;
      previewItem_ = input.hovered;
      out.hideTooltipNow = true;
      out.hideMusic = musicVisible;
      musicVisible = false;
      out.showPreview = true;
      out.previewItem = input.hovered;
      out.hidePreview = false;
      previewVisible = true;
      out.timersRunning = false;
    }
    return;
  }
  previewDwell_ = 0;
  previewDwellItem_ = -1;
  if (!previewVisible || input.popups.pointerInPreview) {
    previewLeave_ = 0;
    return;
  }
  previewLeave_ += input.dt;
  out.timersRunning = true;
  if (previewLeave_ >= kPreviewLeaveSeconds) {
    previewLeave_ = 0;
    previewItem_ = -1;
    out.hidePreview = true;
    previewVisible = false;
  }
}

void DockHoverPopups::StepMusic(const DockHoverInput& input, bool enabled, bool& previewVisible, bool& musicVisible,
                                DockHoverRequests& out) {
  if (!enabled) {
    musicDwell_ = musicLeave_ = 0;
    return;
  }
  if (input.hovered >= 0 && input.hoveredKind == DockItemKind::Music) {
    musicLeave_ = 0;
    if (musicVisible) return;
    musicDwell_ += input.dt;
    out.timersRunning = true;
    if (musicDwell_ >= kMusicDwellSeconds) {
      musicDwell_ = 0;
      out.hideTooltipNow = true;
      if (previewVisible) {
        out.hidePreview = true;
        out.showPreview = false;
        previewVisible = false;
        previewItem_ = -1;
      }
      out.showMusic = true;
      out.hideMusic = false;
      musicVisible = true;
    }
    return;
  }
  musicDwell_ = 0;
  if (!musicVisible || input.popups.pointerInMusic) {
    musicLeave_ = 0;
    return;
  }
  musicLeave_ += input.dt;
  out.timersRunning = true;
  if (musicLeave_ >= kMusicLeaveSeconds) {
    musicLeave_ = 0;
    out.hideMusic = true;
    musicVisible = false;
  }
}

}  // namespace orvane
