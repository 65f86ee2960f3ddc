#pragma once
// Shows a list of rows on the shared menu's glass window, the way a menu
// opens at a point on the screen, for the scenes of every surface's menus.

#include <vector>

#include "Scenes.h"
#include "ui/menu/MenuItem.h"

namespace orvane::preview {

// Shows `items` on a glass menu window anchored at (anchorXDip, anchorYDip)
// on the screen, with the pointer resting on row `hoverRow`.
void BuildMenu(SceneContext& ctx, std::vector<MenuItem> items, int hoverRow, float anchorXDip, float anchorYDip);

}  // namespace orvane::preview
