#include "ui/PopupPlacement.h"

#include <algorithm>
#include <cmath>

namespace orvane {
namespace {

constexpr float kMenuGapDip = 8, kMenuEdgeDip = 6;
constexpr float kBubbleGapDip = 10;
constexpr float kDockPanelGapDip = 8;
constexpr float kHangingPanelGapDip = 6;
constexpr float kPopupEdgeDip = 8;

PopupSide AwayFrom(DockEdge dock) {
  switch (dock) {
    case DockEdge::Left: return PopupSide::Right;
    case DockEdge::Right: return PopupSide::Left;
    case DockEdge::Bottom: break;
  }
  return PopupSide::Above;
}

PopupSide Opposite(PopupSide side) {
  switch (side) {
    case PopupSide::Above: return PopupSide::Below;
    case PopupSide::Below: return PopupSide::Above;
    case PopupSide::Left: return PopupSide::Right;
    case PopupSide::Right: return PopupSide::Left;
  }
  return side;
}

int Pixels(float dip, float scale) { return static_cast<int>(std::trunc(dip * scale)); }

// The start of a span of `length` kept between lo and hi. A span longer than
// the room keeps its start visible.
int Keep(int start, int length, int lo, int hi) {
  const int last = hi - length;
  if (last < lo) return lo;
  return std::clamp(start, lo, last);
}

// One axis across the anchor: where the plate starts when it opens before
// the anchor (above, left) or after it (below, right), and the room for it.
struct Across {
  int anchor, gap, length, lo, hi;
  int BeforeStart() const { return anchor - gap - length; }
  int AfterStart() const { return anchor + gap; }
  int RoomBefore() const { return anchor - gap - lo; }
  int RoomAfter() const { return hi - anchor - gap; }
};

}  // namespace

PopupAnchor PopupAnchor::MenuAt(int x, int y) {
  return {PopupAnchorKind::Menu, PopupSide::Above, x, y, kMenuGapDip, kMenuEdgeDip};
}

PopupAnchor PopupAnchor::BubbleAt(DockEdge dock, int x, int y) {
  return {PopupAnchorKind::Bubble, AwayFrom(dock), x, y, kBubbleGapDip, kPopupEdgeDip};
}

PopupAnchor PopupAnchor::PanelFromDock(DockEdge dock, int x, int y) {
  return {PopupAnchorKind::Panel, AwayFrom(dock), x, y, kDockPanelGapDip, kPopupEdgeDip};
}

PopupAnchor PopupAnchor::PanelBelow(int x, int y) {
  return {PopupAnchorKind::Panel, PopupSide::Below, x, y, kHangingPanelGapDip, kPopupEdgeDip};
}

PopupAnchor PopupAnchor::FullMonitor() { return {PopupAnchorKind::FullMonitor, PopupSide::Above, 0, 0, 0, 0}; }

PopupAnchor PopupAnchor::TopRightOfMonitor(float rightDip, float topDip) {
  return {PopupAnchorKind::TopRight, PopupSide::Below, 0, 0, rightDip, topDip};
}

PopupPlacement PlacePopup(const PopupAnchor& anchor, const PopupSize& size, const PopupMonitor& monitor) {
  PopupPlacement out;
  out.side = anchor.side;
  if (anchor.kind == PopupAnchorKind::FullMonitor) {
    out.window = monitor.bounds;
    return out;
  }

  const float scale = std::isfinite(monitor.scale) ? std::max(monitor.scale, 1.0f) : 1.0f;
  if (anchor.kind == PopupAnchorKind::TopRight) {
    const ScreenRect& b = monitor.bounds;
    const int width = std::max(size.plateWidth, 1), height = std::max(size.plateHeight, 1);
    const int left = Keep(b.right - Pixels(std::max(anchor.gapDip, 0.0f), scale) - width, width, b.left, b.right);
    const int top = Keep(b.top + Pixels(std::max(anchor.edgeDip, 0.0f), scale), height, b.top, b.bottom);
    const int margin = std::max(size.margin, 0);
    out.window = ScreenRect{left - margin, top - margin, left + width + margin, top + height + margin};
    return out;
  }
  const ScreenRect area = monitor.workArea.IsEmpty() ? monitor.bounds : monitor.workArea;
  const int gap = Pixels(std::max(anchor.gapDip, 0.0f), scale);
  const int edge = Pixels(std::max(anchor.edgeDip, 0.0f), scale);
  const int width = std::max(size.plateWidth, 1), height = std::max(size.plateHeight, 1);

  const bool vertical = anchor.side == PopupSide::Above || anchor.side == PopupSide::Below;
  const Across across = vertical ? Across{anchor.y, gap, height, area.top + edge, area.bottom - edge}
                                 : Across{anchor.x, gap, width, area.left + edge, area.right - edge};
  // Open on the preferred side unless it lacks the room and the other side
  // offers more.
  const bool before = anchor.side == PopupSide::Above || anchor.side == PopupSide::Left;
  const int room = before ? across.RoomBefore() : across.RoomAfter();
  const int otherRoom = before ? across.RoomAfter() : across.RoomBefore();
  if (room < across.length && otherRoom > room) out.side = Opposite(anchor.side);
  const bool opensBefore = out.side == PopupSide::Above || out.side == PopupSide::Left;
  const int acrossStart = Keep(opensBefore ? across.BeforeStart() : across.AfterStart(), across.length, across.lo,
                               across.hi);

  // Along the anchor: centred on it.
  int plateLeft = 0, plateTop = 0;
  if (vertical) {
    plateTop = acrossStart;
    plateLeft = Keep(anchor.x - width / 2, width, area.left + edge, area.right - edge);
  } else {
    plateLeft = acrossStart;
    plateTop = Keep(anchor.y - height / 2, height, area.top + edge, area.bottom - edge);
  }

  const int margin = std::max(size.margin, 0);
  out.window = ScreenRect{plateLeft - margin, plateTop - margin, plateLeft + width + margin,
                          plateTop + height + margin};
  return out;
}

}  // namespace orvane
