#pragma once
// The weather service's Windows dependencies: WinHTTP, and a multithreaded
// COM apartment on each worker thread.

#include "system/WeatherService.h"

namespace orvane {

WeatherServiceDeps Win32WeatherServiceDeps();

}  // namespace orvane
