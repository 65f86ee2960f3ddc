#include "render/win32/DispatcherQueue.h"

#include "platform/win32/SystemProc.h"
#include "platform/win32/WinRt.h"

namespace orvane {
namespace {

bool ThreadHasDispatcherQueue() {
  ComPtr<winrt::IDispatcherQueueStatics> statics;
  if (FAILED(TryGetActivationFactory(L"Windows.System.DispatcherQueue", winrt::IDispatcherQueueStatics::kIid,
                                     statics.PutVoid()))) {
    // Without the class there is no queue yet; creating one decides.
    return false;
  }
  ComPtr<winrt::IDispatcherQueue> queue;
  return SUCCEEDED(statics->GetForCurrentThread(queue.Put())) && queue;
}

HRESULT LastErrorHResult() {
  const DWORD error = GetLastError();
  return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

}  // namespace

HRESULT EnsureDispatcherQueue(ComPtr<winrt::IDispatcherQueueController>& controller) {
  controller = nullptr;
  if (ThreadHasDispatcherQueue()) return S_OK;

  // The module stays loaded: the queue it creates lives as long as the thread.
  const auto create = LoadSystemProc<winrt::CreateDispatcherQueueControllerFn>(L"CoreMessaging.dll",
                                                                              "CreateDispatcherQueueController");
  if (create == nullptr) return LastErrorHResult();

  winrt::DispatcherQueueOptions options{};
  options.dwSize = sizeof(options);
  options.threadType = winrt::DQTYPE_THREAD_CURRENT;
  options.apartmentType = winrt::DQTAT_COM_NONE;
  return create(options, controller.Put());
}

}  // namespace orvane
