#pragma once
// A machine held in memory, for tests and the preview tool: an audio
// endpoint, WMI and DDC/CI brightness, displays with their modes, a recycle
// bin, a power status and a screen gamma ramp. Every call that changes
// something is recorded in `calls`, in order, so tests can see what was asked.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "system/NightLight.h"
#include "system/SystemControlsPlatform.h"

namespace orvane {

class FakeSystemControlsPlatform : public SystemControlsPlatform {
 public:
  struct Audio {
    std::optional<float> level = 0.5f;  // nullopt: the level read fails
    std::optional<bool> muted = false;  // nullopt: the mute read fails
    bool writesFail = false;
  };
  struct Display {
    std::wstring deviceString;              // EnumDisplayDevicesW's DeviceString
    std::optional<DisplayMode> current;     // nullopt: the current-settings read fails
    std::vector<DisplayMode> modes;
    std::optional<MonitorBrightnessRange> ddc;  // nullopt: no DDC/CI
    bool ddcSetFails = false;
  };

  std::optional<Audio> audio = Audio{};  // nullopt: no endpoint
  std::optional<std::int64_t> wmiBrightness;  // nullopt: WMI has no brightness
  bool wmiSetFails = false;
  // The display WMI's brightness drives: the primary monitor's panel.
  std::wstring wmiInstance = L"DISPLAY\\BOE0812\\4&2a5f3c&0&UID265988_0";
  // Device name -> device interface.
  std::map<std::wstring, std::wstring> deviceInterfaces{
      {L"\\\\.\\DISPLAY1", L"\\\\?\\DISPLAY#BOE0812#4&2a5f3c&0&UID265988#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}"}};
  // Monitor handle -> device name; handle 0 is the primary monitor.
  std::map<MonitorHandle, std::wstring> monitors{{0, L"\\\\.\\DISPLAY1"}};
  std::map<std::wstring, Display> displays;  // by device name; "" reads the primary
  std::wstring primaryDevice = L"\\\\.\\DISPLAY1";
  bool modeTestFails = false;    // CDS_TEST refuses
  bool modeChangeFails = false;
  std::optional<RecycleBinInfo> recycleBin = RecycleBinInfo{};
  std::optional<PowerStatusInfo> powerStatus;
  bool powerActionsFail = false;

  std::vector<std::wstring> calls;

  std::unique_ptr<AudioEndpoint> OpenAudioEndpoint() override;
  std::wstring WmiBrightnessInstance() override { return wmiBrightness ? wmiInstance : std::wstring(); }
  std::optional<std::int64_t> WmiCurrentBrightness() override { return wmiBrightness; }
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
  std::optional<RecycleBinInfo> QueryRecycleBin() override { return recycleBin; }
  bool EmptyRecycleBin(WindowHandle owner) override;
  void DeregisterShellNotify(std::uint32_t registration) override;
  std::optional<PowerStatusInfo> PowerStatus() override { return powerStatus; }
  bool LockWorkStation() override { return Record(L"lock"); }
  bool Suspend() override { return Record(L"suspend"); }
  bool LogOff() override { return Record(L"log off"); }
  bool RunHidden(const std::wstring& file, const std::wstring& parameters) override {
    return Record(L"run " + file + L" " + parameters);
  }

  Display* FindDisplay(const std::wstring& device);

 private:
  bool Record(std::wstring call) {
    calls.push_back(std::move(call));
    return !powerActionsFail;
  }
};

// A screen whose gamma ramp lives in memory. Every write attempted is kept in
// `writes`, in order; `ramp` takes only those that succeed.
class FakeScreenGammaPlatform : public ScreenGammaPlatform {
 public:
  GammaRamp ramp = IdentityGammaRamp();
  bool openFails = false;  // GetDC fails
  bool readFails = false;
  bool writeFails = false;
  std::vector<GammaRamp> writes;
  std::function<void()> duringWrite;  // runs inside each write, before it lands

  std::unique_ptr<ScreenGamma> OpenScreen() override;
};

}  // namespace orvane
