#pragma once
// What the display, audio and power controls ask of the platform. Windows:
// win32/Win32SystemControls; tests and the preview tool:
// FakeSystemControlsPlatform. Each call answers what the Win32 call it names
// answers, with nullopt, false or "" where that call fails. Nothing is kept
// between calls: every operation opens and releases its own objects.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "system/WindowHandle.h"

namespace orvane {

// The default render endpoint's volume control (eRender, eConsole), opened
// for one operation.
class AudioEndpoint {
 public:
  virtual ~AudioEndpoint() = default;
  virtual std::optional<float> MasterLevel() = 0;  // GetMasterVolumeLevelScalar
  virtual std::optional<bool> Muted() = 0;         // GetMute
  virtual bool SetMasterLevel(float level) = 0;    // SetMasterVolumeLevelScalar
  virtual bool SetMuted(bool muted) = 0;           // SetMute
};

// GetMonitorBrightness's three values.
struct MonitorBrightnessRange {
  std::uint32_t minimum = 0;
  std::uint32_t current = 0;
  std::uint32_t maximum = 0;
};

// The first physical monitor behind a display monitor, opened for one
// operation and released (DestroyPhysicalMonitors) with this object.
class PhysicalMonitor {
 public:
  virtual ~PhysicalMonitor() = default;
  virtual std::optional<MonitorBrightnessRange> Brightness() = 0;  // GetMonitorBrightness
  virtual bool SetBrightness(std::uint32_t value) = 0;             // SetMonitorBrightness
};

// One display mode as EnumDisplaySettingsW describes it.
struct DisplayMode {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bitsPerPixel = 0;
  std::int32_t refreshHz = 0;
  bool operator==(const DisplayMode&) const = default;
};

// SHQueryRecycleBinW over all drives.
struct RecycleBinInfo {
  std::int64_t items = 0;
  std::int64_t bytes = 0;
};

// The fields of GetSystemPowerStatus that are read.
struct PowerStatusInfo {
  std::uint8_t acLineStatus = 255;        // 0 offline, 1 online, 255 unknown
  std::uint8_t batteryFlag = 255;         // bit flags; 128 no battery, 255 unknown
  std::uint8_t batteryLifePercent = 255;  // 0-100, 255 unknown
};

class SystemControlsPlatform {
 public:
  virtual ~SystemControlsPlatform() = default;

  // --- audio -----------------------------------------------------------------
  // MMDeviceEnumerator -> default endpoint -> IAudioEndpointVolume; null when
  // any step fails.
  virtual std::unique_ptr<AudioEndpoint> OpenAudioEndpoint() = 0;

  // --- brightness ----------------------------------------------------------
  // "InstanceName" of the first WmiMonitorBrightness object in ROOT\WMI (the
  // display WMI's brightness drives); "" when there is none.
  virtual std::wstring WmiBrightnessInstance() = 0;
  // "CurrentBrightness" of that object, as the integer it holds; nullopt when
  // the query fails, times out or the value has a type other than the
  // integer types it comes in.
  virtual std::optional<std::int64_t> WmiCurrentBrightness() = 0;
  // WmiSetBrightness(Timeout 0, Brightness percent) on the
  // WmiMonitorBrightnessMethods object with that instance name.
  virtual bool WmiSetBrightness(const std::wstring& instance, std::uint8_t percent) = 0;
  // Null when the monitor has no physical monitor or they cannot be read.
  virtual std::unique_ptr<PhysicalMonitor> OpenPhysicalMonitor(MonitorHandle monitor) = 0;

  // --- display settings ----------------------------------------------------
  // GetMonitorInfoW's device name ("\\.\DISPLAY1").
  virtual std::wstring MonitorDeviceName(MonitorHandle monitor) = 0;
  // EnumDisplayDevicesW(device, 0).DeviceString.
  virtual std::wstring DisplayDeviceString(const std::wstring& device) = 0;
  // EnumDisplayDevicesW(device, 0, EDD_GET_DEVICE_INTERFACE_NAME).DeviceID:
  // the monitor's device interface ("\\?\DISPLAY#...#{...}").
  virtual std::wstring DisplayDeviceInterface(const std::wstring& device) = 0;
  // EnumDisplaySettingsW with ENUM_CURRENT_SETTINGS; "" is the primary display.
  virtual std::optional<DisplayMode> CurrentDisplayMode(const std::wstring& device) = 0;
  // EnumDisplaySettingsW with a mode index; nullopt past the last mode.
  virtual std::optional<DisplayMode> DisplayModeAt(const std::wstring& device, std::uint32_t index) = 0;
  // The device's current settings with width, height and frequency replaced,
  // through ChangeDisplaySettingsExW on that device: with CDS_TEST (nothing
  // changes), or with CDS_UPDATEREGISTRY. True only on DISP_CHANGE_SUCCESSFUL.
  virtual bool TestDisplayMode(const std::wstring& device, std::int32_t width, std::int32_t height,
                               std::int32_t refreshHz) = 0;
  virtual bool ChangeDisplayMode(const std::wstring& device, std::int32_t width, std::int32_t height,
                                 std::int32_t refreshHz) = 0;

  // --- shell ---------------------------------------------------------------
  virtual std::optional<RecycleBinInfo> QueryRecycleBin() = 0;
  // SHEmptyRecycleBinW for all drives with flags 0: the shell asks the user
  // to confirm, owned by owner.
  virtual bool EmptyRecycleBin(WindowHandle owner) = 0;
  virtual void DeregisterShellNotify(std::uint32_t registration) = 0;  // SHChangeNotifyDeregister

  // --- power ---------------------------------------------------------------
  virtual std::optional<PowerStatusInfo> PowerStatus() = 0;  // GetSystemPowerStatus
  virtual bool LockWorkStation() = 0;
  virtual bool Suspend() = 0;  // SetSuspendState: sleep, not forced, wake events allowed
  virtual bool LogOff() = 0;   // ExitWindowsEx(EWX_LOGOFF, 0)
  // ShellExecuteW "open" with SW_HIDE.
  virtual bool RunHidden(const std::wstring& file, const std::wstring& parameters) = 0;
};

}  // namespace orvane
