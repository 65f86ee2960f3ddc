#pragma once
// Rebuilding after the graphics device is lost. Surface draws only flag the
// loss (Compositor::deviceLost); the dock's frame step runs this once per
// frame, so recovery always happens between frames and never inside a draw.

#include <functional>

#include "render/Composition.h"

namespace orvane {

// The hub's recovery steps, run in this order. Each may throw; an error
// leaves the frame step as any other platform failure does.
struct DeviceRecoverySteps {
  std::function<void()> recreateDevice;      // the device set again (its factories survive)
  std::function<void()> setRenderingDevice;  // hand the new device to the compositor
  std::function<void()> redrawPlate;         // the dock plate's surfaces (a no-op until it is configured)
  std::function<void()> redrawDockContent;   // sprites, tooltip, item pictures, other surfaces
  std::function<void()> requestFrame;        // so that at least one frame follows
};

// Does nothing and returns false unless compositor.deviceLost is set;
// otherwise logs, clears the flag, runs the steps and returns true. Popups
// are not told: each draws its whole content on its next show or change.
bool RecoverLostDevice(Compositor& compositor, const DeviceRecoverySteps& steps);

}  // namespace orvane
