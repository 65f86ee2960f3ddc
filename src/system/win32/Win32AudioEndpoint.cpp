#include <windows.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include "platform/win32/ComPtr.h"
#include "system/win32/Win32SystemControls.h"

namespace orvane {
namespace {

class Win32AudioEndpoint : public AudioEndpoint {
 public:
  explicit Win32AudioEndpoint(ComPtr<IAudioEndpointVolume> volume) : volume_(std::move(volume)) {}

  std::optional<float> MasterLevel() override {
    float level = 0.0f;
    if (FAILED(volume_->GetMasterVolumeLevelScalar(&level))) return std::nullopt;
    return level;
  }
  std::optional<bool> Muted() override {
    BOOL muted = FALSE;
    if (FAILED(volume_->GetMute(&muted))) return std::nullopt;
    return muted != FALSE;
  }
  bool SetMasterLevel(float level) override { return SUCCEEDED(volume_->SetMasterVolumeLevelScalar(level, nullptr)); }
  bool SetMuted(bool muted) override { return SUCCEEDED(volume_->SetMute(muted ? TRUE : FALSE, nullptr)); }

 private:
  ComPtr<IAudioEndpointVolume> volume_;
};

}  // namespace

std::unique_ptr<AudioEndpoint> Win32SystemControlsPlatform::OpenAudioEndpoint() {
  ComPtr<IMMDeviceEnumerator> enumerator;
  if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, IidOf<IMMDeviceEnumerator>(),
                              enumerator.PutVoid()))) {
    return nullptr;
  }
  ComPtr<IMMDevice> device;
  if (FAILED(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.Put()))) return nullptr;
  ComPtr<IAudioEndpointVolume> volume;
  if (FAILED(device->Activate(IidOf<IAudioEndpointVolume>(), CLSCTX_ALL, nullptr, volume.PutVoid()))) return nullptr;
  return std::make_unique<Win32AudioEndpoint>(std::move(volume));
}

}  // namespace orvane
