#include "SystemControlsProbe.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/TextUtil.h"
#include "system/SystemControls.h"
#include "system/win32/Win32SystemControls.h"

namespace {

using namespace orvane;

void Line(const char* name, const std::wstring& value) {
  std::printf("%s=%s\n", name, WideToUtf8(value).c_str());
}

std::wstring Joined(const std::vector<std::int32_t>& values) {
  std::wstring text;
  for (std::int32_t value : values) text += (text.empty() ? L"" : L",") + std::to_wstring(value);
  return text;
}

void ProbeDisplay(Win32SystemControlsPlatform& platform) {
  const DisplaySnapshot display = ReadDisplay(platform, ProcessNightLight(), 0);
  Line("display", std::to_wstring(display.width) + L"x" + std::to_wstring(display.height) + L"@" +
                      std::to_wstring(display.refreshHz));
  Line("monitor", display.monitorName);
  Line("rates", Joined(display.refreshRates));
  std::wstring sizes;
  for (const DisplayResolution& size : display.resolutions) {
    sizes += (sizes.empty() ? L"" : L",") + std::to_wstring(size.width) + L"x" + std::to_wstring(size.height) +
             (size.isCurrent ? L"*" : L"");
  }
  Line("resolutions", sizes);
  Line("brightness", display.brightnessSupported ? std::to_wstring(display.brightness) : L"unsupported");
}

void ProbeGamma() {
  Win32ScreenGammaPlatform screen;
  std::unique_ptr<ScreenGamma> gamma = screen.OpenScreen();
  const std::optional<GammaRamp> before = gamma ? gamma->Read() : std::nullopt;
  Line("gamma-read", before ? L"ok" : L"failed");
  if (!before) return;
  gamma.reset();

  NightLight& nightLight = ProcessNightLight();
  const bool tinted = nightLight.SetNightLight(true);
  gamma = screen.OpenScreen();
  const std::optional<GammaRamp> during = gamma ? gamma->Read() : std::nullopt;
  Line("night-light", !tinted ? L"failed"
                      : during == ScaledGammaRamp(*before, GainsFor(true, false)) ? L"tinted"
                                                                                   : L"not tinted");
  nightLight.Restore();
  const std::optional<GammaRamp> after = gamma ? gamma->Read() : std::nullopt;
  Line("gamma-restore", after == before ? L"restored" : L"not restored");
}

}  // namespace

int RunSystemControlsProbe() {
  Win32SystemControlsPlatform platform;
  ProbeDisplay(platform);

  const BatteryStatus battery = ReadBatteryStatus(platform);
  Line("power-status", platform.PowerStatus() ? L"ok" : L"failed");
  Line("battery", battery.hasBattery ? std::to_wstring(battery.percent) + (battery.charging ? L"% charging" : L"%")
                                     : L"none");

  const std::optional<RecycleBinInfo> bin = platform.QueryRecycleBin();
  Line("recycle-bin", bin ? std::to_wstring(bin->items) + L" items, " + std::to_wstring(bin->bytes) + L" bytes"
                          : L"failed");

  float volume = 0.0f;
  bool muted = false;
  Line("volume", GetVolume(platform, volume, muted) ? std::to_wstring(volume) + (muted ? L" muted" : L"")
                                                    : L"no endpoint");
  ProbeGamma();
  return 0;
}
