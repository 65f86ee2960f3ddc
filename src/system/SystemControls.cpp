#include "system/SystemControls.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace orvane {

float ClampUnit(float value) {
  if (std::isnan(value)) return 0.0f;
  return std::clamp(value, 0.0f, 1.0f);
}

// --- volume --------------------------------------------------------------------

bool GetVolume(SystemControlsPlatform& platform, float& volume, bool& muted) {
  std::unique_ptr<AudioEndpoint> endpoint = platform.OpenAudioEndpoint();
  if (!endpoint) return false;
  const std::optional<float> level = endpoint->MasterLevel();
  if (!level) return false;
  volume = ClampUnit(*level);
  muted = endpoint->Muted().value_or(false);
  return true;
}

bool SetVolume(SystemControlsPlatform& platform, float level) {
  std::unique_ptr<AudioEndpoint> endpoint = platform.OpenAudioEndpoint();
  if (!endpoint) return false;
  level = ClampUnit(level);
  // Raising the level of a muted endpoint would otherwise stay silent.
  const bool unmuted = level <= kUnmuteThreshold || endpoint->SetMuted(false);
  return endpoint->SetMasterLevel(level) && unmuted;
}

bool ChangeVolume(SystemControlsPlatform& platform, float delta) {
  float current = 0.0f;
  bool muted = false;
  if (!GetVolume(platform, current, muted)) return false;
  return SetVolume(platform, current + delta);
}

bool SetMute(SystemControlsPlatform& platform, bool muted) {
  std::unique_ptr<AudioEndpoint> endpoint = platform.OpenAudioEndpoint();
  return endpoint && endpoint->SetMuted(muted);
}

// --- brightness ----------------------------------------------------------------

std::optional<float> BrightnessFromWmi(std::int64_t percent) {
  if (percent < 0 || percent > 100) return std::nullopt;
  return static_cast<float>(percent) / 100.0f;
}

std::uint8_t WmiPercentFor(float level) {
  return static_cast<std::uint8_t>(std::clamp(std::round(ClampUnit(level) * 100.0f), 0.0f, 100.0f));
}

std::optional<float> BrightnessFromDdc(const MonitorBrightnessRange& range) {
  if (range.minimum >= range.maximum) return std::nullopt;
  const double span = static_cast<double>(range.maximum) - range.minimum;
  const double value = (static_cast<double>(range.current) - range.minimum) / span;
  return static_cast<float>(std::clamp(value, 0.0, 1.0));
}

std::optional<std::uint32_t> DdcValueFor(const MonitorBrightnessRange& range, float level) {
  if (range.minimum >= range.maximum) return std::nullopt;
  const double span = static_cast<double>(range.maximum) - range.minimum;
  return range.minimum + static_cast<std::uint32_t>(std::round(span * ClampUnit(level)));
}

