#include <windows.h>

#include "app/DataDirs.h"
#include "config/ConfigFile.h"
#include "system/win32/Win32SystemControls.h"

namespace orvane {
namespace {

static_assert(sizeof(GammaRamp) == sizeof(WORD[3][256]), "GammaRamp must have the platform's ramp layout");

class Win32ScreenGamma : public ScreenGamma {
 public:
  explicit Win32ScreenGamma(HDC dc) : dc_(dc) {}
  ~Win32ScreenGamma() override { ReleaseDC(nullptr, dc_); }
  Win32ScreenGamma(const Win32ScreenGamma&) = delete;
  Win32ScreenGamma& operator=(const Win32ScreenGamma&) = delete;

  std::optional<GammaRamp> Read() override {
    GammaRamp ramp{};
    if (!GetDeviceGammaRamp(dc_, ramp.data())) return std::nullopt;
    return ramp;
  }
  bool Write(const GammaRamp& ramp) override {
    // SetDeviceGammaRamp only reads the ramp; its parameter is not const.
    GammaRamp copy = ramp;
    return SetDeviceGammaRamp(dc_, copy.data()) != FALSE;
  }

 private:
  HDC dc_;
};

}  // namespace

std::unique_ptr<ScreenGamma> Win32ScreenGammaPlatform::OpenScreen() {
  HDC dc = GetDC(nullptr);
  if (dc == nullptr) return nullptr;
  return std::make_unique<Win32ScreenGamma>(dc);
}

NightLight& ProcessNightLight() {
  static Win32ScreenGammaPlatform platform;
  static GammaRampFile saved(PlatformConfigFileSystem(), LocalDataDirectory());
  static NightLight nightLight(platform, &saved);
  return nightLight;
}

}  // namespace orvane
