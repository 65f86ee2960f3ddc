#include "dock/DockVisualPlan.h"

#include <algorithm>
#include <cmath>

namespace orvane {

void PlanDockVisuals(const DockLayout& layout, std::span<const DockItemView> items, const DockConfig& config,
                     float scale, float hiddenAmount, const DockDragVisualInput* drag, DockVisualPlan& out) {
  const float hide =
      (2.0f * config.paddingY + config.iconSize + config.bottomMargin + 22.0f) * scale * hiddenAmount;
  switch (layout.orientation) {
    case DockOrientation::Bottom: out.rootOffset = {0, hide}; break;
    case DockOrientation::Left: out.rootOffset = {-hide, 0}; break;
    case DockOrientation::Right: out.rootOffset = {hide, 0}; break;
  }

  // Edges are rounded (std::round: halves away from zero), not the size, so neighbouring plate visuals meet exactly.
  const DockRectF& p = layout.plate;
  const float left = std::round(p.x * scale);
  const float top = std::round(p.y * scale);
  out.plate = {left, top, std::max(1.0f, std::round((p.x + p.width) * scale) - left),
               std::max(1.0f, std::round((p.y + p.height) * scale) - top)};

  const size_t n = std::min(items.size(), layout.slots.size());
  out.items.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const DockSlot& s = layout.slots[i];
    const DockItemMotion& m = *items[i].motion;
    DockItemVisual& v = out.items[i];
    v.offset = {s.iconLeft * scale, s.iconTop * scale};
    v.size = {std::max(1.0f, s.iconWidth * scale), std::max(1.0f, s.iconHeight * scale)};
    v.opacity = s.kind == DockItemKind::Separator ? 1.0f : m.pressOpacity.value;
    v.indicatorVisible = m.indicator.value > 0.01f;
    v.indicatorOpacity = std::clamp(m.indicator.value, 0.0f, 1.0f);
    v.indicatorSize = 8.0f * scale;
    v.indicatorOffset = {s.indicatorX * scale - 4.0f * scale, s.indicatorY * scale - 4.0f * scale};
  }

  out.dragged = {};
  if (drag != nullptr) {
    const float side = drag->magnification * config.iconSize * scale;
    out.dragged.visible = true;
    out.dragged.size = {side, side};
    out.dragged.offset = {drag->point.x * scale - side / 2.0f, drag->point.y * scale - side / 2.0f};
    out.dragged.opacity = std::clamp(drag->opacity, 0.0f, 1.0f);
  }
}

}  // namespace orvane
