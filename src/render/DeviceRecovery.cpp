#include "render/DeviceRecovery.h"

#include "app/Log.h"

namespace orvane {

bool RecoverLostDevice(Compositor& compositor, const DeviceRecoverySteps& steps) {
  if (!compositor.deviceLost) return false;
  Log(L"Handling D3D11/D2D device lost...");
  // Cleared first: a draw that fails again during the redraws below flags a
  // fresh loss for the next frame instead of being forgotten.
  compositor.deviceLost = false;
  for (const auto* step : {&steps.recreateDevice, &steps.setRenderingDevice, &steps.redrawPlate,
                           &steps.redrawDockContent, &steps.requestFrame}) {
    if (*step) (*step)();
  }
  return true;
}

}  // namespace orvane
