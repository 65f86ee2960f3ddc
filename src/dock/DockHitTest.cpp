#include "dock/DockHitTest.h"

#include <cmath>

namespace orvane {

int HitTestDock(const DockLayout& layout, float x, float y) {
  const RectF& b = layout.hoverBounds;
  const bool bottom = layout.orientation == DockOrientation::Bottom;
  // The band above a bottom dock's icons (and beside a side dock's) is a
  // little wider than the icons so the pointer does not flicker at the edge.
  if (bottom) {
    if (x < b.left || x > b.right || y < b.top - 6.0f || y > b.bottom) return -1;
  } else {
    if (x < b.left - 6.0f || x > b.right + 6.0f || y < b.top || y > b.bottom) return -1;
  }
  const float along = bottom ? x : y;
  int best = -1;
  float bestDistance = 0;
  for (size_t i = 0; i < layout.slots.size(); ++i) {
    const DockSlot& s = layout.slots[i];
    if (s.kind == DockItemKind::Separator) continue;
    const float start = bottom ? s.iconLeft : s.iconTop;
    const float extent = bottom ? s.iconWidth : s.iconHeight;
    if (along < start - 4.0f || along > start + extent + 4.0f) continue;
    if (bottom && y < s.iconTop - 6.0f) continue;
    const float distance = std::fabs((bottom ? s.centerX : s.centerY) - along);
    if (best < 0 || distance < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

bool InsideHoverBounds(const DockLayout& layout, float x, float y, float margin) {
  const RectF& b = layout.hoverBounds;
  return x >= b.left - margin && x <= b.right + margin && y >= b.top - margin && y <= b.bottom + margin;
}

}  // namespace orvane
