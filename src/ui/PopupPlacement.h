#pragma once
// Where a popup window goes: one function for every anchor the surfaces use.
// Everything is in physical screen pixels; DIP distances are converted with
// the anchor monitor's scale. The popup's plate stays inside that monitor's
// work area (the full monitor for full-monitor overlays).

#include "system/WindowSystem.h"

namespace orvane {

// The monitor the anchor lies on.
struct PopupMonitor {
  ScreenRect bounds;    // the whole monitor
  ScreenRect workArea;  // without the taskbar and reserved bars
  float scale = 1;      // physical pixels per DIP
};

// The side of the anchor a popup opens on.
enum class PopupSide { Above, Below, Left, Right };

// The edge of the screen a dock stands on.
enum class DockEdge { Bottom, Left, Right };

enum class PopupAnchorKind {
  Menu,         // at a point: above it, below when cramped
  Bubble,       // at a dock item, centred on its slot
  Panel,        // from the dock's edge or from a point such as a menu bar slot
  FullMonitor,  // covers the whole monitor
  TopRight,     // a fixed distance from the monitor's top-right corner
};

struct PopupAnchor {
  PopupAnchorKind kind = PopupAnchorKind::Menu;
  PopupSide side = PopupSide::Above;  // preferred side of the anchor
  int x = 0, y = 0;                   // the anchor point
  float gapDip = 0;                   // between the anchor and the plate (TopRight: from the right edge)
  float edgeDip = 0;                  // least distance between the plate and the work area's edge
                                      // (TopRight: from the monitor's top)

  // A menu at a point: plate 8 DIP above it, or below when it would cross
  // the top, 6 DIP inside the monitor.
  static PopupAnchor MenuAt(int x, int y);
  // A bubble at a dock item: (x, y) is the middle of the item's edge that
  // faces the desktop (the icon top for a bottom dock). It opens away from
  // the dock, 10 DIP from the item.
  static PopupAnchor BubbleAt(DockEdge dock, int x, int y);
  // A panel rising from the dock's inner edge at (x, y).
  static PopupAnchor PanelFromDock(DockEdge dock, int x, int y);
  // A panel hanging below a point, such as the bottom of a menu bar slot.
  static PopupAnchor PanelBelow(int x, int y);
  static PopupAnchor FullMonitor();
  // The plate's right edge `rightDip` inside the monitor's right edge and its
  // top `topDip` below the monitor's top (the whole monitor, not the work
  // area: the panel and the banner sit under the menu bar, over any
  // reserved strip).
  static PopupAnchor TopRightOfMonitor(float rightDip, float topDip);
};

// The popup's size: the plate and the shadow margin around it (the window
// is the plate plus the margin on every side).
struct PopupSize {
  int plateWidth = 0;
  int plateHeight = 0;
  int margin = 0;
};

struct PopupPlacement {
  ScreenRect window;  // where the window goes
  PopupSide side = PopupSide::Above;  // the side it opened on, after a flip
};

PopupPlacement PlacePopup(const PopupAnchor& anchor, const PopupSize& size, const PopupMonitor& monitor);

}  // namespace orvane
