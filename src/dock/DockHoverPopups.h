#pragma once
// When hovering a dock item opens the window preview, the music popup or the
// tooltip. Runs once per frame with the hovered item and turns dwell and
// leave timers into show and hide requests that the hub carries out.

#include <string_view>

#include "config/DockConfig.h"
#include "dock/DockItemKind.h"

namespace orvane {

// Popups stand above the hovered slot: its centre x and icon top, DIPs.
struct DockPopupAnchor {
  float x = 0, y = 0;
};

// The popups' state as the hub sees it this frame.
struct DockPopupState {
  bool contextMenuOpen = false;
  bool stackPopupOpen = false;
  bool trayPopupOpen = false;
  bool previewVisible = false;
  bool pointerInPreview = false;
  bool musicVisible = false;
  bool pointerInMusic = false;
};

struct DockHoverInput {
  float dt = 0;
  int hovered = -1;  // item index, -1 none
  DockItemKind hoveredKind = DockItemKind::Pinned;
  bool hoveredHasWindows = false;
  std::wstring_view hoveredName;
  DockPopupAnchor anchor;  // of the hovered slot
  float windowLength = 0;

  bool dragging = false;  // an item drag runs
  DockPopupState popups;
};

struct DockTooltipRequest {
  bool show = false;  // false: hide the tooltip
  std::wstring_view name;
  DockPopupAnchor anchor;
  float delaySeconds = 0;
  float windowLength = 0;
};

struct DockHoverRequests {
  bool hideTooltipNow = false;  // before a popup opens over it
  bool showPreview = false;     // for previewItem at anchor
  int previewItem = -1;
  bool hidePreview = false;
  bool showMusic = false;  // at anchor
  bool hideMusic = false;
  DockPopupAnchor anchor;
  DockTooltipRequest tooltip;
  bool timersRunning = false;  // a dwell or leave timer counts: keep the frames coming
};

inline constexpr float kPreviewDwellSeconds = 0.26f;
inline constexpr float kPreviewLeaveSeconds = 0.22f;
inline constexpr float kMusicDwellSeconds = 0.16f;
inline constexpr float kMusicLeaveSeconds = 0.24f;

class DockHoverPopups {
 public:
  DockHoverRequests Step(const DockHoverInput& input, const DockConfig& config);
  // After the item list changed: indices no longer name the same items.
  void Reset() { *this = DockHoverPopups(); }

 private:
  void StepPreview(const DockHoverInput& input, bool enabled, bool& previewVisible, bool& musicVisible,
                   DockHoverRequests& out);
  void StepMusic(const DockHoverInput& input, bool enabled, bool& previewVisible, bool& musicVisible,
                 DockHoverRequests& out);

  int previewItem_ = -1;  // the item whose preview is shown
  int previewDwellItem_ = -1;
  float previewDwell_ = 0;
  float previewLeave_ = 0;
  float musicDwell_ = 0;
  float musicLeave_ = 0;
};

}  // namespace orvane
