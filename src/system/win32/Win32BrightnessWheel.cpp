#include "system/win32/Win32BrightnessWheel.h"

#include <utility>

#include "system/win32/Win32SystemControls.h"
#include "system/win32/WorkerApartments.h"

namespace orvane {

BrightnessWheel::Deps Win32BrightnessWheelDeps(std::function<void()> arrived) {
  BrightnessWheel::Deps deps;
  deps.controls = std::make_shared<Win32SystemControlsPlatform>();
  deps.prepareThread = EnterMultithreadedApartment;
  deps.arrived = std::move(arrived);
  return deps;
}

}  // namespace orvane
