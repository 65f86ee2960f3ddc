#include <gtest/gtest.h>

#include <optional>

#include "render/Theme.h"

namespace orvane {
namespace {

TEST(ThemeReadTest, PersonalizeValuesAndHighContrastPickThePalette) {
  struct Case {
    const char* name;
    std::optional<std::uint32_t> appsUseLightTheme;
    std::optional<std::uint32_t> enableTransparency;
    bool highContrast;
    bool dark;
    bool transparency;
    float grain;
  };
  const Case cases[] = {
      {"nothing stored", std::nullopt, std::nullopt, false, false, true, 0.014f},
      {"light apps", 1, 1, false, false, true, 0.014f},
      {"any non-zero is light", 2, std::nullopt, false, false, true, 0.014f},
      {"dark apps", 0, std::nullopt, false, true, true, 0.018f},
      {"transparency off", 1, 0, false, false, false, 0.008f},
      {"dark without transparency", 0, 0, false, true, false, 0.010f},
      {"high contrast overrides transparency", std::nullopt, 1, true, false, false, 0.008f},
      {"dark apps under high contrast", 0, std::nullopt, true, true, false, 0.010f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryThemeSettings settings;
    if (c.appsUseLightTheme) settings.values[L"AppsUseLightTheme"] = *c.appsUseLightTheme;
    if (c.enableTransparency) settings.values[L"EnableTransparency"] = *c.enableTransparency;
    settings.highContrast = c.highContrast;

    const Theme theme = ReadTheme(settings);
    EXPECT_EQ(theme.dark, c.dark);
    EXPECT_EQ(theme.transparency, c.transparency);
    EXPECT_FLOAT_EQ(theme.grainOpacity, c.grain);
    EXPECT_EQ(theme, MakeTheme(c.dark, c.transparency));
  }
}

TEST(ThemeReadTest, ColoursAreStoredRgbaAndConvertFromArgb) {
  const Theme dark = MakeTheme(true, true);
  // #8A1C1C20: alpha 0x8A, then R, G, B.
  EXPECT_EQ(dark.plateBlurTint, (ThemeColor{0x1C, 0x1C, 0x20, 0x8A}));
  EXPECT_EQ(dark.plateBlurTint.ToArgb(), 0x8A1C1C20u);
  const Color color = ToColor(dark.plateBlurTint);
  EXPECT_FLOAT_EQ(color.r, 0x1C / 255.0f);
  EXPECT_FLOAT_EQ(color.b, 0x20 / 255.0f);
  EXPECT_FLOAT_EQ(color.a, 0x8A / 255.0f);

  const Theme light = MakeTheme(false, false);
  EXPECT_EQ(light.tooltipText.ToArgb(), 0xFF1A1A1Eu);
  EXPECT_FLOAT_EQ(light.shadowOpacity, 0.24f);
  EXPECT_FLOAT_EQ(dark.shadowOpacity, 0.42f);
}

TEST(ThemeReadTest, LinuxSystemSettingsReadAsAFreshAccount) {
  const Theme theme = ReadTheme();
  EXPECT_FALSE(theme.dark);
  EXPECT_TRUE(theme.transparency);
}

}  // namespace
}  // namespace orvane
