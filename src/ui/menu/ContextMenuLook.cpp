#include "ui/menu/ContextMenuLook.h"

namespace orvane {

GlassLook ContextMenuGlassLook() {
  GlassLook look;
  look.darkBlurTint = 0xB2222226;
  look.lightBlurTint = 0xBCF8F8FC;
  look.darkSolidTint = 0xF628282C;
  look.lightSolidTint = 0xF8F6F6FA;
  look.saturation = 1.45f;
  look.shadowDeviationDip = 4.5f;
  look.shadowDropDip = 2;
  return look;
}

MenuPalette MenuPaletteFor(const Theme& theme) {
  MenuPalette p;
  p.outline = ToColor(theme.rimOutline);
  p.innerOutline = ToColor(theme.rimGradientTop);
  p.separator = ToColor(theme.separator);
  p.label = ToColor(theme.tooltipText);
  p.labelDisabled = p.label.WithAlpha(p.label.a * 0.38f);
  p.labelHovered = Color{1, 1, 1, 1};
  p.labelDestructive = theme.dark ? Color{1.0f, 105 / 255.0f, 97 / 255.0f, 1} : Color{215 / 255.0f, 45 / 255.0f, 38 / 255.0f, 1};
  p.hoverFill = Color{10 / 255.0f, 132 / 255.0f, 1.0f, 0.88f};
  p.hoverFillDestructive = Color{1.0f, 69 / 255.0f, 58 / 255.0f, 0.88f};
  return p;
}

Color MenuLabelColor(const MenuPalette& palette, const MenuItem& item, bool hovered) {
  if (!item.enabled) return palette.labelDisabled;
  if (hovered) return palette.labelHovered;
  if (item.destructive) return palette.labelDestructive;
  return palette.label;
}

}  // namespace orvane
