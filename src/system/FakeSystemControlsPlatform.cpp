#include "system/FakeSystemControlsPlatform.h"

namespace orvane {
namespace {

class FakeAudioEndpoint : public AudioEndpoint {
 public:
  FakeAudioEndpoint(FakeSystemControlsPlatform::Audio& audio, std::vector<std::wstring>& calls)
      : audio_(audio), calls_(calls) {}

  std::optional<float> MasterLevel() override { return audio_.level; }
  std::optional<bool> Muted() override { return audio_.muted; }
  bool SetMasterLevel(float level) override {
    calls_.push_back(L"level " + std::to_wstring(level));
    if (audio_.writesFail) return false;
    audio_.level = level;
    return true;
  }
  bool SetMuted(bool muted) override {
    calls_.push_back(muted ? L"mute" : L"unmute");
    if (audio_.writesFail) return false;
    audio_.muted = muted;
    return true;
  }

 private:
  FakeSystemControlsPlatform::Audio& audio_;
  std::vector<std::wstring>& calls_;
};

class FakePhysicalMonitor : public PhysicalMonitor {
 public:
  FakePhysicalMonitor(FakeSystemControlsPlatform::Display& display, std::vector<std::wstring>& calls)
      : display_(display), calls_(calls) {}

  std::optional<MonitorBrightnessRange> Brightness() override { return display_.ddc; }
  bool SetBrightness(std::uint32_t value) override {
    calls_.push_back(L"ddc " + std::to_wstring(value));
    if (display_.ddcSetFails || !display_.ddc) return false;
    display_.ddc->current = value;
    return true;
  }

 private:
  FakeSystemControlsPlatform::Display& display_;
  std::vector<std::wstring>& calls_;
};

class FakeScreenGamma : public ScreenGamma {
 public:
  explicit FakeScreenGamma(FakeScreenGammaPlatform& platform) : platform_(platform) {}

  std::optional<GammaRamp> Read() override {
    if (platform_.readFails) return std::nullopt;
    return platform_.ramp;
  }
  bool Write(const GammaRamp& ramp) override {
    // A copy: the hook may clear itself while it runs.
    if (std::function<void()> hook = platform_.duringWrite) hook();
    platform_.writes.push_back(ramp);
    if (platform_.writeFails) return false;
    platform_.ramp = ramp;
    return true;
  }

 private:
  FakeScreenGammaPlatform& platform_;
};

}  // namespace

std::unique_ptr<AudioEndpoint> FakeSystemControlsPlatform::OpenAudioEndpoint() {
  if (!audio) return nullptr;
  return std::make_unique<FakeAudioEndpoint>(*audio, calls);
}

bool FakeSystemControlsPlatform::WmiSetBrightness(const std::wstring& instance, std::uint8_t percent) {
  calls.push_back(L"wmi " + std::to_wstring(percent));
  if (wmiSetFails || !wmiBrightness || instance != wmiInstance) return false;
  wmiBrightness = percent;
  return true;
}

FakeSystemControlsPlatform::Display* FakeSystemControlsPlatform::FindDisplay(const std::wstring& device) {
  auto it = displays.find(device.empty() ? primaryDevice : device);
  return it == displays.end() ? nullptr : &it->second;
}

std::unique_ptr<PhysicalMonitor> FakeSystemControlsPlatform::OpenPhysicalMonitor(MonitorHandle monitor) {
  Display* display = FindDisplay(MonitorDeviceName(monitor));
  if (display == nullptr) return nullptr;
  return std::make_unique<FakePhysicalMonitor>(*display, calls);
}

std::wstring FakeSystemControlsPlatform::MonitorDeviceName(MonitorHandle monitor) {
  auto it = monitors.find(monitor);
  return it == monitors.end() ? std::wstring() : it->second;
}

std::wstring FakeSystemControlsPlatform::DisplayDeviceString(const std::wstring& device) {
  Display* display = FindDisplay(device);
  return display == nullptr ? std::wstring() : display->deviceString;
}

std::wstring FakeSystemControlsPlatform::DisplayDeviceInterface(const std::wstring& device) {
  auto it = deviceInterfaces.find(device.empty() ? primaryDevice : device);
  return it == deviceInterfaces.end() ? std::wstring() : it->second;
}

std::optional<DisplayMode> FakeSystemControlsPlatform::CurrentDisplayMode(const std::wstring& device) {
  Display* display = FindDisplay(device);
  return display == nullptr ? std::nullopt : display->current;
}

std::optional<DisplayMode> FakeSystemControlsPlatform::DisplayModeAt(const std::wstring& device, std::uint32_t index) {
  Display* display = FindDisplay(device);
  if (display == nullptr || index >= display->modes.size()) return std::nullopt;
  return display->modes[index];
}

namespace {

std::wstring ModeText(const std::wstring& device, std::int32_t width, std::int32_t height, std::int32_t refreshHz) {
  return device + L" " + std::to_wstring(width) + L"x" + std::to_wstring(height) + L"@" + std::to_wstring(refreshHz);
}

}  // namespace

bool FakeSystemControlsPlatform::TestDisplayMode(const std::wstring& device, std::int32_t width,
                                                 std::int32_t height, std::int32_t refreshHz) {
  calls.push_back(L"test mode " + ModeText(device, width, height, refreshHz));
  const Display* display = FindDisplay(device);
  return !modeTestFails && display != nullptr && display->current;
}

bool FakeSystemControlsPlatform::ChangeDisplayMode(const std::wstring& device, std::int32_t width,
                                                   std::int32_t height, std::int32_t refreshHz) {
  calls.push_back(L"mode " + ModeText(device, width, height, refreshHz));
  Display* display = FindDisplay(device);
  if (modeChangeFails || display == nullptr || !display->current) return false;
  display->current->width = width;
  display->current->height = height;
  display->current->refreshHz = refreshHz;
  return true;
}

bool FakeSystemControlsPlatform::EmptyRecycleBin(WindowHandle owner) {
  calls.push_back(L"empty recycle bin " + std::to_wstring(owner));
  if (!recycleBin) return false;
  *recycleBin = RecycleBinInfo{};
  return true;
}

void FakeSystemControlsPlatform::DeregisterShellNotify(std::uint32_t registration) {
  calls.push_back(L"deregister " + std::to_wstring(registration));
}

std::unique_ptr<ScreenGamma> FakeScreenGammaPlatform::OpenScreen() {
  if (openFails) return nullptr;
  return std::make_unique<FakeScreenGamma>(*this);
}

}  // namespace orvane
