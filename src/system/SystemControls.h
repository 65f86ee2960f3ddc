#pragma once
// Reading and changing the machine's volume, monitor brightness, display
// mode, recycle bin and power state for the control center, the menu bar and
// the dock. Synchronous, on the UI thread (COM initialised as a single-threaded
// apartment). Every operation reports success as a bool or leaves its
// defaults, and never shows anything: callers turn results into status text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "system/DisplayModes.h"
#include "system/NightLight.h"
#include "system/SystemControlsPlatform.h"

namespace orvane {

inline constexpr const wchar_t* kDefaultMonitorName = L"内建显示器";

struct DisplaySnapshot {
  bool brightnessSupported = false;
  float brightness = 1.0f;  // 0-1
  bool nightLight = false;
  bool softColour = false;
  std::wstring monitorName = kDefaultMonitorName;
  std::int32_t width = 1920;
  std::int32_t height = 1080;
  std::int32_t refreshHz = 60;
  std::vector<std::int32_t> refreshRates;      // ascending
  std::vector<DisplayResolution> resolutions;  // at most 4, largest area first
};

// 0-1; NaN counts as 0.
float ClampUnit(float value);

// --- volume ------------------------------------------------------------------
// False when there is no endpoint or its level cannot be read. A failed mute
// read counts as not muted.
bool GetVolume(SystemControlsPlatform& platform, float& volume, bool& muted);
// Clamps to 0-1; a level above kUnmuteThreshold unmutes the endpoint first.
bool SetVolume(SystemControlsPlatform& platform, float level);
bool ChangeVolume(SystemControlsPlatform& platform, float delta);
bool SetMute(SystemControlsPlatform& platform, bool muted);

inline constexpr float kUnmuteThreshold = 0.005f;

// --- brightness (WMI first, DDC/CI second, everywhere) ------------------------
// WMI's percentage as a level; nullopt outside 0-100.
std::optional<float> BrightnessFromWmi(std::int64_t percent);
std::uint8_t WmiPercentFor(float level);
// Counts only when the monitor reports minimum < maximum.
std::optional<float> BrightnessFromDdc(const MonitorBrightnessRange& range);
std::optional<std::uint32_t> DdcValueFor(const MonitorBrightnessRange& range, float level);

// WMI's brightness drives one display, normally the internal panel. Its
// instance name ("DISPLAY\BOE0812\4&2a5f3c&0&UID265988_0") and a monitor's
// device interface ("\\?\DISPLAY#BOE0812#4&2a5f3c&0&UID265988#{e6f07b5f-...}")
// name the same device when they agree without the instance's "_N" suffix,
// the interface's "\\?\" prefix and "#{class}" suffix, '\' read as '#' and
// ASCII case ignored.
bool WmiInstanceIsDevice(std::wstring_view instance, std::wstring_view deviceInterface);
// Whether WMI's brightness is that of the monitor.
bool WmiControlsMonitor(SystemControlsPlatform& platform, MonitorHandle monitor);

// Both fail, without touching WMI's display, for a monitor WMI does not drive.
bool GetBrightnessWmi(SystemControlsPlatform& platform, MonitorHandle monitor, float& level);
bool SetBrightnessWmi(SystemControlsPlatform& platform, MonitorHandle monitor, float level);
bool GetBrightnessDdc(SystemControlsPlatform& platform, MonitorHandle monitor, float& level);
bool SetBrightnessDdc(SystemControlsPlatform& platform, MonitorHandle monitor, float level);
bool SetBrightness(SystemControlsPlatform& platform, MonitorHandle monitor, float level);

// --- display -----------------------------------------------------------------
// Brightness, colour flags, the monitor's name, current mode and the offered
// rates and resolutions; whatever cannot be read keeps its default.
DisplaySnapshot ReadDisplay(SystemControlsPlatform& platform, NightLight& nightLight, MonitorHandle monitor);
// Applied to the monitor's own display device once the system has accepted
// the mode in a test; false for a size or rate that is not positive, a
// monitor without a device name or a refused mode, without changing anything.
bool ApplyDisplayMode(SystemControlsPlatform& platform, MonitorHandle monitor, std::int32_t width,
                      std::int32_t height, std::int32_t refreshHz);

// --- recycle bin and shell notifications --------------------------------------
bool RecycleBinHasItems(SystemControlsPlatform& platform);
bool EmptyRecycleBin(SystemControlsPlatform& platform, WindowHandle owner);
// Deregisters a non-zero registration and sets it to 0.
void UnregisterShellNotify(SystemControlsPlatform& platform, std::uint32_t& registration);

// --- power ---------------------------------------------------------------------
struct BatteryStatus {
  bool hasBattery = false;
  bool charging = false;
  std::uint8_t percent = 100;  // 0-100; 100 without a battery
  bool operator==(const BatteryStatus&) const = default;
};

inline constexpr std::uint8_t kBatteryFlagCharging = 8;
inline constexpr std::uint8_t kBatteryFlagNoBattery = 128;
inline constexpr std::uint8_t kBatteryUnknown = 255;

BatteryStatus BatteryFromPowerStatus(const std::optional<PowerStatusInfo>& status);
BatteryStatus ReadBatteryStatus(SystemControlsPlatform& platform);

enum class PowerAction { Lock, Sleep, LogOff, Restart, ShutDown };

// Runs the action at once; asking the user first is the caller's business.
bool RunPowerAction(SystemControlsPlatform& platform, PowerAction action);

}  // namespace orvane
