#include "system/win32/WinRtAsync.h"

#include <objbase.h>

#include <thread>

namespace orvane {

HRESULT WaitForAsync(IInspectable* operation, std::chrono::milliseconds timeout,
                     std::chrono::milliseconds pollInterval) {
  if (operation == nullptr) return E_POINTER;
  ComPtr<IAsyncInfo> info;
  if (const HRESULT hr = operation->QueryInterface(IidOf<IAsyncInfo>(), info.PutVoid()); FAILED(hr)) return hr;

  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    AsyncStatus status = Started;
    if (const HRESULT hr = info->get_Status(&status); FAILED(hr)) return hr;
    switch (status) {
      case Completed:
        return S_OK;
      case Canceled:
        return HRESULT_FROM_WIN32(ERROR_CANCELLED);
      case Error: {
        HRESULT error = E_FAIL;
        if (FAILED(info->get_ErrorCode(&error)) || SUCCEEDED(error)) error = E_FAIL;
        return error;
      }
      case Started:
        break;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      // Nobody will collect the result; let the operation stop its work.
      info->Cancel();
      return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    }
    std::this_thread::sleep_for(pollInterval);
  }
}

MultithreadedApartment::MultithreadedApartment() {
  // S_FALSE (already multithreaded here) also needs a matching uninitialise;
  // RPC_E_CHANGED_MODE does not.
  initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
}

MultithreadedApartment::~MultithreadedApartment() {
  if (initialised_) CoUninitialize();
}

}  // namespace orvane
