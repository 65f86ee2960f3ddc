#include "system/win32/Win32WeatherService.h"

#include <windows.h>
#include <objbase.h>

#include "system/win32/WinHttpClient.h"

namespace orvane {
namespace {

class MultithreadedApartment final : public WorkerThreadScope {
 public:
  // Every successful CoInitializeEx (S_FALSE included) needs its CoUninitialize.
  ~MultithreadedApartment() override { CoUninitialize(); }
};

}  // namespace

std::unique_ptr<WorkerThreadScope> EnterMultithreadedApartment() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return nullptr;
  return std::make_unique<MultithreadedApartment>();
}

WeatherServiceDeps Win32WeatherServiceDeps() {
  WeatherServiceDeps deps;
  deps.http = std::make_shared<WinHttpClient>();
  deps.prepareThread = EnterMultithreadedApartment;
  return deps;
}

}  // namespace orvane
