#include <windows.h>

#include <string>

#include "render/Theme.h"

namespace orvane {
namespace {

class RegistryThemeSettings final : public ThemeSettings {
 public:
  std::optional<std::uint32_t> PersonalizeValue(std::wstring_view name) override {
    const std::wstring valueName(name);
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                     valueName.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return static_cast<std::uint32_t>(value);
  }

  bool HighContrastOn() override {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0)) return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
  }
};

}  // namespace

ThemeSettings& SystemThemeSettings() {
  static RegistryThemeSettings settings;
  return settings;
}

}  // namespace orvane
