#pragma once
// Which dock item lies under the pointer, from the last layout.

#include "dock/DockLayout.h"

namespace orvane {

// The pointer in render-window DIPs. Returns the index of the hovered item,
// the one whose centre is nearest along the dock among those whose icon
// (widened by 4 DIPs at both ends) covers the pointer; -1 for none.
// Separators are never hit.
int HitTestDock(const DockLayout& layout, float x, float y);

// The pointer lies within the hover bounds widened by `margin` on every side.
bool InsideHoverBounds(const DockLayout& layout, float x, float y, float margin);

}  // namespace orvane
