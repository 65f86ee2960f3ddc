#include "render/Theme.h"

namespace orvane {
namespace {

constexpr ThemeColor Argb(std::uint32_t argb) { return ThemeColor::FromArgb(argb); }

}  // namespace

Theme MakeTheme(bool dark, bool transparency) {
  Theme t;
  t.dark = dark;
  t.transparency = transparency;
  if (dark) {
    t.plateBlurTint = Argb(0x8A1C1C20);
    t.plateSolid = Argb(0xF0222226);
    t.rimOutline = Argb(0x80000000);
    t.rimGradientTop = Argb(0x3AFFFFFF);
    t.rimGradientBottom = Argb(0x12FFFFFF);
    t.separator = Argb(0x44FFFFFF);
    t.indicator = Argb(0xDCFFFFFF);
    t.tooltipBlurTint = Argb(0xB2242428);
    t.tooltipSolid = Argb(0xF42A2A2E);
    t.tooltipBorder = Argb(0x34FFFFFF);
    t.tooltipText = Argb(0xFFF6F6F9);
    t.grainOpacity = transparency ? 0.018f : 0.010f;
    t.shadowOpacity = 0.42f;
  } else {
    t.plateBlurTint = Argb(0x94F6F6FA);
    t.plateSolid = Argb(0xF2F2F2F6);
    t.rimOutline = Argb(0x2A000000);
    t.rimGradientTop = Argb(0xC3FFFFFF);
    t.rimGradientBottom = Argb(0x5CFFFFFF);
    t.separator = Argb(0x38000000);
    t.indicator = Argb(0xD21C1C20);
    t.tooltipBlurTint = Argb(0xBAF8F8FC);
    t.tooltipSolid = Argb(0xF6F4F4F8);
    t.tooltipBorder = Argb(0x22000000);
    t.tooltipText = Argb(0xFF1A1A1E);
    t.grainOpacity = transparency ? 0.014f : 0.008f;
    t.shadowOpacity = 0.24f;
  }
  return t;
}

Theme ReadTheme(ThemeSettings& settings) {
  const std::optional<std::uint32_t> light = settings.PersonalizeValue(L"AppsUseLightTheme");
  const std::optional<std::uint32_t> transparency = settings.PersonalizeValue(L"EnableTransparency");
  const bool isLight = !light || *light != 0;
  bool isTransparent = !transparency || *transparency != 0;
  if (settings.HighContrastOn()) isTransparent = false;
  return MakeTheme(!isLight, isTransparent);
}

}  // namespace orvane
