#pragma once
// Drawing the menu bar's slots on its glass strip (physical pixels; DIP
// times the scale).

#include "render/Canvas.h"
#include "system/IconImage.h"
#include "ui/menubar/MenuBarModel.h"

namespace orvane {

// avatar: the user's picture (premultiplied BGRA), or empty for the glyph.
void DrawMenuBar(Canvas& canvas, const MenuBarModel& model, bool dark, float scale, const IconImage& avatar);

}  // namespace orvane
