#pragma once
// The shared look: light or dark, transparency on or off, and the colours and
// opacities the dock, its tooltip and the popups read. Read from the user's
// personalisation settings at start and on every settings change, then copied
// by value into every surface.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "render/Canvas.h"

namespace orvane {

// A theme colour as stored: bytes R, G, B, A (straight alpha).
struct ThemeColor {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;

  static constexpr ThemeColor FromArgb(std::uint32_t argb) {
    return ThemeColor{static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                      static_cast<std::uint8_t>(argb), static_cast<std::uint8_t>(argb >> 24)};
  }
  constexpr std::uint32_t ToArgb() const {
    return (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(r) << 16) |
           (static_cast<std::uint32_t>(g) << 8) | b;
  }
  bool operator==(const ThemeColor&) const = default;
};

inline Color ToColor(ThemeColor c) { return Color::FromArgb(c.ToArgb()); }

struct Theme {
  bool dark = false;
  bool transparency = true;  // blur may be used
  ThemeColor plateBlurTint;
  ThemeColor plateSolid;
  ThemeColor rimOutline;
  ThemeColor rimGradientTop;
  ThemeColor rimGradientBottom;
  ThemeColor separator;
  ThemeColor indicator;  // its glow uses 0.28 x this alpha
  ThemeColor tooltipBlurTint;
  ThemeColor tooltipSolid;
  ThemeColor tooltipBorder;
  ThemeColor tooltipText;
  float grainOpacity = 0;   // the dock's grain sprite
  float shadowOpacity = 0;  // peak of the dock's procedural shadow

  bool operator==(const Theme&) const = default;
};

// The dark or light palette; transparency also picks the grain opacity.
Theme MakeTheme(bool dark, bool transparency);

// What ReadTheme needs from the system.
class ThemeSettings {
 public:
  virtual ~ThemeSettings() = default;
  // A DWORD value under the current user's Personalize key
  // ("AppsUseLightTheme", "EnableTransparency"); nullopt when missing or unreadable.
  virtual std::optional<std::uint32_t> PersonalizeValue(std::wstring_view name) = 0;
  virtual bool HighContrastOn() = 0;
};

// Settings kept in memory: the Linux build's system settings (nothing stored,
// so light with transparency, as a fresh Windows account) and the tests' fake.
class MemoryThemeSettings final : public ThemeSettings {
 public:
  std::optional<std::uint32_t> PersonalizeValue(std::wstring_view name) override {
    const auto it = values.find(std::wstring(name));
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool HighContrastOn() override { return highContrast; }

  std::map<std::wstring, std::uint32_t> values;
  bool highContrast = false;
};

// The platform's settings (win32/ThemeReaderWin32.cpp, headless/ThemeSettingsHeadless.cpp).
ThemeSettings& SystemThemeSettings();

// Missing values count as light with transparency; high contrast turns
// transparency off so every surface draws solid colours.
Theme ReadTheme(ThemeSettings& settings);
inline Theme ReadTheme() { return ReadTheme(SystemThemeSettings()); }

}  // namespace orvane
