#pragma once
// Waiting for Windows Runtime asynchronous operations on a worker thread.
// Workers have no message loop and must never involve the UI thread, so
// instead of a completion handler they poll IAsyncInfo::get_Status with a
// short sleep, up to an overall timeout, and cancel what does not finish.

#include <windows.h>
#include <asyncinfo.h>
#include <inspectable.h>

#include <chrono>
#include <source_location>

#include "platform/win32/ComPtr.h"
#include "platform/win32/winrt/AsyncAbi.h"

namespace orvane {

inline constexpr std::chrono::milliseconds kAsyncPollInterval{10};

// Polls the operation (anything that implements IAsyncInfo) until it leaves
// the Started state or timeout passes. S_OK when it completed; its error code
// when it failed; HRESULT_FROM_WIN32(ERROR_CANCELLED) when it was cancelled;
// HRESULT_FROM_WIN32(ERROR_TIMEOUT) after timeout, having asked it to cancel.
HRESULT WaitForAsync(IInspectable* operation, std::chrono::milliseconds timeout,
                     std::chrono::milliseconds pollInterval = kAsyncPollInterval);

namespace detail {
template <class TResultAbi, class Operation>
TResultAbi AwaitResults(Operation* operation, std::chrono::milliseconds timeout, std::source_location where) {
  if (operation == nullptr) ThrowHResult(E_POINTER, where);
  ThrowIfFailed(WaitForAsync(operation, timeout), where);
  TResultAbi result{};
  ThrowIfFailed(operation->GetResults(&result), where);
  return result;
}
}  // namespace detail

// Waits for the operation and returns its result; throws HResultError when
// the operation is null, fails, is cancelled or times out.
template <class TResultAbi>
TResultAbi AwaitValue(winrt::IAsyncOperation<TResultAbi>* operation, std::chrono::milliseconds timeout,
                      std::source_location where = std::source_location::current()) {
  return detail::AwaitResults<TResultAbi>(operation, timeout, where);
}

// The same for operations whose result is an object; null results are
// returned as an empty reference (several APIs use null for "none").
template <class T>
ComPtr<T> AwaitObject(winrt::IAsyncOperation<T*>* operation, std::chrono::milliseconds timeout,
                      std::source_location where = std::source_location::current()) {
  return ComPtr<T>::Attach(detail::AwaitResults<T*>(operation, timeout, where));
}
template <class T, class TProgressAbi>
ComPtr<T> AwaitObject(winrt::IAsyncOperationWithProgress<T*, TProgressAbi>* operation,
                      std::chrono::milliseconds timeout,
                      std::source_location where = std::source_location::current()) {
  return ComPtr<T>::Attach(detail::AwaitResults<T*>(operation, timeout, where));
}

// Initialises COM in the multithreaded apartment for the life of the object,
// as background workers need it for Windows Runtime calls. When the thread
// already has an apartment of another kind, COM stays as it is (and is not
// uninitialised here); calls then still work through marshalling.
class MultithreadedApartment {
 public:
  MultithreadedApartment();
  ~MultithreadedApartment();
  MultithreadedApartment(const MultithreadedApartment&) = delete;
  MultithreadedApartment& operator=(const MultithreadedApartment&) = delete;

 private:
  bool initialised_ = false;
};

}  // namespace orvane
