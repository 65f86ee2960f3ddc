#pragma once
// Display, audio and power controls on Windows: core audio, WMI and DDC/CI
// brightness, display settings, the gamma ramp, the recycle bin and power
// management. The methods live in one file per area:
//   Win32AudioEndpoint.cpp    IMMDeviceEnumerator / IAudioEndpointVolume
//   Win32WmiBrightness.cpp    ROOT\WMI WmiMonitorBrightness(Methods)
//   Win32MonitorControls.cpp  physical monitors (dxva2) and display settings
//   Win32ScreenGamma.cpp      Get/SetDeviceGammaRamp and the process's night light
//   Win32ShellPower.cpp       recycle bin, shell notifications, power

#include "system/NightLight.h"
#include "system/SystemControlsPlatform.h"

namespace orvane {

class Win32SystemControlsPlatform : public SystemControlsPlatform {
 public:
  std::unique_ptr<AudioEndpoint> OpenAudioEndpoint() override;
  std::wstring WmiBrightnessInstance() override;
  std::optional<std::int64_t> WmiCurrentBrightness() override;
  bool WmiSetBrightness(const std::wstring& instance, std::uint8_t percent) override;
  std::unique_ptr<PhysicalMonitor> OpenPhysicalMonitor(MonitorHandle monitor) override;
  std::wstring MonitorDeviceName(MonitorHandle monitor) override;
  std::wstring DisplayDeviceString(const std::wstring& device) override;
  std::wstring DisplayDeviceInterface(const std::wstring& device) override;
  std::optional<DisplayMode> CurrentDisplayMode(const std::wstring& device) override;
  std::optional<DisplayMode> DisplayModeAt(const std::wstring& device, std::uint32_t index) override;
  bool TestDisplayMode(const std::wstring& device, std::int32_t width, std::int32_t height,
                       std::int32_t refreshHz) override;
  bool ChangeDisplayMode(const std::wstring& device, std::int32_t width, std::int32_t height,
                         std::int32_t refreshHz) override;
  std::optional<RecycleBinInfo> QueryRecycleBin() override;
  bool EmptyRecycleBin(WindowHandle owner) override;
  void DeregisterShellNotify(std::uint32_t registration) override;
  std::optional<PowerStatusInfo> PowerStatus() override;
  bool LockWorkStation() override;
  bool Suspend() override;
  bool LogOff() override;
  bool RunHidden(const std::wstring& file, const std::wstring& parameters) override;
};

class Win32ScreenGammaPlatform : public ScreenGammaPlatform {
 public:
  std::unique_ptr<ScreenGamma> OpenScreen() override;
};

// The one night light of the process, over the whole screen's gamma ramp,
// keeping the user's ramp in the local data directory while a tint is on.
// The entry point recovers a ramp left by an earlier run and registers
// Restore as the gamma exit restore.
NightLight& ProcessNightLight();

}  // namespace orvane
