#pragma once
// The brightness wheel's Windows dependencies: its own controls platform
// and a multithreaded COM apartment on each worker. The controls open and
// release their WMI connection and physical monitors within each call, on
// the calling thread, so one instance serves every worker; it is the
// wheel's own because a worker may outlive whoever created the wheel.

#include <functional>

#include "system/BrightnessWheel.h"

namespace orvane {

// arrived: posts the news to the UI thread (see BrightnessWheel::Deps).
BrightnessWheel::Deps Win32BrightnessWheelDeps(std::function<void()> arrived);

}  // namespace orvane
