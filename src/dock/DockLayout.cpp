#include "dock/DockLayout.h"

#include <algorithm>

namespace orvane {

namespace {

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float ItemLength(const DockFrameRecord& r, bool bottom, float iconSize) {
  if (r.kind == DockItemKind::Separator) return 2.0f;
  const float length = (bottom && r.extraLength > 0.0f)
                           ? (1.0f + 0.04f * std::max(0.0f, r.scale - 1.0f)) * r.extraLength
                           : r.scale * iconSize;
  return length * Clamp01(r.appearance);
}

// The gap widens with the neighbours' mean magnification; a wide tile counts as unmagnified.
float GapAfter(const DockFrameRecord& a, const DockFrameRecord& b, bool bottom, float spacing) {
  const auto gapScale = [bottom](const DockFrameRecord& r) {
    return (bottom && r.extraLength > 0.0f) ? 1.0f : r.scale;
  };
  const float m = std::max(0.0f, (gapScale(a) + gapScale(b)) / 2.0f - 1.0f);
  return (1.0f + 0.25f * m) * spacing * std::min(a.appearance, b.appearance);
}

}  // namespace

void LayoutDock(std::span<const DockFrameRecord> items, const DockConfig& config, const DockLayoutParams& params,
                DockLayout& out) {
  const size_t n = items.size();
  const bool bottom = params.orientation == DockOrientation::Bottom;
  const float iconSize = config.iconSize;
  const float padY = config.paddingY;
  const float plateThickness = 2.0f * padY + iconSize;

  // The open drop gap is part of the content, so the plate makes room for it
  // instead of pushing the last items off its end.
  const bool gapOpen = params.gapSlot >= 0 && static_cast<size_t>(params.gapSlot) <= n && params.gapSize > 0.0f;
  float content = 2.0f * config.paddingX + (gapOpen ? params.gapSize : 0.0f);
  for (size_t i = 0; i < n; ++i) {
    content += ItemLength(items[i], bottom, iconSize);
    if (i + 1 < n) content += GapAfter(items[i], items[i + 1], bottom, config.iconSpacing);
  }

  out.orientation = params.orientation;
  out.slots.resize(n);
  float baseline = 0;  // the icons' near edge across the dock
  float outward = 1;   // direction away from the screen edge across the dock
  switch (params.orientation) {
    case DockOrientation::Bottom: {
      const float base = params.windowDepth - config.bottomMargin;
      out.plate = {(params.windowLength - content) / 2.0f, base - plateThickness, content, plateThickness};
      baseline = base - padY;
      outward = -1;
      break;
    }
    case DockOrientation::Left:
      out.plate = {config.bottomMargin, (params.windowDepth - content) / 2.0f, plateThickness, content};
      baseline = config.bottomMargin + padY;
      break;
    case DockOrientation::Right:
      out.plate = {params.windowLength - config.bottomMargin - plateThickness, (params.windowDepth - content) / 2.0f,
                   plateThickness, content};
      baseline = out.plate.x + plateThickness - padY;
      outward = -1;
      break;
  }
  const DockRectF& plate = out.plate;
  const float plateAcross = bottom ? plate.y : plate.x;
  const float indicatorAcross = bottom                                        ? plate.y + plate.height - 3.2f
                                : params.orientation == DockOrientation::Left ? config.bottomMargin + 3.2f
                                                                              : plate.x + plateThickness - 3.2f;
  const float separatorLength = std::max(16.0f, plateThickness - 18.0f);

  // Farthest reach of the icons from the screen edge, the bounce lift left out.
  float farEdge = baseline;
  float t = (bottom ? plate.x : plate.y) + config.paddingX;
  bool gapPlaced = false;
  for (size_t i = 0; i < n; ++i) {
    if (gapOpen && !gapPlaced && static_cast<size_t>(params.gapSlot) == i) {
      t += params.gapSize;
      gapPlaced = true;
    }
    const DockFrameRecord& r = items[i];
    DockSlot& s = out.slots[i];
    const float length = ItemLength(r, bottom, iconSize);
    s.kind = r.kind;
    s.slotStart = t;
    s.scale = r.scale;

    // Along the dock: start and extent; across: offset from the plate's near side or the baseline.
    float alongStart, alongExtent, acrossNear, acrossExtent;
    if (r.kind == DockItemKind::Separator) {
      s.size = 2.0f;
      alongStart = t + r.slide;
      alongExtent = 1.5f;
      acrossExtent = separatorLength;
      acrossNear = plateAcross + (plateThickness - separatorLength) / 2.0f;
      farEdge = outward < 0 ? std::min(farEdge, acrossNear) : std::max(farEdge, acrossNear + acrossExtent);
    } else {
      const float appearance = Clamp01(r.appearance);
      const float extra = std::max(0.0f, r.scale - 1.0f);
      const bool tile = bottom && r.extraLength > 0.0f;
      float rise, reach;
      if (tile) {
        s.size = (1.0f + 0.06f * extra) * iconSize;
        alongExtent = length * r.bounceAcross;
        acrossExtent = appearance * s.size * r.bounceAlong;
        rise = 1.8f * extra * appearance;
        reach = acrossExtent + rise;
      } else {
        s.size = r.scale * iconSize;
        const float v = appearance * s.size;
        alongExtent = v * r.bounceAcross;
        acrossExtent = v * r.bounceAlong;
        rise = 3.0f * extra * appearance;
        reach = v + rise;
      }
      alongStart = t + length / 2.0f + r.slide - alongExtent / 2.0f;
      const float lifted = rise + r.bounceLift;
      acrossNear = outward > 0 ? baseline + lifted : baseline - lifted - acrossExtent;
      farEdge = outward > 0 ? std::max(farEdge, baseline + reach) : std::min(farEdge, baseline - reach);
    }

    if (bottom) {
      s.iconLeft = alongStart;
      s.iconTop = acrossNear;
      s.iconWidth = alongExtent;
      s.iconHeight = acrossExtent;
    } else {
      s.iconLeft = acrossNear;
      s.iconTop = alongStart;
      s.iconWidth = acrossExtent;
      s.iconHeight = alongExtent;
    }
    s.centerX = s.iconLeft + s.iconWidth / 2.0f;
    s.centerY = s.iconTop + s.iconHeight / 2.0f;
    s.indicatorX = bottom ? s.centerX : indicatorAcross;
    s.indicatorY = bottom ? indicatorAcross : s.centerY;

    t += length;
    if (i + 1 < n) t += GapAfter(r, items[i + 1], bottom, config.iconSpacing);
  }

  RectF& b = out.hoverBounds;
  switch (params.orientation) {
    case DockOrientation::Bottom:
      b = {plate.x, farEdge, plate.x + plate.width, plate.y + plate.height};
      break;
    case DockOrientation::Left:
      b = {plate.x, plate.y, farEdge, plate.y + plate.height};
      break;
    case DockOrientation::Right:
      b = {farEdge, plate.y, plate.x + plate.width, plate.y + plate.height};
      break;
  }
}

}  // namespace orvane