namespace {

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// The device part of a WMI instance name, in interface spelling.
std::wstring WmiInstanceDevice(std::wstring_view instance) {
  const std::size_t underscore = instance.rfind(L'_');
  if (underscore != std::wstring_view::npos && underscore + 1 < instance.size() &&
      std::all_of(instance.begin() + static_cast<std::ptrdiff_t>(underscore) + 1, instance.end(),
                  [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
    instance = instance.substr(0, underscore);
  }
  std::wstring device;
  for (const wchar_t c : instance) device.push_back(c == L'\\' ? L'#' : AsciiLower(c));
  return device;
}

std::wstring InterfaceDevice(std::wstring_view deviceInterface) {
  constexpr std::wstring_view kPrefix = L"\\\\?\\";
  if (deviceInterface.starts_with(kPrefix)) deviceInterface.remove_prefix(kPrefix.size());
  if (const std::size_t cls = deviceInterface.rfind(L"#{"); cls != std::wstring_view::npos) {
    deviceInterface = deviceInterface.substr(0, cls);
  }
  std::wstring device;
  for (const wchar_t c : deviceInterface) device.push_back(AsciiLower(c));
  return device;
}

}  // namespace

bool WmiInstanceIsDevice(std::wstring_view instance, std::wstring_view deviceInterface) {
  const std::wstring device = WmiInstanceDevice(instance);
  return !device.empty() && device == InterfaceDevice(deviceInterface);
}

bool WmiControlsMonitor(SystemControlsPlatform& platform, MonitorHandle monitor) {
  const std::wstring device = platform.MonitorDeviceName(monitor);
  if (device.empty()) return false;
  return WmiInstanceIsDevice(platform.WmiBrightnessInstance(), platform.DisplayDeviceInterface(device));
}

bool GetBrightnessWmi(SystemControlsPlatform& platform, MonitorHandle monitor, float& level) {
  if (!WmiControlsMonitor(platform, monitor)) return false;
  const std::optional<std::int64_t> percent = platform.WmiCurrentBrightness();
  const std::optional<float> value = percent ? BrightnessFromWmi(*percent) : std::nullopt;
  if (!value) return false;
  level = *value;
  return true;
}

bool SetBrightnessWmi(SystemControlsPlatform& platform, MonitorHandle monitor, float level) {
  const std::wstring instance = platform.WmiBrightnessInstance();
  const std::wstring device = platform.MonitorDeviceName(monitor);
  if (device.empty() || !WmiInstanceIsDevice(instance, platform.DisplayDeviceInterface(device))) return false;
  return platform.WmiSetBrightness(instance, WmiPercentFor(level));
}

bool GetBrightnessDdc(SystemControlsPlatform& platform, MonitorHandle monitor, float& level) {
  std::unique_ptr<PhysicalMonitor> physical = platform.OpenPhysicalMonitor(monitor);
  if (!physical) return false;
  const std::optional<MonitorBrightnessRange> range = physical->Brightness();
  const std::optional<float> value = range ? BrightnessFromDdc(*range) : std::nullopt;
  if (!value) return false;
  level = *value;
  return true;
}

bool SetBrightnessDdc(SystemControlsPlatform& platform, MonitorHandle monitor, float level) {
  std::unique_ptr<PhysicalMonitor> physical = platform.OpenPhysicalMonitor(monitor);
  if (!physical) return false;
  const std::optional<MonitorBrightnessRange> range = physical->Brightness();
  const std::optional<std::uint32_t> value = range ? DdcValueFor(*range, level) : std::nullopt;
  return value && physical->SetBrightness(*value);
}

bool SetBrightness(SystemControlsPlatform& platform, MonitorHandle monitor, float level) {
  level = ClampUnit(level);
  return SetBrightnessWmi(platform, monitor, level) || SetBrightnessDdc(platform, monitor, level);
}

// --- display -------------------------------------------------------------------

DisplaySnapshot ReadDisplay(SystemControlsPlatform& platform, NightLight& nightLight, MonitorHandle monitor) {
  DisplaySnapshot snapshot;
  float level = 0.0f;
  if (GetBrightnessWmi(platform, monitor, level) || GetBrightnessDdc(platform, monitor, level)) {
    snapshot.brightnessSupported = true;
    snapshot.brightness = level;
  }

  const ColourFlags flags = nightLight.Flags();
  snapshot.nightLight = flags.nightLight;
  snapshot.softColour = flags.softColour;

  const std::wstring device = platform.MonitorDeviceName(monitor);
  if (!device.empty()) {
    std::wstring name = platform.DisplayDeviceString(device);
    if (!name.empty()) snapshot.monitorName = std::move(name);
  }

  DisplayMode current{snapshot.width, snapshot.height, 0, snapshot.refreshHz};
  if (const std::optional<DisplayMode> mode = platform.CurrentDisplayMode(device)) {
    current = *mode;
    snapshot.width = current.width;
    snapshot.height = current.height;
    snapshot.refreshHz = current.refreshHz;
  }

  std::vector<DisplayMode> modes;
  for (std::uint32_t index = 0;; ++index) {
    std::optional<DisplayMode> mode = platform.DisplayModeAt(device, index);
    if (!mode) break;
    modes.push_back(*mode);
  }
  DisplayModeLists lists = BuildDisplayModeLists(modes, current);
  snapshot.refreshRates = std::move(lists.refreshRates);
  snapshot.resolutions = std::move(lists.resolutions);
  return snapshot;
}

bool ApplyDisplayMode(SystemControlsPlatform& platform, MonitorHandle monitor, std::int32_t width,
                      std::int32_t height, std::int32_t refreshHz) {
  if (width <= 0 || height <= 0 || refreshHz <= 0) return false;
  // Without its own device name the mode would land on whatever display the
  // system picks for an unnamed one.
  const std::wstring device = platform.MonitorDeviceName(monitor);
  if (device.empty()) return false;
  return platform.TestDisplayMode(device, width, height, refreshHz) &&
         platform.ChangeDisplayMode(device, width, height, refreshHz);
}

// --- recycle bin and shell notifications ----------------------------------------

bool RecycleBinHasItems(SystemControlsPlatform& platform) {
  const std::optional<RecycleBinInfo> info = platform.QueryRecycleBin();
  return info && (info->items > 0 || info->bytes > 0);
}

bool EmptyRecycleBin(SystemControlsPlatform& platform, WindowHandle owner) { return platform.EmptyRecycleBin(owner); }

void UnregisterShellNotify(SystemControlsPlatform& platform, std::uint32_t& registration) {
  if (registration == 0) return;
  platform.DeregisterShellNotify(registration);
  registration = 0;
}

// --- power -----------------------------------------------------------------------

BatteryStatus BatteryFromPowerStatus(const std::optional<PowerStatusInfo>& status) {
  BatteryStatus battery;
  if (!status || status->batteryFlag == kBatteryFlagNoBattery || status->batteryFlag == kBatteryUnknown ||
      status->batteryLifePercent == kBatteryUnknown) {
    return battery;
  }
  battery.hasBattery = true;
  battery.percent = std::min<std::uint8_t>(status->batteryLifePercent, 100);
  battery.charging = status->acLineStatus == 1 || (status->batteryFlag & kBatteryFlagCharging) != 0;
  return battery;
}

BatteryStatus ReadBatteryStatus(SystemControlsPlatform& platform) {
  return BatteryFromPowerStatus(platform.PowerStatus());
}

bool RunPowerAction(SystemControlsPlatform& platform, PowerAction action) {
  switch (action) {
    case PowerAction::Lock:
      return platform.LockWorkStation();
    case PowerAction::Sleep:
      return platform.Suspend();
    case PowerAction::LogOff:
      return platform.LogOff();
    case PowerAction::Restart:
      return platform.RunHidden(L"shutdown.exe", L"/r /t 0");
    case PowerAction::ShutDown:
      return platform.RunHidden(L"shutdown.exe", L"/s /t 0");
  }
  return false;
}

}  // namespace orvane
