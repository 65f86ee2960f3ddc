#include "system/win32/WorkerApartments.h"

#include <windows.h>
#include <objbase.h>

namespace orvane {
namespace {

class Apartment final : public WorkerThreadScope {
 public:
  // Every successful CoInitializeEx (S_FALSE included) needs its CoUninitialize.
  ~Apartment() override { CoUninitialize(); }
};

std::unique_ptr<WorkerThreadScope> Enter(DWORD model) {
  if (FAILED(CoInitializeEx(nullptr, model))) return nullptr;
  return std::make_unique<Apartment>();
}

}  // namespace

std::unique_ptr<WorkerThreadScope> EnterMultithreadedApartment() { return Enter(COINIT_MULTITHREADED); }

std::unique_ptr<WorkerThreadScope> EnterSingleThreadedApartment() {
  return Enter(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

}  // namespace orvane
