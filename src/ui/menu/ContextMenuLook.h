#pragma once
// How the context menu looks: its glass and its colours in each theme.

#include "render/Canvas.h"
#include "render/GlassSurfaceWindow.h"
#include "render/Theme.h"
#include "ui/menu/MenuItem.h"

namespace orvane {

// The menu's glass: its own tints, a lighter backdrop saturation and a
// tighter shadow than the other popups.
GlassLook ContextMenuGlassLook();
inline constexpr float kContextMenuBlurDip = 20;

struct MenuPalette {
  Color outline;       // outer rim
  Color innerOutline;  // inner rim
  Color separator;
  Color label;
  Color labelDisabled;
  Color labelHovered;
  Color labelDestructive;
  Color hoverFill;
  Color hoverFillDestructive;
};
MenuPalette MenuPaletteFor(const Theme& theme);

// A row's label colour: disabled rows stay dimmed, the hovered row is white
// on its fill, then destructive rows are red.
Color MenuLabelColor(const MenuPalette& palette, const MenuItem& item, bool hovered);

}  // namespace orvane
