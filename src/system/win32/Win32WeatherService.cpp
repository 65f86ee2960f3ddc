#include "system/win32/Win32WeatherService.h"

#include "system/win32/WinHttpClient.h"
#include "system/win32/WorkerApartments.h"

namespace orvane {

WeatherServiceDeps Win32WeatherServiceDeps() {
  WeatherServiceDeps deps;
  deps.http = std::make_shared<WinHttpClient>();
  deps.prepareThread = EnterMultithreadedApartment;
  return deps;
}

}  // namespace orvane
