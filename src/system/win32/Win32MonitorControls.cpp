#include <windows.h>
#include <highlevelmonitorconfigurationapi.h>
#include <physicalmonitorenumerationapi.h>

#include <vector>

#include "system/win32/Win32SystemControls.h"

namespace orvane {
namespace {

HMONITOR MonitorOrPrimary(MonitorHandle monitor) {
  if (monitor != 0) return reinterpret_cast<HMONITOR>(monitor);
  return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

// The physical monitors of one display monitor; only the first is driven.
class Win32PhysicalMonitor : public PhysicalMonitor {
 public:
  explicit Win32PhysicalMonitor(std::vector<PHYSICAL_MONITOR> monitors) : monitors_(std::move(monitors)) {}
  ~Win32PhysicalMonitor() override {
    DestroyPhysicalMonitors(static_cast<DWORD>(monitors_.size()), monitors_.data());
  }
  Win32PhysicalMonitor(const Win32PhysicalMonitor&) = delete;
  Win32PhysicalMonitor& operator=(const Win32PhysicalMonitor&) = delete;

  std::optional<MonitorBrightnessRange> Brightness() override {
    DWORD minimum = 0;
    DWORD current = 0;
    DWORD maximum = 0;
    if (!GetMonitorBrightness(monitors_.front().hPhysicalMonitor, &minimum, &current, &maximum)) return std::nullopt;
    return MonitorBrightnessRange{minimum, current, maximum};
  }
  bool SetBrightness(std::uint32_t value) override {
    return SetMonitorBrightness(monitors_.front().hPhysicalMonitor, value) != FALSE;
  }

 private:
  std::vector<PHYSICAL_MONITOR> monitors_;
};

const wchar_t* DeviceOrPrimary(const std::wstring& device) { return device.empty() ? nullptr : device.c_str(); }

// The device's current settings with the size and rate replaced, handed to
// ChangeDisplaySettingsExW on that device with flags.
bool ChangeMode(const std::wstring& device, std::int32_t width, std::int32_t height, std::int32_t refreshHz,
                DWORD flags) {
  if (device.empty()) return false;
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsW(device.c_str(), ENUM_CURRENT_SETTINGS, &mode)) return false;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmDisplayFrequency = static_cast<DWORD>(refreshHz);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
  return ChangeDisplaySettingsExW(device.c_str(), &mode, nullptr, flags, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

std::optional<DisplayMode> ReadMode(const std::wstring& device, DWORD index) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsW(DeviceOrPrimary(device), index, &mode)) return std::nullopt;
  return DisplayMode{static_cast<std::int32_t>(mode.dmPelsWidth), static_cast<std::int32_t>(mode.dmPelsHeight),
                     static_cast<std::int32_t>(mode.dmBitsPerPel), static_cast<std::int32_t>(mode.dmDisplayFrequency)};
}

}  // namespace

std::unique_ptr<PhysicalMonitor> Win32SystemControlsPlatform::OpenPhysicalMonitor(MonitorHandle monitor) {
  const HMONITOR handle = MonitorOrPrimary(monitor);
  DWORD count = 0;
  if (!GetNumberOfPhysicalMonitorsFromHMONITOR(handle, &count) || count == 0) return nullptr;
  std::vector<PHYSICAL_MONITOR> monitors(count);
  if (!GetPhysicalMonitorsFromHMONITOR(handle, count, monitors.data())) return nullptr;
  return std::make_unique<Win32PhysicalMonitor>(std::move(monitors));
}

std::wstring Win32SystemControlsPlatform::MonitorDeviceName(MonitorHandle monitor) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorOrPrimary(monitor), &info)) return {};
  return info.szDevice;
}

std::wstring Win32SystemControlsPlatform::DisplayDeviceString(const std::wstring& device) {
  DISPLAY_DEVICEW display{};
  display.cb = sizeof(display);
  if (!EnumDisplayDevicesW(DeviceOrPrimary(device), 0, &display, 0)) return {};
  return display.DeviceString;
}

std::wstring Win32SystemControlsPlatform::DisplayDeviceInterface(const std::wstring& device) {
  DISPLAY_DEVICEW display{};
  display.cb = sizeof(display);
  if (!EnumDisplayDevicesW(DeviceOrPrimary(device), 0, &display, EDD_GET_DEVICE_INTERFACE_NAME)) return {};
  return display.DeviceID;
}

std::optional<DisplayMode> Win32SystemControlsPlatform::CurrentDisplayMode(const std::wstring& device) {
  return ReadMode(device, ENUM_CURRENT_SETTINGS);
}

std::optional<DisplayMode> Win32SystemControlsPlatform::DisplayModeAt(const std::wstring& device, std::uint32_t index) {
  return ReadMode(device, index);
}

bool Win32SystemControlsPlatform::TestDisplayMode(const std::wstring& device, std::int32_t width,
                                                  std::int32_t height, std::int32_t refreshHz) {
  return ChangeMode(device, width, height, refreshHz, CDS_TEST);
}

bool Win32SystemControlsPlatform::ChangeDisplayMode(const std::wstring& device, std::int32_t width,
                                                    std::int32_t height, std::int32_t refreshHz) {
  return ChangeMode(device, width, height, refreshHz, CDS_UPDATEREGISTRY);
}

}  // namespace orvane
