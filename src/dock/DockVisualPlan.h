#pragma once
// Turns a layout into what the dock's visuals show this frame, in physical
// pixels of the render window. The hub writes these numbers into its
// composition visuals; nothing here touches them.

#include <span>
#include <vector>

#include "config/DockConfig.h"
#include "dock/DockItemView.h"
#include "dock/DockLayout.h"
#include "render/Composition.h"

namespace orvane {

struct DockItemVisual {
  Vector2 offset;
  Vector2 size;
  float opacity = 1;
  bool indicatorVisible = false;
  float indicatorOpacity = 0;
  Vector2 indicatorOffset;
  float indicatorSize = 0;  // the indicator is square
};

struct DockDraggedIcon {
  bool visible = false;
  Vector2 offset;
  Vector2 size;
  float opacity = 0;
};

struct DockVisualPlan {
  Vector2 rootOffset;  // slides the whole dock off the screen edge as it hides
  DockRectF plate;     // whole pixels, for GlassPlate::Place
  std::vector<DockItemVisual> items;
  DockDraggedIcon dragged;
};

// The item lifted out of the list while it is dragged.
struct DockDragVisualInput {
  float magnification = 1;  // its magnification spring's value
  float opacity = 1;        // the dragged-icon opacity spring's value
  Vector2 point;            // its centre, DIPs
};

void PlanDockVisuals(const DockLayout& layout, std::span<const DockItemView> items, const DockConfig& config,
                     float scale, float hiddenAmount, const DockDragVisualInput* drag, DockVisualPlan& out);

}  // namespace orvane
