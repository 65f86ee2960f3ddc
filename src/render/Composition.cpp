#include "render/Composition.h"

#include "app/Log.h"

namespace orvane {

bool IsDeviceLossCode(std::int32_t hr) {
  return hr == kDxgiErrorDeviceRemoved || hr == kDxgiErrorDeviceReset || hr == kD2dErrRecreateTarget;
}

bool ReportSurfaceDrawFailure(Compositor& compositor, std::int32_t hr) {
  Log(L"Surface draw failed: 0x%08X", static_cast<std::uint32_t>(hr));
  // Only a lost device is worth a rebuild; any other code fails this one draw.
  if (IsDeviceLossCode(hr)) compositor.deviceLost = true;
  return false;
}

}  // namespace orvane
