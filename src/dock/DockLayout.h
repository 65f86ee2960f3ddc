#pragma once
// Lays the dock's items out on the glass plate, every frame, in DIPs of the
// render window. Inputs are plain per-item frame records so the layout can
// be run again cheaply (the slide step lays out twice per frame).

#include <span>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockGeometry.h"
#include "dock/DockItemKind.h"
#include "render/Canvas.h"

namespace orvane {

// The music tile of a bottom dock is this much longer than an icon is wide.
inline constexpr float kMusicExtraLength = 206.0f;

struct DockFrameRecord {
  DockItemKind kind = DockItemKind::Pinned;
  float scale = 1.0f;          // magnification, at least 0.5
  float appearance = 1.0f;     // grows from near 0 for new items
  float slide = 0.0f;          // along the dock
  float bounceLift = 0.0f;     // away from the screen edge
  float bounceAcross = 1.0f;   // scale across the bounce direction
  float bounceAlong = 1.0f;    // scale along the bounce direction
  float extraLength = 0.0f;    // kMusicExtraLength for the music item of a bottom dock, else 0
};

struct DockSlot {
  DockItemKind kind = DockItemKind::Pinned;
  float iconLeft = 0, iconTop = 0, iconWidth = 0, iconHeight = 0;
  float slotStart = 0;  // along the dock, before the slide offset
  float size = 0;       // scale x icon size (2 for a separator)
  float scale = 1;
  float centerX = 0, centerY = 0;
  float indicatorX = 0, indicatorY = 0;
};

struct DockRectF {
  float x = 0, y = 0, width = 0, height = 0;
};

struct DockLayout {
  DockOrientation orientation = DockOrientation::Bottom;
  DockRectF plate;
  RectF hoverBounds;  // the plate along the dock; across, from the screen edge to the farthest icon
  std::vector<DockSlot> slots;
};

struct DockLayoutParams {
  DockOrientation orientation = DockOrientation::Bottom;
  float windowLength = 0;  // render window width, DIPs
  float windowDepth = 0;   // render window height, DIPs
  int gapSlot = -1;        // an open drop gap lies before this item (or at the end when it equals the count)
  float gapSize = 0;
};

// Fills `out` (its slot vector is reused, so a steady dock allocates nothing).
void LayoutDock(std::span<const DockFrameRecord> items, const DockConfig& config, const DockLayoutParams& params,
                DockLayout& out);

}  // namespace orvane
