#include "render/DeviceCreation.h"

#include "app/Log.h"

namespace orvane {

std::int32_t CreateDeviceWithWarpFallback(const std::function<std::int32_t(DeviceDriver)>& create) {
  const std::int32_t hardware = create(DeviceDriver::Hardware);
  if (hardware >= 0) return hardware;
  Log(L"Hardware D3D11 device failed (0x%08X), falling back to WARP", static_cast<std::uint32_t>(hardware));
  return create(DeviceDriver::Warp);
}

void LogAdapter(std::wstring_view description, std::uint64_t dedicatedVideoMemoryBytes) {
  Log(L"GraphicsDevice adapter: %s (dedicatedVRAM=%zu MB)", description, WholeMebibytes(dedicatedVideoMemoryBytes));
}

}  // namespace orvane
